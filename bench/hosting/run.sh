#!/usr/bin/env bash
# Builds and runs the hosting benchmarks under Wine; prints figures only.
# Usage: bench/hosting/run.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build-bench}
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
fi
ninja -C "$build" -j2 launcher jvm_runtimes hosting_bare_host hosting_startup_bench hosting_classpath_bench >/dev/null
source "$root/tests/harness/wine-session.sh" "$build"
wine "$build/hosting_startup_bench.exe" "$(winepath -w "$build/launcher.exe")" "$(winepath -w "$build/runtimes/full")\\"
wine "$build/hosting_classpath_bench.exe"
