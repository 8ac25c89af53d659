#!/usr/bin/env bash
# Configures and builds both Windows launchers and everything their tests
# need: build/x86 (launcher.exe) and build/x64 (launcher64.exe).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# LAUNCHER_BUILD_ROOT puts the build trees elsewhere, so work trees can share a checkout.
build=${LAUNCHER_BUILD_ROOT:-$root/build}
bash "$root/scripts/setup.sh"
for arch in x86 x64; do
  toolchain=$root/cmake/mingw-$([ $arch = x86 ] && echo i686 || echo x86_64).cmake
  cmake -S "$root" -B "$build/$arch" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DPAIRED_BUILD_DIR="$build/$([ $arch = x86 ] && echo x64 || echo x86)" >/dev/null
  cmake --build "$build/$arch"
done
