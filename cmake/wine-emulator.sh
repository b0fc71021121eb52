#!/usr/bin/env bash
# Runs a Windows program under Wine in a build tree's throwaway prefix, with
# the environment test.sh gives it (tools/setup/wine-env.sh), so that
# `ctest --test-dir build -R NAME` reruns one test directly. When the tree's
# Wine session is not running (test.sh ends its own), one is started and
# left running; `tools/setup/wine-session.sh stop` ends it.
#   wine-emulator.sh BUILD_DIR PROGRAM [ARGS...]
set -euo pipefail
export QUARNEL_BUILD_DIR=$1
shift
setup_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/../tools/setup" && pwd)"
# shellcheck source=../tools/setup/wine-env.sh
source "$setup_dir/wine-env.sh"

if ! quarnel_wine_session_running; then
  mkdir -p "$QUARNEL_SESSION_DIR"
  # Tests run in parallel start the session once.
  # -o: the session's daemons must not inherit the lock and hold it forever.
  # shellcheck disable=SC2016  # the inner shell expands these; it gets the folder as $1
  if ! flock -o "$QUARNEL_SESSION_DIR/start.lock" bash -c '
      source "$1/wine-env.sh"
      quarnel_wine_session_running || "$1/wine-session.sh" start "$QUARNEL_BUILD_DIR"
    ' _ "$setup_dir" </dev/null >&2; then
    echo "error: no Wine session for $QUARNEL_BUILD_DIR${QUARNEL_WINE_LANE:+ (lane $QUARNEL_WINE_LANE)} and starting one failed; run ./test.sh (or $setup_dir/wine-session.sh start $QUARNEL_BUILD_DIR) first" >&2
    exit 1
  fi
  # shellcheck source=../tools/setup/wine-env.sh
  source "$setup_dir/wine-env.sh"
fi
exec wine "$@"
