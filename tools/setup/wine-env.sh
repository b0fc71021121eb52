# shellcheck shell=bash
# The one Wine environment of a build tree: its throwaway win32 prefix,
# Wine's settings and the virtual display its session runs. Sourced by the
# scripts (through wine-session.sh) and by the CTest emulator, so that a test
# run by ctest alone sees exactly what test.sh gives it.
#
# Needs QUARNEL_BUILD_DIR, the build tree. QUARNEL_WINE_LANE=wow64 selects
# the tree's second environment instead: a 64-bit prefix, where 32-bit
# programs run as under WoW64, with a session (wineserver and display) of
# its own, so that both lanes run side by side without sharing named
# objects, registry or windows.

# Wine takes only an absolute prefix.
case "$QUARNEL_BUILD_DIR" in
  /*) ;;
  *) QUARNEL_BUILD_DIR="$PWD/$QUARNEL_BUILD_DIR" ;;
esac
export QUARNEL_BUILD_DIR
case "${QUARNEL_WINE_LANE:-}" in
  "") QUARNEL_LANE_SUFFIX="" WINEARCH=win32 ;;
  # Debian's wine runs 32-bit programs with the 32-bit loader in this prefix
  # too; Wine starts 64-bit ones with wine64 beside it.
  wow64) QUARNEL_LANE_SUFFIX=-wow64 WINEARCH=win64 ;;
  *)
    echo "error: QUARNEL_WINE_LANE is '$QUARNEL_WINE_LANE'; it is empty or wow64" >&2
    return 2
    ;;
esac
export WINEARCH
export WINEPREFIX="$QUARNEL_BUILD_DIR/wineprefix$QUARNEL_LANE_SUFFIX"
export WINEDEBUG="${WINEDEBUG:--all}"
# Keeps prefix creation from offering to install .NET and an HTML engine.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

# Where a running session keeps its display number and Xvfb's process id.
QUARNEL_SESSION_DIR="$QUARNEL_BUILD_DIR/wine-session$QUARNEL_LANE_SUFFIX"
# shellcheck disable=SC2034  # read by wine-session.sh, which sources this file
QUARNEL_SESSION_LOG="$QUARNEL_BUILD_DIR/logs/wine-session$QUARNEL_LANE_SUFFIX.log"

if [ -s "$QUARNEL_SESSION_DIR/display" ]; then
  DISPLAY=":$(cat "$QUARNEL_SESSION_DIR/display")"
  export DISPLAY
fi

# True when the session's Xvfb still runs.
quarnel_display_running() {
  local pid
  pid=$(cat "$QUARNEL_SESSION_DIR/xvfb.pid" 2>/dev/null) || return 1
  [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null &&
    [ -s "$QUARNEL_SESSION_DIR/display" ]
}

# True when a wineserver serves this prefix. It works in a folder named
# after the prefix's device and inode numbers, whose parent differs between
# Wine builds (Debian's is random), so its working folder tells.
quarnel_wineserver_running() {
  [ -d "$WINEPREFIX" ] || return 1
  local ids device inode pid
  ids=$(stat -c '%d %i' "$WINEPREFIX") || return 1
  read -r device inode <<<"$ids"
  local folder
  folder=server-$(printf '%x-%x' "$device" "$inode")
  for pid in $(pgrep -f wineserver); do
    case "$(readlink "/proc/$pid/cwd" 2>/dev/null)" in
      */"$folder") return 0 ;;
    esac
  done
  return 1
}

quarnel_wine_session_running() {
  quarnel_display_running && quarnel_wineserver_running
}
