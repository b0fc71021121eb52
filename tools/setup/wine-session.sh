# One Wine session for a whole run: a throwaway win32 prefix inside the build
# tree, a persistent wineserver and an Xvfb display. Sourced by test.sh,
# demo.sh and bench.sh; quarnel_wine_stop runs on every exit.

QUARNEL_SETUP_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

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

quarnel_wine_start() {
  local build_dir=$1
  export WINEPREFIX="$build_dir/wineprefix"
  export WINEARCH=win32
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export QUARNEL_BUILD_DIR="$build_dir"

  # A display of our own, so windows never land on the user's screen.
  local display=99
  while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
  done
  Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
  QUARNEL_XVFB_PID=$!
  export DISPLAY=":$display"
  trap quarnel_wine_stop EXIT

  # Wine's services inherit stdio; detached here, ctest never waits on them.
  mkdir -p "$WINEPREFIX"
  wineserver -p </dev/null >/dev/null 2>&1
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    quarnel_step "Creating the throwaway Wine prefix $WINEPREFIX (about a minute, once)"
  fi
  wineboot -i </dev/null >"$build_dir/wineboot.log" 2>&1 &
  quarnel_wait_with_progress $! "wineboot still preparing the prefix" || {
    echo "wineboot failed, see $build_dir/wineboot.log" >&2
    return 1
  }
  quarnel_wine_fonts
  # Xvfb has no window manager: unmanaged windows spare Wine its waits for
  # one (about two seconds whenever an active window hides).
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 || true
  # Make sure the server stays up between test programs.
  wineserver -p </dev/null >/dev/null 2>&1 || true
  quarnel_wine_keep_desktop "$build_dir"
}

# One desktop for the whole session (see tools/desktop_keeper), when the
# build has the keeper; wineserver -k ends it.
quarnel_wine_keep_desktop() {
  local keeper="$1/bin/standins/desktop_keeper.exe"
  [ -f "$keeper" ] || return 0
  wine "$keeper" </dev/null >/dev/null 2>&1 &
}

# Replaces the dialog's Windows font faces with one that has Chinese and
# Japanese glyphs (see the .reg file); without it those texts show as boxes.
quarnel_wine_fonts() {
  local reg="$QUARNEL_SETUP_DIR/wine-fonts.reg"
  # Not fatal: only the look of Chinese and Japanese text depends on it.
  wine reg import "Z:${reg//\//\\}" </dev/null >/dev/null 2>&1 \
    || echo "warning: importing $reg into the Wine prefix failed" >&2
}

quarnel_wine_stop() {
  if [ -n "${WINEPREFIX:-}" ]; then
    wineserver -k </dev/null >/dev/null 2>&1 || true
  fi
  if [ -n "${QUARNEL_XVFB_PID:-}" ]; then
    kill "$QUARNEL_XVFB_PID" 2>/dev/null || true
    wait "$QUARNEL_XVFB_PID" 2>/dev/null || true
    QUARNEL_XVFB_PID=
  fi
}
