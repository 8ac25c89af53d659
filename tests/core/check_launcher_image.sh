#!/usr/bin/env bash
# The shipped image: a GUI (or console) program of the build's architecture that runs on a
# bare Windows, so it imports only libraries the system keeps in its known
# set, and of those only what every start needs: not the common controls,
# the shell or COM, whose loading at start would cost more than the rest of
# the launcher's start, nor GDI+, which older systems would look for beside
# the executable first. It fits its size limit, carries the
# hardening flags, and its manifest, version, string table and dialogs are
# there in either build, with the message table of the event log.
set -euo pipefail
image=$1
arch=$2  # x86 or amd64, as the manifest names it
subsystem=$3  # gui or console
version=$4  # the product's, four numbers
# DYNAMIC_BASE, NX_COMPAT and TERMINAL_SERVICE_AWARE, plus HIGH_ENTROPY_VA on x86-64.
case $arch in
  x86) format="pei-i386" objdump=i686-w64-mingw32-objdump magic="PE32" limit=147456 flags=0x8140 ;;
  amd64) format="pei-x86-64" objdump=x86_64-w64-mingw32-objdump magic="PE32+" limit=180224 flags=0x8160 ;;
  *) echo "unknown architecture $arch"; exit 2 ;;
esac
headers=$($objdump -p "$image")
grep -q "file format $format\$" <<<"$headers" || { echo "not a $magic $format image"; exit 1; }
grep -q "^Magic.*($magic)" <<<"$headers" || { echo "optional header is not $magic"; exit 1; }
case $subsystem in
  gui) grep -q "Subsystem.*(Windows GUI)" <<<"$headers" || { echo "not a GUI program"; exit 1; } ;;
  console) grep -q "Subsystem.*(Windows CUI)" <<<"$headers" || { echo "not a console program"; exit 1; } ;;
  *) echo "unknown subsystem $subsystem"; exit 2 ;;
esac
allowed=" advapi32.dll gdi32.dll kernel32.dll msvcrt.dll user32.dll "
status=0
size=$(stat -c %s "$image")
echo "$(basename "$image"): $size bytes, limit $limit"
[ "$size" -le "$limit" ] || { echo "larger than $limit bytes"; status=1; }
characteristics=$(awk '/^DllCharacteristics/ {print "0x" $2}' <<<"$headers")
if (( (characteristics & flags) != flags )); then
  printf 'DllCharacteristics %s lacks some of %#x\n' "$characteristics" "$flags"
  status=1
fi
for dll in $(awk '/DLL Name:/ {print tolower($3)}' <<<"$headers"); do
  if [[ $allowed != *" $dll "* ]]; then
    echo "unexpected import: $dll"
    status=1
  fi
done

# Resources, read back as a script: the manifest naming this architecture
# and the execution level but no DPI awareness, the string table (202-230),
# the two dialogs and the message table, whose one entry, 1, is "%1": an
# event shows its insertion string as it is.
script=$(${objdump%objdump}windres -i "$image" -O rc 2>/dev/null) || { echo "resources unreadable"; exit 1; }
grep -q "^1 24 /\* RT_MANIFEST \*/" <<<"$script" || { echo "no manifest"; status=1; }
manifest=$(grep -a -o 'processorArchitecture="[a-z0-9]*"' "$image" | sort -u)
[ "$manifest" = "processorArchitecture=\"$arch\"" ] || { echo "manifest architecture: $manifest"; status=1; }
grep -a -q '<longPathAware[^>]*>true</longPathAware>' "$image" || { echo "manifest not long-path aware"; status=1; }
# Without an execution level Windows guesses elevation and virtualises writes.
grep -a -q '<requestedExecutionLevel level="asInvoker" uiAccess="false"/>' "$image" ||
  { echo "manifest requests no asInvoker execution level"; status=1; }
# The launcher sets the awareness from its settings; one in the manifest would win.
! grep -a -q '<dpiAware' "$image" || { echo "manifest declares a DPI awareness"; status=1; }
grep -q "^ FILEVERSION ${version//./, }$" <<<"$script" || { echo "no version resource for $version"; status=1; }
grep -q "VALUE \"ProductVersion\", \"$version\"" <<<"$script" || { echo "product version is not $version"; status=1; }
for id in $(seq 202 230); do
  grep -q "^  $id, " <<<"$script" || { echo "string $id missing"; status=1; }
done
grep -q "^201 DIALOG " <<<"$script" || { echo "dialog 201 missing"; status=1; }
grep -q "^231 DIALOGEX " <<<"$script" || { echo "dialog 231 missing"; status=1; }
messages=$(grep -A1 "MessageId = " <<<"$script" | tr -d ' \n')
[ "$messages" = 'MessageId=0x1%1\000\000' ] || { echo "message table is not the one entry %1: $messages"; status=1; }
exit $status
