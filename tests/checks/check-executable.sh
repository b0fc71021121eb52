#!/bin/sh
# Checks the built launcher's format and import table.
#   check-executable.sh <objdump> <Quarnel.exe>
# The import table may name only DLLs that Windows maps from its protected
# KnownDLLs list (plus comctl32, bound through the manifest): a downloaded
# launcher runs from a Downloads folder where anyone can drop a DLL, and every
# other library is loaded by full path from the system folder at run time.
set -eu
objdump=$1 exe=$2
fail() { echo "FAIL: $*"; exit 1; }

headers=$("$objdump" -p "$exe")
echo "$headers" | grep -q 'file format pei-i386' || fail "not a PE32 i386 image"
echo "$headers" | grep -Eq '^Subsystem[[:space:]]+00000002' || fail "not a Windows GUI program"
# The subsystem version and what the imports allow: check-imports.py.
# A zero time stamp, so that two builds of the same sources are identical.
echo "$headers" | grep -E '^Time/Date' | grep -q 'Jan  1 00:00:00 1970' \
  || fail "the image carries a link time stamp: $(echo "$headers" | grep '^Time/Date')"

allowed='^(kernel32|user32|gdi32|advapi32|shell32|shlwapi|ole32|oleaut32|comdlg32|msvcrt|comctl32)\.dll$'
dlls=$(echo "$headers" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '[:upper:]' '[:lower:]' | sort -u)
[ -n "$dlls" ] || fail "no import table found"
echo "imports: $(echo "$dlls" | paste -sd ' ' -)"
for dll in $dlls; do
  echo "$dll" | grep -Eq "$allowed" || fail "imports $dll, which Windows would search for beside the launcher"
done
echo "PASS"
