# shellcheck shell=bash
# The start test.sh, demo.sh and bench.sh share, sourced first by each: the
# repository root as working folder and ROOT, the build tree as BUILD
# (QUARNEL_BUILD_DIR, else build/), the set-up's steps loaded and the Debian
# packages installed.

cd "$(dirname "$0")"
ROOT=$PWD
# QUARNEL_BUILD_DIR lets several checkouts of work share one tree.
BUILD=${QUARNEL_BUILD_DIR:-$ROOT/build}

source tools/setup/steps.sh
source tools/setup/packages.sh
source tools/setup/build.sh
source tools/setup/wine-session.sh

quarnel_install_packages "$BUILD/logs"
