# shellcheck shell=bash
# Steps of test.sh, demo.sh and bench.sh, and the one line every failure
# ends with. Sourced first by each of them (through tools/setup/start.sh).
#
# Each step says what it does (quarnel_step) and where its output goes
# (quarnel_step_log); when the script then ends with a non-zero status,
# whatever ended it, the last line on stderr names that step and that log.

QUARNEL_STEP="setting up"
QUARNEL_STEP_LOG=""
QUARNEL_SCRIPT_NAME=$(basename "$0")
QUARNEL_EXIT_HANDLERS=()
QUARNEL_CALLER_EXIT_TRAP=""
QUARNEL_EXIT_TRAP_SET=""

# Starts step "$*"; its output is on the terminal until quarnel_step_log.
quarnel_step() {
  QUARNEL_STEP=$*
  QUARNEL_STEP_LOG=""
  printf '\n==> %s\n' "$*"
}

# Names the log the current step writes, for the failure line.
quarnel_step_log() { QUARNEL_STEP_LOG=$1; }

# Runs handler $1 at exit with the exit status, after the EXIT trap the
# caller had set (which is kept) and before the handlers added earlier, so
# that the failure line, added first, is the last word.
quarnel_at_exit() {
  QUARNEL_EXIT_HANDLERS+=("$1")
  [ -n "$QUARNEL_EXIT_TRAP_SET" ] && return 0
  local words
  words=$(trap -p EXIT)
  if [ -n "$words" ]; then
    eval "set -- $words"
    QUARNEL_CALLER_EXIT_TRAP=$3
  fi
  trap quarnel_run_exit_handlers EXIT
  QUARNEL_EXIT_TRAP_SET=1
}

quarnel_run_exit_handlers() {
  local status=$? index
  set +e
  if [ -n "$QUARNEL_CALLER_EXIT_TRAP" ]; then
    eval "$QUARNEL_CALLER_EXIT_TRAP"
  fi
  for ((index = ${#QUARNEL_EXIT_HANDLERS[@]} - 1; index >= 0; index--)); do
    "${QUARNEL_EXIT_HANDLERS[$index]}" "$status"
  done
  exit "$status"
}

# The one line a failed run ends with.
quarnel_report_failure() {
  local status=$1
  [ "$status" -eq 0 ] && return 0
  printf '%s: failed (exit %d) at step "%s"; see %s\n' "$QUARNEL_SCRIPT_NAME" "$status" \
    "$QUARNEL_STEP" "${QUARNEL_STEP_LOG:-the output above}" >&2
}

quarnel_at_exit quarnel_report_failure
