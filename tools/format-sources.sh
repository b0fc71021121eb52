#!/usr/bin/env bash
# Formats the repository's C++ sources (the launcher's app/ base/ channel/
# framework/ i18n/ ui/, and tests/ tools/ bench/) with the repository's
# .clang-format, in place; with --check, changes
# nothing and fails, naming each file, when one is not formatted so.
#   tools/format-sources.sh [--check] [SOURCE_ROOT]
set -euo pipefail
mode=format
if [ "${1:-}" = --check ]; then
  mode=check
  shift
fi
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"

mapfile -t sources < <(find app base channel framework i18n ui tests tools bench -type f \
  \( -name '*.cpp' -o -name '*.h' \) | sort)
[ "${#sources[@]}" -gt 0 ] || { echo "FAIL: no sources found under $root"; exit 1; }

if [ "$mode" = format ]; then
  clang-format -i --style=file "${sources[@]}"
  echo "formatted ${#sources[@]} files"
  exit 0
fi

# One clang-format for all files: it names each file it would change.
status=0
report=$(clang-format --dry-run --Werror --style=file "${sources[@]}" 2>&1) || status=$?
mapfile -t unformatted < <(printf '%s\n' "$report" |
  sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' | sort -u)
if [ "$status" -ne 0 ] && [ "${#unformatted[@]}" -eq 0 ]; then
  printf '%s\n' "$report"
  echo "FAIL: clang-format failed (exit $status)"
  exit 1
fi
if [ "${#unformatted[@]}" -gt 0 ]; then
  printf 'FAIL: not formatted as .clang-format says: %s\n' "${unformatted[@]}"
  echo "FAIL: ${#unformatted[@]} of ${#sources[@]} files; tools/format-sources.sh formats them"
  exit 1
fi
echo "PASS: ${#sources[@]} files formatted as .clang-format says"
