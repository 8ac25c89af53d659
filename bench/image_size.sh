#!/usr/bin/env bash
# What takes the bytes of the shipped launcher: relinks it in the bench tree
# of each architecture with a link map and prints the code, unwind data and
# constants each library and each run-time object contributes.
# Usage: bench/image_size.sh [x86|x64]...   (both when none is named)
set -euo pipefail
source "$(dirname "$0")/trees.sh"
for arch in $(bench_architectures "$@"); do
  bench_build "$arch" launcher
  tree=$(bench_tree "$arch")
  map=$tree/launcher.map
  # The launcher's own link, unstripped, with a map and a throw-away output;
  # without the whole-program optimiser, whose one unit hides which library
  # each byte came from (the shipped size above is the optimised one).
  link=$(ninja -C "$tree" -t commands launcher | tail -1 | sed -E 's/^: && //; s/ && cd .*//; s/ -s / /;
    s/-fuse-linker-plugin -flto -flto-partition=one/-fno-use-linker-plugin/;
    s/-o (launcher(64)?\.exe)/-o mapped-\1 -Wl,-Map,launcher.map/')
  (cd "$tree" && eval "$link")
  echo "== $arch: $(stat -c %s "$tree"/launcher*.exe | head -1) bytes shipped; by library, linked without -flto:"
  awk '
    function hex(text,   value, i) {
      value = 0
      for (i = 3; i <= length(text); i++) value = value * 16 + index("0123456789abcdef", substr(text, i, 1)) - 1
      return value
    }
    function add(section, size, object,   kind, library) {
      if (size == 0 || section ~ /^\.debug/) return
      kind = "other"
      if (section ~ /^\.text/) kind = "code"
      else if (section ~ /^\.(eh_frame|pdata|xdata)/) kind = "unwind"
      else if (section ~ /^\.rdata/) kind = "constants"
      library = object
      sub(/\(.*/, "", library)
      sub(/.*\//, "", library)
      bytes[library, kind] += size
      total[library] += size
      if (library !~ /^liblauncher|\.obj$/) {
        sub(/.*\//, "", object)
        objects[object] += size
      }
    }
    /^ \.[^ ]+$/ { pending = $1; next }
    pending != "" && $1 ~ /^0x/ { add(pending, hex($2), $3); pending = ""; next }
    { pending = "" }
    /^ \.[^ ]+ +0x/ && NF >= 4 { add($1, hex($3), $4) }
    END {
      printf "%-34s %8s %8s %8s %8s %8s\n", "library", "total", "code", "unwind", "constants", "other"
      for (library in total) if (total[library] >= 256)
        printf "%-34s %8d %8d %8d %8d %8d\n", library, total[library], bytes[library, "code"],
          bytes[library, "unwind"], bytes[library, "constants"], bytes[library, "other"] | "sort -k2 -nr"
      close("sort -k2 -nr")
      print "\nrun-time objects of 1 KB or more:"
      for (object in objects) if (objects[object] >= 1024) printf "%8d %s\n", objects[object], object | "sort -nr"
    }' "$map"
  rm -f "$tree"/mapped-launcher*.exe
done
