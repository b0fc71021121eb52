# shellcheck shell=bash
# Makes sure this host runs 32-bit (i386) Linux programs, which Wine's whole
# win32 side is made of. Sourced by test.sh, demo.sh and bench.sh through
# wine-session.sh.
#
# Some kernels ship without 32-bit emulation ("Exec format error" for every
# i386 program). There Debian 13's qemu-user, whose qemu-i386 is a static
# program, registered for i386 ELF files through binfmt_misc, runs Wine
# (Debian 12's QEMU 7.2 does not: it ignores the address hints Wine needs).
# The package is taken from the machine's own Debian mirror, pinned so low
# that nothing else is ever taken from that suite.

QUARNEL_BINFMT_DIR=/proc/sys/fs/binfmt_misc
QUARNEL_BINFMT_NAME=qemu-i386
QUARNEL_QEMU_I386=/usr/bin/qemu-i386
QUARNEL_FALLBACK_SUITE=trixie

# Writes a 76-byte static i386 ELF program that only calls exit(0) to $1.
quarnel_write_i386_probe() {
  # ELF header (52 bytes), one PT_LOAD program header (32 bytes) at offset 52,
  # code at 0x08048054: mov eax,1; xor ebx,ebx; int 0x80.
  printf '%b' \
    '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' \
    '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' \
    '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00' \
    '\x00\x00\x00\x00' \
    '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08' \
    '\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00' \
    '\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80\x90\x90\x90' >"$1"
  chmod +x "$1"
}

# True when an i386 program runs here, natively or through a registered
# emulator. $1: a folder to write the probe program into.
quarnel_i386_runs() {
  local probe="$1/i386-probe"
  mkdir -p "$1"
  quarnel_write_i386_probe "$probe"
  "$probe" 2>/dev/null
}

# True when i386 programs run through qemu rather than natively: then
# timings are not comparable with native ones.
quarnel_i386_emulated() {
  [ -r "$QUARNEL_BINFMT_DIR/$QUARNEL_BINFMT_NAME" ] &&
    head -n 1 "$QUARNEL_BINFMT_DIR/$QUARNEL_BINFMT_NAME" | grep -qx enabled
}

# The URI of the machine's own Debian archive (not its security suite), read
# from its apt sources, one-line or deb822 style.
quarnel_debian_mirror() {
  local file
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] || continue
    awk '
      /^URIs:/ { uri = $2 }
      /^Suites:/ { for (i = 2; i <= NF; i++) if ($i !~ /-/) main = 1 }
      /^$/ { if (main && uri !~ /security/) print uri; uri = ""; main = 0 }
      END { if (main && uri !~ /security/) print uri }' "$file"
  done
  cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
    awk '$1 == "deb" && $0 !~ /security/ { for (i = 2; i <= NF; i++) if ($i ~ /^[a-z]+:\/\//) { print $i; break } }'
}

# Adds the fallback suite as an apt source with priority 1: visible to apt,
# used only for the package named with /suite.
quarnel_add_fallback_suite() {
  local mirror
  mirror=$(quarnel_debian_mirror | head -n 1)
  [ -n "$mirror" ] || { echo "no Debian mirror found in the apt sources" >&2; return 1; }
  cat >/etc/apt/sources.list.d/quarnel-$QUARNEL_FALLBACK_SUITE.sources <<EOF
Types: deb
URIs: $mirror
Suites: $QUARNEL_FALLBACK_SUITE
Components: main
Architectures: $(dpkg --print-architecture)
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  cat >/etc/apt/preferences.d/quarnel-$QUARNEL_FALLBACK_SUITE <<EOF
Package: *
Pin: release n=$QUARNEL_FALLBACK_SUITE
Pin-Priority: 1
EOF
}

# True when the installed qemu-i386 is QUARNEL_FALLBACK_SUITE's (QEMU 10
# or later), the first whose user mode gives Wine the addresses it asks for.
quarnel_static_qemu_installed() {
  [ -x "$QUARNEL_QEMU_I386" ] &&
    "$QUARNEL_QEMU_I386" --version 2>/dev/null | grep -qE 'version ([1-9][0-9])\.'
}

# Installs Debian 13's qemu-user unless it is there.
quarnel_install_static_qemu() {
  quarnel_static_qemu_installed && return 0
  quarnel_add_fallback_suite || return 1
  quarnel_apt_update || return 1
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
    "qemu-user/$QUARNEL_FALLBACK_SUITE" && quarnel_static_qemu_installed
}

# Registers qemu-i386 for i386 executables and shared objects (e_type 2 and
# 3, e_machine 3). Flags: P keeps argv[0], O hands over the open file, C
# takes credentials from it, F loads the interpreter now, so it works in
# any mount namespace.
quarnel_register_qemu_i386() {
  if [ ! -e "$QUARNEL_BINFMT_DIR/register" ]; then
    mount -t binfmt_misc binfmt_misc "$QUARNEL_BINFMT_DIR" || return 1
  fi
  if [ -e "$QUARNEL_BINFMT_DIR/$QUARNEL_BINFMT_NAME" ]; then
    echo -1 >"$QUARNEL_BINFMT_DIR/$QUARNEL_BINFMT_NAME" || return 1
  fi
  local magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  local mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  echo ":$QUARNEL_BINFMT_NAME:M::$magic:$mask:$QUARNEL_QEMU_I386:POCF" >"$QUARNEL_BINFMT_DIR/register"
}

# Makes sure i386 programs run, with the qemu fallback where the kernel
# refuses them. $1: a scratch folder; $2: the log for the fallback's output.
# Fails with one line on stderr saying what the host lacks.
quarnel_ensure_i386() {
  local scratch=$1 log=$2
  quarnel_i386_runs "$scratch" && return 0
  echo "    this kernel does not run 32-bit programs; running them through qemu-user ($QUARNEL_FALLBACK_SUITE's, static) instead (log: $log)"
  if [ "$(id -u)" -ne 0 ]; then
    echo "error: this kernel refuses 32-bit programs, which Wine needs; boot it with ia32_emulation=on, or run this script as root so that it can register qemu-user for them" >&2
    return 1
  fi
  QUARNEL_PACKAGES_LOG=${QUARNEL_PACKAGES_LOG:-$log}
  if ! { quarnel_install_static_qemu && quarnel_register_qemu_i386; } >>"$log" 2>&1; then
    echo "error: this kernel refuses 32-bit programs and registering qemu-user for them failed (see $log); boot with ia32_emulation=on" >&2
    return 1
  fi
  if ! quarnel_i386_runs "$scratch"; then
    echo "error: 32-bit programs still do not run after registering $QUARNEL_QEMU_I386 (see $log); boot with ia32_emulation=on" >&2
    return 1
  fi
  echo "    32-bit programs now run through qemu-i386"
}
