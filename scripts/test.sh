#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test: each Windows
# build under Wine (unit, in-process GUI and end-to-end tests), and the pure
# logic natively under ASan/UBSan with short fuzz runs. The 64-bit suite
# always runs natively; the 32-bit one natively where the processor runs
# 32-bit code, else emulated, else not at all, and the summary says which.
# LAUNCHER_FORCE_EMULATED_I386=1 takes the emulated path on any machine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# LAUNCHER_BUILD_ROOT puts the build trees elsewhere, so work trees can share a checkout.
build=${LAUNCHER_BUILD_ROOT:-$root/build}
bash "$root/scripts/setup.sh"
source "$root/scripts/trees.sh"
source "$root/tests/harness/i386.sh"
if [ "${LAUNCHER_FORCE_EMULATED_I386:-}" = 1 ]; then
  # Leave a machine that runs 32-bit code itself as it was, should the
  # emulation have been registered for the whole machine.
  trap 'i386_processor_runs && i386_remove_emulation' EXIT
fi

# The pure logic, built and run at low priority beside the 64-bit suite: the
# Windows suites spend much of their time waiting for windows and processes,
# and the emulated 32-bit one, the longest, keeps the processor it needs.
run_native_suite() {
  mkdir -p "$build/native"
  {
    cmake -S "$root" -B "$build/native" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null &&
      nice -n 10 cmake --build "$build/native" &&
      nice -n 10 ctest --test-dir "$build/native" --output-on-failure -j2
  } >"$build/native/suite.log" 2>&1 || true
}

# One Windows suite: its own Wine prefix, server and display, so the two
# suites run side by side; within a suite the tests run one at a time, as
# they share one desktop, one keyboard focus and one registry.
run_windows_suite() {
  local arch=$1 bits=$2 timeout=$3
  (
    source "$root/tests/harness/wine-session.sh" "$build/$arch" "$bits"
    ctest --test-dir "$build/$arch" --output-on-failure --timeout "$timeout"
  ) >"$build/$arch/suite.log" 2>&1
}
export root build
export -f run_windows_suite

mode32=$(i386_mode)
for arch in x86 x64; do configure_tree "$root" "$build" "$arch"; done
# The 32-bit suite takes longest: it starts once its tree and the 64-bit
# programs it starts are built, and the rest of the 64-bit tree builds beside
# it, at low priority.
cmake --build "$build/x64" --target launcher launcher_console jvm_runtimes
cmake --build "$build/x86"
suite32=
if [ "$mode32" = native ]; then
  run_windows_suite x86 32 300 &
  suite32=$!
elif [ "$mode32" = emulated ]; then
  # Every 32-bit process start takes about half a second under emulation.
  LAUNCHER_TEST_TIME_SCALE=4 i386_run_emulated run_windows_suite x86 32 1200 &
  suite32=$!
fi
if nice -n 10 cmake --build "$build/x64"; then
  run_windows_suite x64 64 300 &
  suite64=$!
else
  echo "the 64-bit tree did not build" >"$build/x64/suite.log"
  suite64=
fi
run_native_suite
[ -z "$suite64" ] || wait "$suite64" || true
[ -z "$suite32" ] || wait "$suite32" || true

# Passed and failed counts from a ctest log; nothing when the suite did not finish.
counts() {
  sed -n 's/.*tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\).*/\2 \1/p' "$1" | tail -1 |
    awk '{ print $1 - $2, $2 }'
}
status=0
summary=()
total_passed=0
total_failed=0
summarise() {  # name log
  local passed failed note=""
  read -r passed failed < <(counts "$2") || true
  if [ -z "$passed" ]; then
    passed=0 failed=1 note=" (the suite did not finish)"
  fi
  [ "$failed" -eq 0 ] || status=1
  total_passed=$((total_passed + passed))
  total_failed=$((total_failed + failed))
  summary+=("$1: $passed passed, $failed failed$note")
}
summarise "pure logic (Linux x86-64, native)" "$build/native/suite.log"
echo "=== pure logic suite"
cat "$build/native/suite.log"
echo "=== launcher64.exe suite"
cat "$build/x64/suite.log"
if [ "$mode32" != none ]; then
  echo "=== launcher.exe suite"
  cat "$build/x86/suite.log"
fi
summarise "launcher64.exe (x86-64, native)" "$build/x64/suite.log"
if [ "$mode32" = none ]; then
  summary+=("launcher.exe (x86): not run, this machine cannot run 32-bit x86 programs")
else
  summarise "launcher.exe (x86, $mode32)" "$build/x86/suite.log"
fi
printf '%s\n' "${summary[@]}"
echo "tests: $total_passed passed, $total_failed failed"
exit $status
