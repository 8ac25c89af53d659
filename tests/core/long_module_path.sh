#!/usr/bin/env bash
# A launcher copy whose path is longer than MAX_PATH reads the settings file
# beside it: its main exits with 42 only when the file named the class, the
# runtime and the class path, which is relative to the executable's folder.
# As a single-instance application, its second start is forwarded to the
# first, whose secondaryMain answers 7.
# Wine's CreateProcessW takes no executable path this long, so the copy is
# started through Wine's loader with its Unix path.
# Usage: long_module_path.sh LAUNCHER RUNTIME_FOLDER WORK_FOLDER WINE_EXEC BITS
set -euo pipefail
launcher=$1 runtime=$2 work=$3
shift 3
windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }

rm -rf "$work"
deep=$work
for letter in a b c d e; do deep=$deep/$(printf "$letter%.0s" $(seq 60)); done
mkdir -p "$deep"
exe=$deep/$(basename "$launcher")
cp "$launcher" "$exe"
length=$(windows_path "$exe" | wc -c)
[ "$length" -gt 260 ] || { echo "test set-up: the path has only $length characters"; exit 1; }

printf '[Java Runtime Environment]\r\nJRE Path=%s\r\nMain Class=app.Main\r\n[Class Path]\r\nClass Path=\\app.txt\r\n' \
  "$(windows_path "$runtime")" >"${exe%.exe}.ini"
printf 'class app.Main\nmain exit 42\n' >"$deep/app.txt"

# Without its settings the launcher would wait on a message box.
limit=$((60 * ${LAUNCHER_TEST_TIME_SCALE:-1}))
status=0
timeout "$limit" "$@" "$exe" || status=$?
if [ "$status" != 42 ]; then
  echo "exit status $status, expected 42 from main (124: no exit within ${limit} s)"
  exit 1
fi

printf '[Application]\r\nSingle Instance=yes\r\n' >>"${exe%.exe}.ini"
printf 'class app.Main\nmain wait-file %s\nsecondaryMain int 7\n' "$(windows_path "$work/release")" >"$deep/app.txt"
export JVMDOUBLE_LOG
JVMDOUBLE_LOG=$(windows_path "$work/calls.log")
timeout "$limit" "$@" "$exe" &
first=$!
for _ in $(seq $((limit * 10))); do
  grep -q 'app/Main.main(' "$work/calls.log" 2>/dev/null && break
  kill -0 "$first" 2>/dev/null || break
  sleep 0.1
done
status=0
timeout "$limit" "$@" "$exe" later.txt || status=$?
touch "$work/release"
wait "$first" || { echo "the first start ended with $?"; exit 1; }
if [ "$status" != 7 ]; then
  echo "the second start ended with $status, expected 7 from the first one's secondaryMain"
  exit 1
fi
grep -q 'secondaryMain.*"later.txt"' "$work/calls.log" || { echo "secondaryMain never got the argument"; exit 1; }
rm -rf "$work"
