#!/usr/bin/env bash
# Builds and runs the hosting benchmarks for each architecture, each in its
# own build tree and Wine session (see bench/trees.sh): class path building
# per build, then one table of start to main with the builds side by side,
# and the Java code each program had the VM run before main. The runtime is
# the double without the launcher helper export, so the launcher loads the
# main class with FindClass, as the bare hosts do.
# Usage: bench/hosting/run.sh [x86|x64]...   (both when none is named)
set -euo pipefail
source "$(dirname "$0")/../trees.sh"
architectures=$(bench_architectures "$@")
results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT

measured=()
for arch in $architectures; do
  mode=$(bench_mode "$arch")
  [ -n "$mode" ] || continue
  if [ "$arch" = x86 ]; then launcher=launcher.exe title=x86; else launcher=launcher64.exe title=x86-64; fi
  bench_build "$arch" launcher jvm_runtimes hosting_bare_host hosting_bare_gui_host hosting_startup_bench hosting_classpath_bench
  tree=$(bench_tree "$arch")
  (
    bench_session "$arch"
    # Each build's own launcher and its own runtime double.
    if ! wine_run "$tree/hosting_startup_bench.exe" "$(wine_run winepath.exe -w "$tree/$launcher")" \
      "$(wine_run winepath.exe -w "$tree/runtimes/no-find-class-from-boot-loader")\\" >"$results/$arch"; then
      cat "$results/$arch" >&2
      exit 1
    fi
    echo "== class path building, $title ($mode)"
    wine_run "$tree/hosting_classpath_bench.exe"
  )
  measured+=("$arch:$title ($mode)")
done
[ ${#measured[@]} -gt 0 ] || exit 1

# field ARCH LINE-PREFIX N: the Nth number on the line of the start-up figures.
field() {
  sed -n "s/^$2: //p" "$results/$1" | tr -c '0-9.\n' ' ' | awk -v n="$3" '{ print $n }'
}
row() {  # label, then one cell per build
  local label=$1
  shift
  { printf '%-24s' "$label"; printf '%-22s' "$@"; printf '\n'; } | sed 's/ *$//'
}
times() {  # ARCH NAME: median [quartiles]
  echo "$(field "$1" "$2 ms" 1) [$(field "$1" "$2 ms" 2)-$(field "$1" "$2 ms" 3)]"
}
java_calls() {  # ARCH ARGUMENTS: launcher / console host / GUI host
  local prefix="java calls before main, $2 arguments"
  echo "$(field "$1" "$prefix" 1) / $(field "$1" "$prefix" 2) / $(field "$1" "$prefix" 3)"
}

echo
first=${measured[0]%%:*}
echo "start to main and exit, ms: median [quartiles] of $(field "$first" runs 1) runs of each program," \
  "alternating, after $(field "$first" runs 2) warm-up runs of each"
headings=() bare=() gui=() launched=() logging=() ratio=() paired=() gui_ratio=() gui_paired=() calls=() calls_given=()
for entry in "${measured[@]}"; do
  arch=${entry%%:*}
  headings+=("${entry#*:}")
  bare+=("$(times "$arch" "bare host")")
  gui+=("$(times "$arch" "bare gui host")")
  launched+=("$(times "$arch" launcher)")
  logging+=("$(times "$arch" "launcher logging")")
  ratio+=("$(field "$arch" ratio 1)")
  paired+=("$(field "$arch" ratio 2)")
  gui_ratio+=("$(field "$arch" "gui ratio" 1)")
  gui_paired+=("$(field "$arch" "gui ratio" 2)")
  calls+=("$(java_calls "$arch" 0)")
  calls_given+=("$(java_calls "$arch" 8)")
done
row "" "${headings[@]}"
row "bare console host" "${bare[@]}"
row "bare GUI host" "${gui[@]}"
row "launcher" "${launched[@]}"
row "launcher, logging on" "${logging[@]}"
row "launcher / console" "${ratio[@]}"
row "  per-round, median" "${paired[@]}"
row "launcher / GUI" "${gui_ratio[@]}"
row "  per-round, median" "${gui_paired[@]}"
echo "Java calls before main (constructors and methods through JNI): launcher / console host / GUI host"
row "  no arguments" "${calls[@]}"
row "  8 arguments" "${calls_given[@]}"
if [ ${#measured[@]} -gt 1 ]; then
  echo "The builds ran one after the other, each in its own Wine session; compare the ratios across them."
fi
