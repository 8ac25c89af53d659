#!/usr/bin/env bash
# Packs the sample application the ways the packaging tests start it, into
# BUILD_DIR/packed/: gui/ and console/ (both architectures, paired),
# embedded/ (this build's launcher with the jar inside), manifest/ (a
# main jar whose manifest asks for module access, and module options; made
# to be read back, not started) and service/ (this build's launcher as a
# service, its texts needing cmd's escapes). The jar is a real,
# uncompressed one: the compiled sample class for a real Java, and the JVM
# double's description of it, which the double reads through the raw bytes.
# Usage: make_applications.sh LAUNCHER_PACK BUILD_DIR SOURCE_DIR GUI CONSOLE PAIRED_GUI PAIRED_CONSOLE
set -euo pipefail
pack=$1 build=$2 source=$3
out=$build/packed
work=$out/inputs
rm -rf "$out"
mkdir -p "$work/classes/hello"

javac -nowarn -d "$work/classes" "$source/examples/hello/src/hello/Main.java" 2>/dev/null
cp "$source/examples/hello/lib/hello.jar" "$work/classes/hello/Main.double"
(cd "$work/classes" && jar --create --no-compress --file "$work/hello.jar" hello)

# Four sizes, a PNG-compressed 256 among them, in colours no launcher icon has.
convert -size 256x256 xc:'#1f9d55' -fill '#f2c200' -draw 'circle 128,128 128,48' "$work/icon.png"
convert "$work/icon.png" -define icon:auto-resize=256,48,32,16 "$work/app.ico"

common=(--name MyApp --icon "$work/app.ico" --file-version 2.5.0.17 --product-version 2.5.0.0
  --company "Åkerblom & Söner AB" --product "Hello Packaged" --description "Hälsningar från Java"
  --copyright "© 2026 Åkerblom" --main-class hello.Main)
"$pack" "${common[@]}" --launcher "$4" --launcher "$6" --jar "$work/hello.jar" \
  --vm-parameters '-Dgreeting="Hello from the packed launcher"' --output "$out/gui" >/dev/null
"$pack" "${common[@]}" --launcher "$5" --launcher "$7" --jar "$work/hello.jar" --output "$out/console" >/dev/null
"$pack" "${common[@]}" --launcher "$4" --embed-jar "$work/hello.jar" --output "$out/embedded" >/dev/null

# Deflated, as the jar tool writes by default, and its Add-Opens line longer than the 72 bytes it wraps at.
printf '%s\n' 'Main-Class: hello.Main' \
  'Add-Opens: java.base/java.lang java.desktop/sun.awt java.base/java.util.concurrent.atomic' \
  'Add-Exports: java.base/sun.nio.ch' 'Enable-Native-Access: ALL-UNNAMED' >"$work/manifest.txt"
(cd "$work/classes" && jar --create --file "$work/main.jar" --manifest "$work/manifest.txt" hello)
"$pack" --name MyApp --launcher "$4" --main-jar "$work/main.jar" --jar "$work/hello.jar" --min-version 1.8 \
  --vm-parameters -Xmx64m --main-module hello/hello.Main --module-path "$work/hello.jar" \
  --module-path "$work/classes/" --add-modules jdk.jfr,jdk.net --output "$out/manifest" >/dev/null
"$pack" "${common[@]}" --launcher "$4" --jar "$work/hello.jar" --service "Hello Service" \
  --service-display 'Hälsning & 100% "Java"' --service-description 'Säger <hej>' --output "$out/service" >/dev/null
