#!/usr/bin/env bash
# Runs clang-tidy with the repository's .clang-tidy over every source of the
# launcher's own folders, its tests, tools and benchmarks that the build tree
# compiles, as that tree compiles
# it (its compile_commands.json), for the i686 MinGW target on GCC's C++
# library headers. Any finding fails. A clean result is remembered with a
# digest of everything it depends on, so an unchanged tree is not analysed
# twice.
#   check-tidy.sh SOURCE_ROOT BUILD_DIR CXX_INCLUDE_DIR...
set -uo pipefail
root=${1:?usage: check-tidy.sh SOURCE_ROOT BUILD_DIR CXX_INCLUDE_DIR...}
build=${2:?usage: check-tidy.sh SOURCE_ROOT BUILD_DIR CXX_INCLUDE_DIR...}
shift 2
database=$build/compile_commands.json
stamp=$build/tidy-check/clean.digest
[ -f "$database" ] || { echo "FAIL: no $database (configure the tree first)"; exit 1; }

# The database's own sources: .cpp files in the product folders, the tests,
# the tools and the benchmarks (not GoogleTest's).
mapfile -t sources < <(python3 - "$database" "$root" <<'PY'
import json, os, re, sys
database, root = sys.argv[1], os.path.realpath(sys.argv[2])
folders = re.compile(r"(app|base|channel|framework|i18n|ui|tests|tools|bench)/.+\.cpp$")
seen = set()
for entry in json.load(open(database)):
    path = os.path.realpath(os.path.join(entry["directory"], entry["file"]))
    if folders.fullmatch(os.path.relpath(path, root)) and path not in seen:
        seen.add(path)
        print(path)
PY
)
[ "${#sources[@]}" -gt 0 ] || { echo "FAIL: no launcher sources in $database"; exit 1; }

# Clang's own target and GCC's C++ headers, which a GCC command line leaves
# to the GCC driver.
arguments=(--quiet -p "$build" --extra-arg-before=--target=i686-w64-mingw32
  --extra-arg=--sysroot=/usr/i686-w64-mingw32)
for folder in "$@"; do arguments+=("--extra-arg=-isystem$folder"); done

digest=$({
  clang-tidy --version
  printf '%s\n' "${arguments[@]}"
  cat "$root/.clang-tidy" "$root/tests/.clang-tidy" "$root/tools/.clang-tidy" \
    "$root/bench/.clang-tidy"
  python3 -c 'import json, sys; print(sorted((e["file"], e.get("command", e.get("arguments"))) for e in json.load(open(sys.argv[1]))))' "$database"
  find "$root/app" "$root/base" "$root/channel" "$root/framework" "$root/i18n" "$root/ui" \
    "$root/res" "$root/tests" "$root/tools" "$root/bench" -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z | xargs -0 cat
} | sha256sum | cut -d' ' -f1)
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$digest" ]; then
  echo "PASS: clang-tidy found nothing in ${#sources[@]} sources (unchanged since its last run)"
  exit 0
fi

mkdir -p "$(dirname "$stamp")"
rm -f "$stamp"
report=$build/tidy-check/report.txt
printf '%s\0' "${sources[@]}" |
  xargs -0 -n 4 -P "$(nproc)" clang-tidy "${arguments[@]}" >"$report" 2>&1
status=$?
grep -E ': (warning|error): ' "$report" | sort -u
if [ "$status" -ne 0 ] || grep -qE ': (warning|error): ' "$report"; then
  echo "FAIL: clang-tidy's findings above (full output: $report)"
  exit 1
fi
echo "$digest" >"$stamp"
echo "PASS: clang-tidy found nothing in ${#sources[@]} sources"
