#!/usr/bin/env bash
# Installs what is missing, builds the launcher and its tests, and runs every
# test under Wine. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
ROOT=$PWD
BUILD=$ROOT/build

source tools/setup/packages.sh
source tools/setup/wine-session.sh

quarnel_install_packages

quarnel_step "Configuring (cmake --preset release)"
cmake --preset release >/dev/null

quarnel_step "Building the launcher, stand-ins and tests"
cmake --build --preset release

quarnel_step "Starting Wine and the test display"
quarnel_wine_start "$BUILD"

quarnel_step "Running the tests"
ctest --preset release --progress "$@"
