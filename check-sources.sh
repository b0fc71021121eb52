#!/usr/bin/env bash
# The source checks that take minutes, apart from ./test.sh so that a test
# run answers fast: clang-tidy over every folder the build compiles, and the
# committed artwork against its generator. Installs what is missing,
# configures the build tree (it needs no build), and runs the CTest tests
# labelled `source`. Exits non-zero on any finding, with a last line on
# stderr that names the step that failed and the log to read. Arguments go
# to ctest. .ci/run runs it after ./test.sh.
set -euo pipefail
# shellcheck source=tools/setup/start.sh
source "$(dirname "$0")/tools/setup/start.sh"

log="$BUILD/logs/configure.log"
mkdir -p "$BUILD/logs"
quarnel_step "Configuring (cmake --preset release)"
quarnel_step_log "$log"
cmake --preset release -B "$BUILD" -DQUARNEL_SETUP_PAYLOAD=standin >"$log" 2>&1

quarnel_step "Checking the sources (clang-tidy over every folder, the generated artwork)"
quarnel_step_log "$BUILD/Testing/Temporary/LastTest.log"
ctest --test-dir "$BUILD" --output-on-failure --no-tests=error -L source "$@"
