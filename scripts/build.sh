#!/usr/bin/env bash
# Configures and builds both Windows launchers and everything their tests
# need: build/x86 (launcher.exe) and build/x64 (launcher64.exe).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# LAUNCHER_BUILD_ROOT puts the build trees elsewhere, so work trees can share a checkout.
build=${LAUNCHER_BUILD_ROOT:-$root/build}
bash "$root/scripts/setup.sh"
source "$root/scripts/trees.sh"
for arch in x86 x64; do
  configure_tree "$root" "$build" "$arch"
  cmake --build "$build/$arch"
done
