#!/usr/bin/env bash
# Builds and runs the forwarded-start benchmark under this checkout's Wine session.
# Usage: bench/forwarded_start.sh [BUILD_DIR]   (a MinGW cross build directory)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-bench}
[ -f "$build/build.ninja" ] || cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
ninja -C "$build" -j2 forwarded_start_bench >/dev/null
source "$root/tests/harness/wine-session.sh" "$build"
wine "$build/forwarded_start_bench.exe"
