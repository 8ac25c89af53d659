#!/usr/bin/env bash
# The packed executable with its jar inside, read by zip readers as an
# archive without any bytes they cannot place, and run by a real Java
# runtime as the class path.
# Usage: embedded_jar_is_a_jar.sh BUILD_DIR
set -euo pipefail
exe=$1/packed/embedded/MyApp.exe
status=0
report=$(unzip -t "$exe" 2>&1) || { echo "unzip failed: $report"; status=1; }
if grep -q "extra bytes" <<<"$report"; then
  echo "zip offsets do not count from the start of the executable: $report"
  status=1
fi
grep -q "hello/Main.class *OK" <<<"$report" || { echo "hello/Main.class missing: $report"; status=1; }
output=$(java -cp "$exe" hello.Main packed 2>&1) || { echo "java failed: $output"; status=1; }
expected=$(printf 'hello.Main loaded\nHello from Java\nnull\n%s\nnull\npacked' "$exe")
[ "$output" = "$expected" ] || { echo "java printed: $output"; status=1; }
exit $status
