#!/usr/bin/env bash
# Sets up the machine, builds both launchers and starts the sample application
# in examples/ under Wine with the build that fits the machine: launcher.exe
# where the processor runs 32-bit code, else launcher64.exe. Prints the
# launcher's exit code.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LAUNCHER_BUILD_ROOT:-$root/build}
bash "$root/scripts/build.sh"
source "$root/tests/harness/i386.sh"
if i386_runs_natively; then arch=x86 bits=32; else arch=x64 bits=64; fi
cd "$root"
source tests/harness/wine-session.sh "$build/$arch" "$bits"
bash "$root/examples/run.sh" "$build/$arch"
