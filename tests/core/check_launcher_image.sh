#!/usr/bin/env bash
# The shipped image: a 32-bit GUI program that runs on a bare Windows, so it
# imports system DLLs only, and not the common controls, whose loading at
# start would double the time to reach the application's main.
set -euo pipefail
image=$1
headers=$(i686-w64-mingw32-objdump -p "$image")
grep -q "file format pei-i386" <<<"$headers" || { echo "not a PE32 i386 image"; exit 1; }
grep -q "Subsystem.*(Windows GUI)" <<<"$headers" || { echo "not a GUI program"; exit 1; }
allowed=" advapi32.dll gdi32.dll gdiplus.dll kernel32.dll msvcrt.dll ole32.dll shell32.dll user32.dll "
status=0
for dll in $(awk '/DLL Name:/ {print tolower($3)}' <<<"$headers"); do
  if [[ $allowed != *" $dll "* ]]; then
    echo "unexpected import: $dll"
    status=1
  fi
done
exit $status
