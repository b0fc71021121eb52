#!/bin/sh
# pad-file.sh IN OUT SIZE: copies IN to OUT and zero-fills it up to SIZE bytes.
# Bytes after a PE image's last section are ignored by the loader, so the
# result still runs as IN does.
set -eu
in=$1 out=$2 size=$3
have=$(stat -c %s "$in")
if [ "$have" -gt "$size" ]; then
  echo "pad-file: $in is $have bytes, larger than $size" >&2
  exit 1
fi
mkdir -p "$(dirname "$out")"
cp "$in" "$out.tmp"
truncate -s "$size" "$out.tmp"
mv "$out.tmp" "$out"
