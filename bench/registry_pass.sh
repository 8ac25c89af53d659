#!/usr/bin/env bash
# Builds and runs the registry-pass benchmark for each architecture, each in its
# own build tree and Wine session (see bench/trees.sh).
# Usage: bench/registry_pass.sh [x86|x64]...   (both when none is named)
set -euo pipefail
source "$(dirname "$0")/trees.sh"
bench_each_program registry_pass_bench "$@"
