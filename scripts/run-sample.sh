#!/usr/bin/env bash
# Sets up the machine, builds both launchers and starts the sample application
# in examples/ under Wine with the build that fits the machine: launcher.exe
# where the processor runs 32-bit code, else launcher64.exe. Prints the
# launcher's exit code. With --packed, the sample is first packed by
# launcher-pack into its own console executable (examples/pack.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LAUNCHER_BUILD_ROOT:-$root/build}
bash "$root/scripts/build.sh"
source "$root/tests/harness/i386.sh"
source "$root/scripts/trees.sh"
if i386_runs_natively; then arch=x86; else arch=x64; fi
cd "$root"
source tests/harness/wine-session.sh "$build/$arch" "$(tree_bits "$arch")"
bash "$root/examples/run.sh" "$build/$arch" "$@"
