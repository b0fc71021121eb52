# shellcheck shell=bash
# Configures and builds a build tree with the release preset. Sourced by
# test.sh, demo.sh and bench.sh after steps.sh.

# Configures build directory $1 with the release preset and builds targets
# $3... (none: everything), announcing it as building "$2". The output goes
# to the terminal and to $1/logs/build.log.
quarnel_configure_and_build() {
  local build_dir=$1 what=$2
  shift 2
  mkdir -p "$build_dir/logs"
  local log="$build_dir/logs/build.log"
  quarnel_step "Configuring (cmake --preset release)"
  quarnel_step_log "$log"
  # The project's own trees embed the stand-in installer, asked for by name.
  cmake --preset release -B "$build_dir" -DQUARNEL_SETUP_PAYLOAD=standin >"$log" 2>&1
  quarnel_step "Building $what"
  quarnel_step_log "$log"
  cmake --build "$build_dir" ${1:+--target "$@"} 2>&1 | tee -a "$log"
}

# Configures build directory $1 as a release of the sample product would be,
# its payload the sample's NSIS installer (-DQUARNEL_SETUP_PAYLOAD=sample),
# and builds the launcher. The output goes to $1/logs/build.log.
quarnel_configure_and_build_sample() {
  local build_dir=$1
  mkdir -p "$build_dir/logs"
  local log="$build_dir/logs/build.log"
  quarnel_step "Configuring a release with the sample's NSIS installer (-DQUARNEL_SETUP_PAYLOAD=sample)"
  quarnel_step_log "$log"
  cmake --preset release -B "$build_dir" -DQUARNEL_SETUP_PAYLOAD=sample >"$log" 2>&1
  quarnel_step "Building that release's Quarnel.exe"
  quarnel_step_log "$log"
  cmake --build "$build_dir" --target Quarnel 2>&1 | tee -a "$log"
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
