# Sourced: the two Windows build trees, x86 (launcher.exe) and x64
# (launcher64.exe), each configured with its toolchain and told where the
# other one is, for the starts that cross to the paired launcher.

tree_bits() { [ "$1" = x86 ] && echo 32 || echo 64; }
tree_other() { [ "$1" = x86 ] && echo x64 || echo x86; }

# configure_tree SOURCE BUILD_ROOT ARCH: configures BUILD_ROOT/ARCH.
configure_tree() {
  local source=$1 build=$2 arch=$3 toolchain
  toolchain=$source/cmake/mingw-$([ "$arch" = x86 ] && echo i686 || echo x86_64).cmake
  cmake -S "$source" -B "$build/$arch" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DPAIRED_BUILD_DIR="$build/$(tree_other "$arch")" >/dev/null
}
