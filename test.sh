#!/usr/bin/env bash
# Installs what is missing, builds the launcher and its tests, and runs every
# test under Wine. Exits non-zero on any failure, with a last line on stderr
# that names the step that failed and the log to read. Arguments go to ctest.
set -euo pipefail
cd "$(dirname "$0")"
ROOT=$PWD
# QUARNEL_BUILD_DIR lets several checkouts of work share one tree.
BUILD=${QUARNEL_BUILD_DIR:-$ROOT/build}

source tools/setup/steps.sh
source tools/setup/packages.sh
source tools/setup/build.sh
source tools/setup/wine-session.sh

quarnel_install_packages "$BUILD/logs"

quarnel_configure_and_build "$BUILD" "the launcher, stand-ins and tests"

quarnel_step "Starting Wine and the test displays: a 32-bit and a 64-bit prefix"
quarnel_wine_start_lanes "$BUILD"

# Two at a time: the lanes run side by side, each one test at a time (the
# tests hold their prefix's lock; see tests/wow64/lane.cmake).
quarnel_step "Running the tests"
quarnel_step_log "$BUILD/Testing/Temporary/LastTest.log"
ctest --test-dir "$BUILD" --output-on-failure --no-tests=error -j 2 "$@"
