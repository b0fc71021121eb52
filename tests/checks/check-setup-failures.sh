#!/usr/bin/env bash
# The set-up scripts never end silently: a Wine session whose wineserver
# cannot execute (as on a kernel that refuses 32-bit programs) ends the
# script with one last line on stderr naming the step and its log.
#   check-setup-failures.sh <source dir> <scratch dir>
set -uo pipefail
src=$1 scratch=$2
rm -rf "$scratch"
mkdir -p "$scratch/bin"
# An executable the kernel cannot run: an ELF header for another machine.
printf '\177ELF\002\001\001\000\000\000\000\000\000\000\000\000\002\000\267\000' \
  >"$scratch/bin/wineserver"
chmod +x "$scratch/bin/wineserver"

cat >"$scratch/driver.sh" <<DRIVER
set -euo pipefail
# The caller's own EXIT trap must still run; it keeps Xvfb's process id.
trap 'cp "$scratch/build/wine-session/xvfb.pid" "$scratch/xvfb.pid"' EXIT
source "$src/tools/setup/steps.sh"
source "$src/tools/setup/wine-session.sh"
quarnel_step "Starting Wine"
quarnel_wine_start "$scratch/build"
echo "UNREACHED"
DRIVER

PATH="$scratch/bin:$PATH" bash "$scratch/driver.sh" >"$scratch/stdout" 2>"$scratch/stderr"
status=$?
last=$(tail -n 1 "$scratch/stderr")
log="$scratch/build/logs/wine-session.log"
expected="driver.sh: failed (exit 1) at step \"Starting Wine\"; see $log"

fail() { echo "FAIL: $*"; echo "--- stderr:"; cat "$scratch/stderr"; exit 1; }
[ "$status" -ne 0 ] || fail "the script went on past a wineserver that cannot run"
grep -q UNREACHED "$scratch/stdout" && fail "the step after the failed start ran"
[ "$last" = "$expected" ] || fail "last stderr line is '$last', expected '$expected'"
grep -q 'Exec format error' "$log" || fail "$log does not hold the shell's reason"
grep -q 'wineserver did not start' "$scratch/stderr" || fail "no line says which program failed"
[ -s "$scratch/xvfb.pid" ] || fail "the caller's EXIT trap did not run"
# The session's display must not outlive the failed start.
pid=$(cat "$scratch/xvfb.pid")
! kill -0 "$pid" 2>/dev/null || fail "Xvfb $pid still runs"
echo "PASS: $last"
rm -rf "$scratch"
