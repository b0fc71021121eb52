# shellcheck shell=bash
# Configures and builds a build tree with the release preset. Sourced by
# test.sh, demo.sh and bench.sh after steps.sh.

# Configures build directory $1 with the release preset and builds targets
# $3... (none: everything), announcing it as building "$2". The output goes
# to the terminal and to $1/logs/build.log.
quarnel_configure_and_build() {
  local build_dir=$1
  shift
  # The project's own trees embed the stand-in installer, asked for by name.
  quarnel_configure_payload_and_build "$build_dir" standin "$@"
}

# The same with the payload $2 (-DQUARNEL_SETUP_PAYLOAD): "sample" configures
# a release as a release engineer would, around the sample's NSIS installer.
quarnel_configure_payload_and_build() {
  local build_dir=$1 payload=$2 what=$3
  shift 3
  mkdir -p "$build_dir/logs"
  local log="$build_dir/logs/build.log" preset="cmake --preset release"
  [ "$payload" = standin ] || preset+=" -DQUARNEL_SETUP_PAYLOAD=$payload"
  quarnel_step "Configuring ($preset)"
  quarnel_step_log "$log"
  cmake --preset release -B "$build_dir" -DQUARNEL_SETUP_PAYLOAD="$payload" >"$log" 2>&1
  quarnel_step "Building $what"
  quarnel_step_log "$log"
  cmake --build "$build_dir" ${1:+--target "$@"} 2>&1 | tee -a "$log"
}

# Configures and builds the second compiler's tree $1 (preset clang): the
# launcher and its unit tests built by Clang and lld. Its tests run in the
# Wine prefix and session of the release tree $2. The output goes to the
# terminal and to $1/logs/build.log.
quarnel_configure_and_build_clang() {
  local build_dir=$1 wine_tree=$2
  mkdir -p "$build_dir/logs"
  local log="$build_dir/logs/build.log"
  quarnel_step "Configuring the Clang tree (cmake --preset clang)"
  quarnel_step_log "$log"
  cmake --preset clang -B "$build_dir" -DQUARNEL_SETUP_PAYLOAD=standin \
    -DQUARNEL_WINE_BUILD_DIR="$wine_tree" >"$log" 2>&1
  quarnel_step "Building the launcher and its unit tests with Clang"
  quarnel_step_log "$log"
  cmake --build "$build_dir" --target quarnel_unit_tests 2>&1 | tee -a "$log"
}
