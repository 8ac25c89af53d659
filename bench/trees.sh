# Sourced by the bench scripts: one build tree per architecture, x86 and x64
# under build-bench/ (BENCH_BUILD_ROOT puts them elsewhere), configured as
# scripts/build.sh configures its own, and the Wine session that runs each.
bench_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bench_build_root=${BENCH_BUILD_ROOT:-$bench_root/build-bench}
source "$bench_root/tests/harness/i386.sh"
source "$bench_root/scripts/trees.sh"

bench_tree() { echo "$bench_build_root/$1"; }

# The architectures named in the arguments, both when there are none.
bench_architectures() {
  [ $# -gt 0 ] || set -- x86 x64
  local arch
  for arch in "$@"; do
    case $arch in
      x86 | x64) echo "$arch" ;;
      *) echo "unknown architecture '$arch': x86 or x64" >&2; return 2 ;;
    esac
  done
}

# native or emulated, or nothing with a note on standard error when this
# machine cannot run the architecture's programs at all.
bench_mode() {
  [ "$1" = x64 ] && { echo native; return; }
  local mode
  mode=$(i386_mode)
  if [ "$mode" = none ]; then
    echo "x86: not run, this machine cannot run 32-bit x86 programs" >&2
    return
  fi
  # An enabled emulation entry wins over the processor, so 32-bit programs
  # are emulated while another session has one registered.
  if [ "$mode" = native ] && [ "$(head -1 "$I386_BINFMT_DIR/$I386_BINFMT_NAME" 2>/dev/null)" = enabled ]; then
    mode=emulated
  fi
  echo "$mode"
}

# bench_build ARCH TARGET...: configures the tree when it is new and builds
# the targets; the build's output shows only when it fails.
bench_build() {
  local arch=$1 output
  shift
  local tree=$bench_build_root/$arch
  [ -f "$tree/build.ninja" ] || configure_tree "$bench_root" "$bench_build_root" "$arch"
  if ! output=$(ninja -C "$tree" -j2 "$@" 2>&1); then
    printf '%s\n' "$output" >&2
    return 1
  fi
}

# The tree's Wine session, ended by the EXIT trap it sets: call it in a
# subshell, so one architecture's session is gone before the next starts.
bench_session() {
  source "$bench_root/tests/harness/wine-session.sh" "$bench_build_root/$1" "$(tree_bits "$1")"
}

# bench_each_program TARGET [x86|x64]...: builds the bench program TARGET in
# each tree asked for and runs it in that tree's session.
bench_each_program() {
  local target=$1 arch mode
  shift
  for arch in $(bench_architectures "$@"); do
    mode=$(bench_mode "$arch")
    [ -n "$mode" ] || continue
    bench_build "$arch" "$target"
    echo "== $arch ($mode)"
    (
      bench_session "$arch"
      wine_run "$(bench_tree "$arch")/$target.exe"
    )
  done
}
