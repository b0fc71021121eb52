# shellcheck shell=bash
# The one Wine environment of a build tree: its throwaway win32 prefix,
# Wine's settings and the virtual display its session runs. Sourced by the
# scripts (through wine-session.sh) and by the CTest emulator, so that a test
# run by ctest alone sees exactly what test.sh gives it.
#
# Needs QUARNEL_BUILD_DIR, the build tree.

# Wine takes only an absolute prefix.
case "$QUARNEL_BUILD_DIR" in
  /*) ;;
  *) QUARNEL_BUILD_DIR="$PWD/$QUARNEL_BUILD_DIR" ;;
esac
export QUARNEL_BUILD_DIR
export WINEPREFIX="$QUARNEL_BUILD_DIR/wineprefix"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
# Keeps prefix creation from offering to install .NET and an HTML engine.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

# Where a running session keeps its display number and Xvfb's process id.
QUARNEL_SESSION_DIR="$QUARNEL_BUILD_DIR/wine-session"
# shellcheck disable=SC2034  # read by wine-session.sh, which sources this file
QUARNEL_SESSION_LOG="$QUARNEL_BUILD_DIR/logs/wine-session.log"

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
