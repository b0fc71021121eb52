#!/usr/bin/env bash
# Runs shellcheck over every shell script of the repository: the *.sh files
# and every file whose first line names sh or bash. Sourced files are
# followed (.shellcheckrc) and name their shell with a directive.
#   check-shell-scripts.sh SOURCE_ROOT
set -uo pipefail
root=${1:?usage: check-shell-scripts.sh SOURCE_ROOT}
cd "$root" || exit 1

# Scripts are *.sh, or have no extension at all and a shell's #! line.
scripts=()
while IFS= read -r -d '' file; do
  case $file in
    *.sh) scripts+=("$file") ;;
    *) head -n 1 "$file" | grep -Eq '^#!.*(/|env )(ba)?sh$' && scripts+=("$file") ;;
  esac
done < <(find . \( -path './build*' -o -path ./.git \) -prune -o -type f \
  \( -name '*.sh' -o ! -name '*.*' \) -print0 | sort -z)
[ "${#scripts[@]}" -gt 0 ] || { echo "FAIL: no shell scripts found under $root"; exit 1; }

if shellcheck -x "${scripts[@]}"; then
  echo "PASS: shellcheck finds nothing in ${#scripts[@]} scripts"
else
  echo "FAIL: shellcheck's findings above"
  exit 1
fi
