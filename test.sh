#!/usr/bin/env bash
# Installs what is missing, builds the launcher and its tests, and runs every
# test under Wine. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
ROOT=$PWD
# QUARNEL_BUILD_DIR lets several checkouts of work share one tree.
BUILD=${QUARNEL_BUILD_DIR:-$ROOT/build}

source tools/setup/packages.sh
source tools/setup/wine-session.sh

quarnel_install_packages

quarnel_configure_and_build "$BUILD" "the launcher, stand-ins and tests"

quarnel_step "Starting Wine and the test display"
quarnel_wine_start "$BUILD"

quarnel_step "Running the tests"
ctest --test-dir "$BUILD" --output-on-failure --no-tests=error "$@"
