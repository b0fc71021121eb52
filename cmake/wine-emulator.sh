#!/bin/sh
# Runs a Windows program under Wine in the build tree's throwaway prefix.
# test.sh starts the wineserver and the display; this only points at them.
: "${QUARNEL_BUILD_DIR:=$(cd "$(dirname "$0")/.." && pwd)/build}"
export WINEPREFIX="${WINEPREFIX:-$QUARNEL_BUILD_DIR/wineprefix}"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec wine "$@"
