# Sourced: can this machine run 32-bit x86 programs, and if not, emulation
# through qemu-user registered with binfmt_misc.
#
# Some kernels fault on every jump into a 32-bit code segment, so i386
# programs fail with "Exec format error". Whether that is so is found out by
# running a tiny i386 program, never guessed from the kernel's name.
# LAUNCHER_FORCE_EMULATED_I386=1 treats the machine as one without native
# 32-bit support, so the emulated path can be tried anywhere.

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/apt.sh"

I386_BINFMT_NAME=launcher-qemu-i386
I386_BINFMT_DIR=/proc/sys/fs/binfmt_misc
I386_QEMU_MIN_MAJOR=10

# Writes a static i386 ELF that exits with status 42 through int 0x80.
_i386_write_probe() {
  printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'\
'\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00'\
'\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00'\
'\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08'\
'\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00'\
'\x00\x10\x00\x00\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80' >"$1"
  chmod +x "$1"
}

# True when an i386 program runs, by whatever means the kernel has now.
i386_runs() {
  local probe status
  probe=$(mktemp)
  _i386_write_probe "$probe"
  set +e
  "$probe" 2>/dev/null
  status=$?
  set -e
  rm -f "$probe"
  [ "$status" -eq 42 ]
}

_i386_emulation_entry() { [ -e "$I386_BINFMT_DIR/$I386_BINFMT_NAME" ]; }

# True when the processor itself runs i386 code: our emulation entry, if
# any, is switched off while the probe runs.
i386_processor_runs() {
  local result=0
  if _i386_emulation_entry; then
    echo 0 >"$I386_BINFMT_DIR/$I386_BINFMT_NAME"
    i386_runs || result=1
    echo 1 >"$I386_BINFMT_DIR/$I386_BINFMT_NAME"
  else
    i386_runs || result=1
  fi
  return $result
}

# True when 32-bit programs are to run natively: the processor can, and the
# emulated path is not forced.
i386_runs_natively() {
  [ "${LAUNCHER_FORCE_EMULATED_I386:-}" != 1 ] && i386_processor_runs
}

# native, emulated or none: how 32-bit programs would run now.
i386_mode() {
  if i386_runs_natively; then
    echo native
  elif { _i386_emulation_entry && i386_runs; } || i386_run_emulated i386_runs; then
    echo emulated
  else
    echo none
  fi
}

_i386_qemu_major() {
  local version
  version=$(qemu-i386 --version 2>/dev/null | sed -n 's/^qemu-i386 version \([0-9]*\)\..*/\1/p')
  echo "${version:-0}"
}

# The distribution's backports suite, from the archive the machine already
# uses for its own release. Prints nothing when none can be derived.
_i386_add_backports_source() {
  local codename uri keyring
  codename=$(apt_codename)
  [ -n "$codename" ] || return 1
  if grep -rqs "^Suites:.*\b$codename-backports\b\|^deb .* $codename-backports " \
      /etc/apt/sources.list /etc/apt/sources.list.d/; then
    return 0
  fi
  # The first deb822 stanza or one-line entry that serves the release itself.
  uri=$(awk -v suite="$codename" '
      /^URIs:/ { uris = $2 }
      /^Suites:/ { for (i = 2; i <= NF; i++) if ($i == suite) { print uris; exit } }
      /^deb / { for (i = 2; i <= NF; i++) if ($i ~ /^(https?|file):/) { if ($(i + 1) == suite) { print $i; exit } } }
    ' /etc/apt/sources.list.d/*.sources /etc/apt/sources.list 2>/dev/null)
  [ -n "$uri" ] || return 1
  keyring=/usr/share/keyrings/debian-archive-keyring.gpg
  {
    echo "Types: deb"
    echo "URIs: $uri"
    echo "Suites: $codename-backports"
    echo "Components: main"
    [ -f "$keyring" ] && echo "Signed-By: $keyring"
  } >"/etc/apt/sources.list.d/$codename-backports.sources"
  apt_refresh
}

# Installs qemu-user of a version fast enough for Wine: the release's own 7.2
# takes a minute per 32-bit process.
i386_install_qemu() {
  [ "$(_i386_qemu_major)" -ge "$I386_QEMU_MIN_MAJOR" ] && return 0
  local codename
  codename=$(apt_codename)
  if ! _i386_add_backports_source; then
    echo "i386 emulation: no backports suite could be derived from the apt sources" >&2
    return 1
  fi
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    -t "$codename-backports" qemu-user >/dev/null 2>&1 || true
  if [ "$(_i386_qemu_major)" -lt "$I386_QEMU_MIN_MAJOR" ]; then
    echo "i386 emulation: qemu-user $I386_QEMU_MIN_MAJOR or later is not available" >&2
    return 1
  fi
}

# Registers qemu-i386 for i386 programs in the binfmt_misc instance mounted
# at I386_BINFMT_DIR.
_i386_register() {
  [ -e "$I386_BINFMT_DIR/register" ] || mount -t binfmt_misc binfmt_misc "$I386_BINFMT_DIR" 2>/dev/null || true
  [ -e "$I386_BINFMT_DIR/register" ] || return 1
  _i386_emulation_entry && return 0
  # ELF32, little endian, executable or shared object, machine 3 (i386).
  # F opens the interpreter now, so it also serves other mount namespaces.
  printf '%s' ":$I386_BINFMT_NAME:M::"\
'\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:'\
'\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'\
"$(command -v qemu-i386):F" >"$I386_BINFMT_DIR/register"
}

# Emulation for the whole machine, where its processor cannot run i386 code.
i386_provide_emulation() {
  i386_install_qemu || return 1
  if ! _i386_register; then
    echo "i386 emulation: binfmt_misc is not available" >&2
    return 1
  fi
  i386_runs
}

# Runs a command with i386 programs emulated: through the machine's
# registration where there is one, else in a user and mount namespace with
# a binfmt_misc instance of its own (Linux 6.7 and later), so a forced run
# leaves a machine that runs i386 code itself untouched.
i386_run_emulated() {
  if _i386_emulation_entry && [ "$(head -1 "$I386_BINFMT_DIR/$I386_BINFMT_NAME")" = enabled ]; then
    "$@"
    return
  fi
  [ "$(_i386_qemu_major)" -ge "$I386_QEMU_MIN_MAJOR" ] || return 1
  unshare --user --map-root-user --mount --propagation private bash -c '
    source "$1"; shift
    mount -t binfmt_misc binfmt_misc "$I386_BINFMT_DIR" 2>/dev/null && _i386_register || exit 125
    "$@"' i386-emulated "${BASH_SOURCE[0]}" "$@"
}

# Takes the machine-wide emulation away again, so a machine that runs i386
# code itself is not left emulating it.
i386_remove_emulation() {
  if _i386_emulation_entry; then echo -1 >"$I386_BINFMT_DIR/$I386_BINFMT_NAME"; fi
}
