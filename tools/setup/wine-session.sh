#!/usr/bin/env bash
# One Wine session for a build tree: a throwaway win32 prefix inside it, a
# persistent wineserver, an Xvfb display and one kept desktop.
#
# Sourced by test.sh, demo.sh and bench.sh (after steps.sh): their session
# ends when they do. Run as a command, it starts or stops a session that
# outlives it, which is how the CTest emulator gets one for `ctest` alone:
#   tools/setup/wine-session.sh start|stop|status [BUILD_DIR]
# (with QUARNEL_WINE_LANE=wow64 in the environment: the 64-bit prefix's).
#
# Each lane's environment is set in a subshell of its own, so that the
# lanes never see each other's; shellcheck's notes on that are by design.
# shellcheck disable=SC2030,SC2031

QUARNEL_SETUP_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=i386.sh
source "$QUARNEL_SETUP_DIR/i386.sh"

# Waits for background process $1, saying every 15 seconds that `$2` still
# runs, so a long quiet step is not taken for a hang. Returns its exit code.
quarnel_wait_with_progress() {
  local pid=$1 what=$2 seconds=0
  while kill -0 "$pid" 2>/dev/null; do
    sleep 1
    seconds=$((seconds + 1))
    if [ $((seconds % 15)) -eq 0 ]; then printf '    ... %s (%d s)\n' "$what" "$seconds"; fi
  done
  wait "$pid"
}

# Starts Xvfb on a display it picks itself and waits until it serves: Xvfb
# writes the number to -displayfd only once it accepts clients, so no lock
# file is probed and no other server can take the number in between.
quarnel_start_display() {
  local fifo="$QUARNEL_SESSION_DIR/displayfd" display=""
  rm -f "$fifo"
  mkfifo "$fifo"
  setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
    3>"$fifo" </dev/null >>"$QUARNEL_SESSION_LOG" 2>&1 &
  echo $! >"$QUARNEL_SESSION_DIR/xvfb.pid"
  read -r -t 60 display <"$fifo" || true
  rm -f "$fifo"
  if [ -z "$display" ]; then
    echo "error: Xvfb did not start (see $QUARNEL_SESSION_LOG)" >&2
    return 1
  fi
  echo "$display" >"$QUARNEL_SESSION_DIR/display"
  export DISPLAY=":$display"
}

# Starts the session of build tree $1. With --detached as $2 it outlives
# the calling script; otherwise it ends when that script exits.
quarnel_wine_start() {
  local detached=${2:-}
  export QUARNEL_BUILD_DIR=$1
  # shellcheck source=wine-env.sh
  source "$QUARNEL_SETUP_DIR/wine-env.sh"
  mkdir -p "$QUARNEL_SESSION_DIR" "$(dirname "$QUARNEL_SESSION_LOG")"
  : >"$QUARNEL_SESSION_LOG"
  quarnel_step_log "$QUARNEL_SESSION_LOG"
  quarnel_wine_stop
  [ "$detached" = --detached ] || quarnel_at_exit quarnel_wine_stop

  # Wine's win32 side is made of i386 programs.
  quarnel_ensure_i386 "$QUARNEL_SESSION_DIR" "$QUARNEL_SESSION_LOG"
  quarnel_start_display
  mkdir -p "$WINEPREFIX"
  # Wine's services inherit stdio; detached here, ctest never waits on them.
  if ! wineserver -p </dev/null >>"$QUARNEL_SESSION_LOG" 2>&1; then
    echo "error: wineserver did not start (see $QUARNEL_SESSION_LOG)" >&2
    return 1
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "    creating the throwaway Wine prefix $WINEPREFIX (about a minute, once)"
  fi
  wineboot -i </dev/null >>"$QUARNEL_SESSION_LOG" 2>&1 &
  if ! quarnel_wait_with_progress $! "wineboot still preparing the prefix"; then
    echo "error: wineboot failed (see $QUARNEL_SESSION_LOG)" >&2
    return 1
  fi
  quarnel_wine_fonts
  # Xvfb has no window manager: unmanaged windows spare Wine its waits for
  # one (about two seconds whenever an active window hides).
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
    </dev/null >>"$QUARNEL_SESSION_LOG" 2>&1 || true
  quarnel_wine_keep_desktop
}

# One desktop for the whole session (see tools/desktop_keeper), when the
# build has the keeper; wineserver -k ends it.
quarnel_wine_keep_desktop() {
  local keeper="$QUARNEL_BUILD_DIR/bin/standins/desktop_keeper.exe"
  [ -f "$keeper" ] || return 0
  setsid wine "$keeper" </dev/null >>"$QUARNEL_SESSION_LOG" 2>&1 &
}

# Replaces the dialog's Windows font faces with one that has Chinese and
# Japanese glyphs (see the .reg file); without it those texts show as boxes.
quarnel_wine_fonts() {
  local reg="$QUARNEL_SETUP_DIR/wine-fonts.reg"
  # Not fatal: only the look of Chinese and Japanese text depends on it.
  wine reg import "Z:${reg//\//\\}" </dev/null >>"$QUARNEL_SESSION_LOG" 2>&1 \
    || echo "warning: importing $reg into the Wine prefix failed" >&2
}

# The lanes test.sh runs, as QUARNEL_WINE_LANE values (see wine-env.sh):
# the 32-bit prefix and the 64-bit one.
QUARNEL_WINE_LANES=("" wow64)

# Starts the session of each lane of build tree $1, side by side (making a
# fresh prefix takes a minute or more each); they end when the calling
# script does.
quarnel_wine_start_lanes() {
  local build=$1 lane failed=0 pids=()
  export QUARNEL_BUILD_DIR=$build
  quarnel_at_exit quarnel_wine_stop_lanes
  mkdir -p "$build/logs" "$build/wine-session"
  quarnel_step_log "$build/logs/wine-session*.log"
  # Once before the lanes, which both need it: the fallback installs.
  quarnel_ensure_i386 "$build/wine-session" "$build/logs/wine-session-i386.log" || return 1
  for lane in "${QUARNEL_WINE_LANES[@]}"; do
    (QUARNEL_WINE_LANE=$lane quarnel_wine_start "$build" --detached) &
    pids+=($!)
  done
  for lane in "${pids[@]}"; do
    wait "$lane" || failed=1
  done
  return "$failed"
}

# Ends the session of every lane of the build tree in QUARNEL_BUILD_DIR.
quarnel_wine_stop_lanes() {
  local lane
  for lane in "${QUARNEL_WINE_LANES[@]}"; do
    (
      export QUARNEL_WINE_LANE=$lane
      source "$QUARNEL_SETUP_DIR/wine-env.sh"
      quarnel_wine_stop
    )
  done
}

# Ends the session of the build tree in QUARNEL_BUILD_DIR, if one runs.
quarnel_wine_stop() {
  [ -n "${QUARNEL_SESSION_DIR:-}" ] || return 0
  if quarnel_wineserver_running; then
    wineserver -k </dev/null >/dev/null 2>&1 || true
  fi
  local pid
  pid=$(cat "$QUARNEL_SESSION_DIR/xvfb.pid" 2>/dev/null) || true
  if [ -n "$pid" ]; then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  fi
  rm -f "$QUARNEL_SESSION_DIR/xvfb.pid" "$QUARNEL_SESSION_DIR/display"
}

quarnel_wine_session_command() {
  local command=${1:-} root
  root=$(cd "$QUARNEL_SETUP_DIR/../.." && pwd)
  export QUARNEL_BUILD_DIR=${2:-${QUARNEL_BUILD_DIR:-$root/build}}
  # shellcheck source=steps.sh
  source "$QUARNEL_SETUP_DIR/steps.sh"
  # shellcheck source=wine-env.sh
  source "$QUARNEL_SETUP_DIR/wine-env.sh"
  case "$command" in
    start)
      quarnel_step "Starting the Wine session of $QUARNEL_BUILD_DIR"
      quarnel_wine_start "$QUARNEL_BUILD_DIR" --detached
      echo "    display $DISPLAY; stop it with: ${QUARNEL_WINE_LANE:+QUARNEL_WINE_LANE=$QUARNEL_WINE_LANE }$0 stop $QUARNEL_BUILD_DIR"
      ;;
    stop) quarnel_wine_stop ;;
    status)
      if quarnel_wine_session_running; then
        echo "running on display $DISPLAY"
      else
        echo "not running"
        trap - EXIT  # an answer, not a failed step
        exit 3
      fi
      ;;
    *) echo "usage: $0 start|stop|status [BUILD_DIR]" >&2; return 2 ;;
  esac
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  set -euo pipefail
  quarnel_wine_session_command "$@"
fi
