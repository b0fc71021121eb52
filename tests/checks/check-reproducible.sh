#!/bin/sh
# Two clean builds of the launcher must give the same bytes.
#   check-reproducible.sh <source dir> <scratch dir> <Quarnel.exe of the main build>
set -eu
src=$1 scratch=$2 reference=$3
rm -rf "$scratch"
cmake -S "$src" -B "$scratch" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$src/cmake/toolchain-i686-mingw.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DQUARNEL_SETUP_PAYLOAD=standin >/dev/null
cmake --build "$scratch" --target Quarnel >/dev/null
# The payload embeds the stand-in installer, itself built without time stamps.
if cmp "$scratch/bin/Quarnel.exe" "$reference"; then
  echo "PASS: $(stat -c %s "$reference") bytes, identical"
  rm -rf "$scratch"
else
  echo "FAIL: a clean rebuild differs from $reference"
  exit 1
fi
