#!/usr/bin/env bash
# Installs what is missing, builds the launcher and its tests with GCC and
# again with Clang, and runs every test under Wine: the GCC tree's, then the
# Clang tree's unit tests (the source checks that take minutes are
# ./check-sources.sh's). Exits non-zero on any failure, with a last line on
# stderr that names the step that failed and the log to read. Arguments go
# to ctest, for both trees.
set -euo pipefail
# shellcheck source=tools/setup/start.sh
source "$(dirname "$0")/tools/setup/start.sh"

quarnel_configure_and_build "$BUILD" "the launcher, stand-ins and tests"
# The second compiler's tree, beside the first.
quarnel_configure_and_build_clang "$BUILD-clang" "$BUILD"

quarnel_step "Starting Wine and the test displays: a 32-bit and a 64-bit prefix"
quarnel_wine_start_lanes "$BUILD"

# Two at a time: the lanes run side by side, each one test at a time (the
# tests hold their prefix's lock; see tests/wow64/lane.cmake). The source
# checks that take minutes are ./check-sources.sh's.
quarnel_step "Running the tests"
quarnel_step_log "$BUILD/Testing/Temporary/LastTest.log"
status=0
ctest --test-dir "$BUILD" --output-on-failure --no-tests=error -j 2 -LE source "$@" || status=$?

# Run whatever the first tree's tests gave. The same arguments select among
# the Clang tree's unit tests; none selected (say, -L gui) is no failure.
quarnel_step "Running the unit tests built by Clang"
quarnel_step_log "$BUILD-clang/Testing/Temporary/LastTest.log"
ctest --test-dir "$BUILD-clang" --output-on-failure --no-tests=ignore -L unit "$@"

if [ "$status" -ne 0 ]; then
  quarnel_step "Running the tests"
  quarnel_step_log "$BUILD/Testing/Temporary/LastTest.log"
  exit "$status"
fi
