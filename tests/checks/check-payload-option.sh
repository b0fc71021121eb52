#!/bin/sh
# Configuring without QUARNEL_SETUP_PAYLOAD fails with one line naming it;
# a payload that names no file, or an empty one, fails too.
#   check-payload-option.sh <source dir> <scratch dir>
set -u
src=$1 scratch=$2
configure() {
  rm -rf "$scratch"
  cmake -S "$src" -B "$scratch" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$src/cmake/toolchain-i686-mingw.cmake" "$@" 2>&1
}
expect_refusal() {
  what=$1 pattern=$2
  shift 2
  if output=$(configure "$@"); then
    echo "FAIL: configure $what succeeded"
    exit 1
  fi
  echo "$output" | grep -q "$pattern" || { echo "FAIL: configure $what did not say \"$pattern\":"; echo "$output"; exit 1; }
}
expect_refusal "without the option" "QUARNEL_SETUP_PAYLOAD is not set"
expect_refusal "with a missing file" "QUARNEL_SETUP_PAYLOAD names no file" \
  -DQUARNEL_SETUP_PAYLOAD="$scratch-missing/setup.exe"
mkdir -p "$scratch-empty"
: > "$scratch-empty/setup.exe"
expect_refusal "with an empty file" "QUARNEL_SETUP_PAYLOAD names an empty file" \
  -DQUARNEL_SETUP_PAYLOAD="$scratch-empty/setup.exe"
rm -rf "$scratch" "$scratch-empty"
echo "PASS"
