# Installs, from Debian's packages, whatever the build, the tests and the
# demo need and is not there yet. Sourced by test.sh, demo.sh and bench.sh.

QUARNEL_PACKAGES=(
  cmake ninja-build
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  wine wine32:i386 xvfb
  googletest
  fonts-wqy-microhei fonts-dejavu-core
  imagemagick
  locales-all
  python3 osslsigncode openssl
)

quarnel_step() { printf '\n==> %s\n' "$*"; }

# Configures build directory $1 with the release preset and builds targets
# $2... (none: everything), announcing it as building "$what".
quarnel_configure_and_build() {
  local build_dir=$1 what=$2
  shift 2
  quarnel_step "Configuring (cmake --preset release)"
  cmake --preset release -B "$build_dir" >/dev/null
  quarnel_step "Building $what"
  cmake --build "$build_dir" ${1:+--target "$@"}
}

quarnel_missing_packages() {
  local pkg missing=()
  for pkg in "${QUARNEL_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' \
      || missing+=("$pkg")
  done
  echo "${missing[@]}"
}

quarnel_install_packages() {
  local missing
  missing=$(quarnel_missing_packages)
  if [ -z "$missing" ]; then
    return 0
  fi
  quarnel_step "Installing Debian packages: $missing (a few minutes on a fresh machine)"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
  fi
  echo "    updating the package lists"
  $sudo apt-get update -q
  # Recommended packages come too: Wine's own fonts among them, which the
  # dialog tests' pixels were taken with. apt's status decides; the filter
  # only thins its output.
  # shellcheck disable=SC2086
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q $missing \
    | { grep --line-buffered -E '^(Setting up|Unpacking)' | sed -u 's/^/    /' || true; }
}
