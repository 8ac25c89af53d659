#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test: the pure logic
# natively under ASan/UBSan with short fuzz runs, then the Windows build
# under Wine (unit, in-process GUI and end-to-end tests).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh"

cmake -S "$root" -B "$root/build-native" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$root/build-native"
ctest --test-dir "$root/build-native" --output-on-failure -j2

cd "$root"
source tests/harness/wine-session.sh "$root/build"
# One at a time: the tests share one desktop, one keyboard focus and one registry.
ctest --test-dir "$root/build" --output-on-failure --timeout 300
