#!/usr/bin/env bash
# Builds and runs the splash start-up benchmark for each architecture, each in its
# own build tree and Wine session (see bench/trees.sh).
# Usage: bench/splash_startup.sh [x86|x64]...   (both when none is named)
set -euo pipefail
source "$(dirname "$0")/trees.sh"
bench_each_program splash_startup_bench "$@"
