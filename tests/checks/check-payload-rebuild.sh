#!/bin/sh
# The launcher carries exactly the payload its tree names: after a
# reconfigure to another file whose time stamp is older than the last build,
# and after that file's content changed under an older time stamp, resource
# 9300 holds the file's bytes. The same tree built as 1.41.0500 carries that
# version; a version of another form is refused at configure with one line,
# and a payload emptied after the configure is refused by the build with the
# configure's own line.
#   check-payload-rebuild.sh <source dir> <scratch dir>
set -u
src=$1 scratch=$2
tree=$scratch/tree
configure() {
  cmake -S "$src" -B "$1" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$src/cmake/toolchain-i686-mingw.cmake" \
    -DCMAKE_BUILD_TYPE=Release "$@" 2>&1
}
fail() { echo "FAIL: $*"; exit 1; }
# Builds the launcher with the payload $1 (and further options) and expects
# resource 9300 to hold the bytes of $2.
expect_carried() {
  payload=$1 bytes=$2
  shift 2
  configure "$tree" -DQUARNEL_SETUP_PAYLOAD="$payload" "$@" >"$scratch/configure.log" \
    || fail "configure with $payload: $(tail -5 "$scratch/configure.log")"
  cmake --build "$tree" --target Quarnel >"$scratch/build.log" 2>&1 \
    || fail "build with $payload: $(tail -5 "$scratch/build.log")"
  python3 "$src/tests/checks/payload-resource.py" "$tree/bin/Quarnel.exe" "$scratch/carried" \
    || fail "no payload in $tree/bin/Quarnel.exe"
  cmp -s "$scratch/carried" "$bytes" || fail "resource 9300 is not $bytes after: $payload $*"
}
# True when the file $1 holds the text $2 in UTF-16 (the version resource).
holds_utf16() {
  python3 -c 'import sys; sys.exit(sys.argv[2].encode("utf-16-le") not in open(sys.argv[1], "rb").read())' "$1" "$2"
}

rm -rf "$scratch"
mkdir -p "$scratch"
head -c 70000 /dev/urandom >"$scratch/first.exe"
head -c 50000 /dev/urandom >"$scratch/older.exe"
touch -d '2001-01-01 00:00' "$scratch/older.exe"
expect_carried "$scratch/first.exe" "$scratch/first.exe"
# An installer copied with its time kept: older than the build just made.
expect_carried "$scratch/older.exe" "$scratch/older.exe"
# The same name, other bytes, the old time stamp again.
head -c 60000 /dev/urandom >"$scratch/replaced.exe"
cp "$scratch/replaced.exe" "$scratch/older.exe"
touch -d '2001-01-01 00:00' "$scratch/older.exe"
expect_carried "$scratch/older.exe" "$scratch/replaced.exe"
# An update build: the version everywhere the tree spells it.
expect_carried "$scratch/older.exe" "$scratch/replaced.exe" -DQUARNEL_VERSION=1.41.0500
holds_utf16 "$tree/bin/Quarnel.exe" 1.41.0500 || fail "the 1.41.0500 build lacks its FileVersion"
grep -q 'name="Velmora.Quarnel" version="1.4.1.500"' "$tree/bin/Quarnel.exe" \
  || fail "the 1.41.0500 build's manifest lacks version 1.4.1.500"

# The payload emptied after the configure: the build stops with one line,
# the one a configure with the empty file gives.
: >"$scratch/older.exe"
if cmake --build "$tree" --target Quarnel >"$scratch/build.log" 2>&1; then
  fail "the build took a payload emptied after the configure"
fi
built=$(grep "names an empty file" "$scratch/build.log")
configured=$(configure "$scratch/refused" -DQUARNEL_SETUP_PAYLOAD="$scratch/older.exe" | grep "names an empty file")
rm -rf "$scratch/refused"
if [ "$(echo "$built" | grep -c .)" -ne 1 ] || [ "$built" != "$configured" ]; then
  fail "the emptied payload was not refused with the configure's line: \"$built\" against \"$configured\""
fi

for version in 1.4.410 1.40.410 11.40.0410 1.40.0410.1 v1.40.0410; do
  if output=$(configure "$scratch/refused" -DQUARNEL_SETUP_PAYLOAD=standin -DQUARNEL_VERSION=$version); then
    fail "configure accepted QUARNEL_VERSION=$version"
  fi
  lines=$(echo "$output" | grep -c "is not of the form d.dd.dddd")
  [ "$lines" -eq 1 ] || fail "QUARNEL_VERSION=$version was not refused with one line: $output"
  rm -rf "$scratch/refused"
done
rm -rf "$scratch"
echo "PASS"
