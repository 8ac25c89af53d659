#!/usr/bin/env bash
# Packs the sample application with launcher-pack as its own executable:
# Hello.exe (the build's console variant, so its output shows where it is
# started) with the sample's icon and version information, Hello.ini in
# UTF-16 from the sample's settings, and lib\hello.jar. The double's class
# description goes into a real (uncompressed) jar, which the double reads
# through its raw bytes. Prints the folder it made.
# Usage: examples/pack.sh BUILD_DIR SETTINGS_FILE
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:?build dir}" && pwd)
settings=${2:?settings file}
out=$build/sample/packed
rm -rf "$out"
mkdir -p "$out/inputs/classes/hello"

launcher=$build/launcherc.exe
[ -f "$launcher" ] || launcher=$build/launcher64c.exe
cp "$here/hello/lib/hello.jar" "$out/inputs/classes/hello/Main.double"
(cd "$out/inputs/classes" && jar --create --no-compress --file "$out/inputs/hello.jar" hello)

"$build/launcher-pack/launcher-pack" --launcher "$launcher" --name Hello --output "$out/Hello" \
  --icon "$here/hello/hello.ico" --file-version 1.0.0.1 --company "Exempel AB" --product Hello \
  --description "Hälsningar från Java" --copyright "© 2026 Exempel AB" \
  --settings "$settings" --jar "$out/inputs/hello.jar" >/dev/null
echo "$out/Hello"
