#!/usr/bin/env bash
# Sets up the machine, builds the launcher and starts the sample application
# in examples/ through it under Wine; prints the launcher's exit code.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh"
cd "$root"
source tests/harness/wine-session.sh "$root/build"
bash "$root/examples/run.sh" "$root/build"
