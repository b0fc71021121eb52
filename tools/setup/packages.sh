# shellcheck shell=bash
# Installs, from Debian's packages, whatever the build, the tests and the
# demo need and is not there yet. Sourced by test.sh, demo.sh and bench.sh
# after steps.sh.
#
# Mirrors are sometimes caught mid-sync: one package index then fails to
# download ("File has unexpected size ... Mirror sync in progress?"). That
# alone must not stop a run that can still install, so a failed index is
# reported and retried once, and the install is attempted all the same;
# only packages that could not be installed stop the run.

QUARNEL_PACKAGES=(
  cmake ninja-build nsis
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine32:i386 wine64 xvfb
  googletest
  fonts-wqy-microhei fonts-dejavu-core
  imagemagick
  locales-all
  python3
  procps
  osslsigncode openssl
  clang lld clang-tidy clang-format shellcheck
)

# The prefix that runs a command as root: empty for root, sudo otherwise.
QUARNEL_SUDO=""

quarnel_find_root_runner() {
  if [ "$(id -u)" -eq 0 ]; then
    QUARNEL_SUDO=""
  elif command -v sudo >/dev/null; then
    QUARNEL_SUDO=sudo
  else
    echo "error: installing packages needs root, and sudo is not there: run this script as root" >&2
    return 1
  fi
}

# Set by quarnel_apt_update: 1 when some package index could not be fetched.
QUARNEL_APT_INDEX_FAILED=0

quarnel_missing_packages() {
  local pkg missing=()
  for pkg in "${QUARNEL_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' \
      || missing+=("$pkg")
  done
  echo "${missing[@]}"
}

# The indexes an apt-get update output ($1) failed to fetch, one
# "suite/component arch" a line.
quarnel_failed_indexes() {
  printf '%s\n' "$1" | awk '/^Err:/ { print $3, $4 }' | sort -u
}

# apt-get update, retried once when an index fails; never fails for a failed
# index, only says so and sets QUARNEL_APT_INDEX_FAILED. Output goes to
# $QUARNEL_PACKAGES_LOG.
quarnel_apt_update() {
  local attempt output failed
  for attempt in 1 2; do
    output=$($QUARNEL_SUDO apt-get update -q 2>&1) || true
    printf '%s\n' "$output" >>"$QUARNEL_PACKAGES_LOG"
    failed=$(quarnel_failed_indexes "$output")
    if [ -z "$failed" ]; then
      QUARNEL_APT_INDEX_FAILED=0
      return 0
    fi
    echo "    warning: package indexes that could not be fetched: $(printf '%s\n' "$failed" | paste -sd, | sed 's/,/, /g')" >&2
    [ "$attempt" -eq 1 ] && echo "    retrying apt-get update once"
  done
  echo "    going on with the package lists that could be fetched"
  QUARNEL_APT_INDEX_FAILED=1
}

# apt-get install -y of the packages "$@", output to the log, with a short
# progress on the terminal.
quarnel_apt_get_install() {
  # Recommended packages come too: Wine's own fonts among them, which the
  # dialog tests' pixels were taken with. apt's status decides; the filter
  # only thins its output.
  $QUARNEL_SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$@" 2>&1 \
    | tee -a "$QUARNEL_PACKAGES_LOG" \
    | { grep --line-buffered -E '^(Setting up|Unpacking)' | sed -u 's/^/    /' || true; }
}

# Installs the packages "$@". When an index failed, the suites that were
# fetched can disagree across architectures (an amd64 library from the
# security suite has no i386 twin of the same version), so a failed install
# is tried again with every candidate taken from the release's own suite.
quarnel_apt_install() {
  quarnel_apt_get_install "$@" && return 0
  [ "$QUARNEL_APT_INDEX_FAILED" -eq 1 ] || return 1
  local release
  release=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  [ -n "$release" ] || return 1
  echo "    the install failed with an index missing; trying again with every package from $release's own suite"
  quarnel_apt_get_install -t "$release" "$@"
}

# Installs what QUARNEL_PACKAGES lists and the machine lacks. $1: the folder
# for the log. Fails, with one line, only when packages are still missing.
quarnel_install_packages() {
  local missing
  missing=$(quarnel_missing_packages)
  [ -z "$missing" ] && return 0
  quarnel_step "Installing Debian packages: $missing (a few minutes on a fresh machine)"
  mkdir -p "$1"
  QUARNEL_PACKAGES_LOG="$1/packages.log"
  quarnel_step_log "$QUARNEL_PACKAGES_LOG"
  quarnel_find_root_runner || return 1
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $QUARNEL_SUDO dpkg --add-architecture i386
  fi
  echo "    updating the package lists"
  quarnel_apt_update
  # shellcheck disable=SC2086
  quarnel_apt_install $missing || true
  missing=$(quarnel_missing_packages)
  if [ -n "$missing" ]; then
    echo "error: these packages could not be installed: $missing (see $QUARNEL_PACKAGES_LOG)" >&2
    return 1
  fi
}
