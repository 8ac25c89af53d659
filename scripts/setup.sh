#!/usr/bin/env bash
# Installs the cross toolchain, Wine and the GUI test tools on Debian 12.
# Safe to run again: it only installs what is missing.
set -euo pipefail

packages=(
  mingw-w64 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  cmake ninja-build googletest clang libclang-rt-14-dev
  wine wine32:i386 wine64 xvfb imagemagick
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
