#!/usr/bin/env bash
# Installs the cross toolchains, a JDK for jni.h, Wine and the GUI test tools
# on Debian 12, and makes sure 32-bit x86 programs can run: natively where the
# processor does, else through qemu-user (see tests/harness/i386.sh).
# Safe to run again: it only installs what is missing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

packages=(
  mingw-w64 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  cmake ninja-build googletest clang libclang-rt-14-dev openjdk-17-jdk-headless
  wine wine32:i386 wine64 xvfb imagemagick
)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
  fi
  $sudo bash -c "source '$root/scripts/apt.sh' && apt_refresh && apt_install ${missing[*]}"
fi

source "$root/tests/harness/i386.sh"
if i386_runs_natively; then
  # A machine that runs i386 code itself is not left emulating it after a forced run.
  i386_remove_emulation
elif [ "$(id -u)" -ne 0 ]; then
  echo "setup: 32-bit x86 programs do not run here, and emulating them needs root" >&2
elif i386_processor_runs && i386_install_qemu && i386_run_emulated i386_runs; then
  :  # forced: emulated privately, per run
elif ! i386_provide_emulation; then
  echo "setup: 32-bit x86 programs cannot run here; the 32-bit suites will not run" >&2
fi
