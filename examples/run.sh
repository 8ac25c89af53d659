#!/usr/bin/env bash
# Lays the sample application out as a user would ship it, with the build's
# launcher under the application's name, and starts it under the running Wine
# session (whose architecture matches the build).
# The JVM double from tests/fixtures/jvm plays the Java runtime.
# With --packed, the application is made by launcher-pack instead (examples/pack.sh).
# Usage (inside a Wine session): examples/run.sh BUILD_DIR [--packed]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:?build dir}
app=$build/sample/Hello
runtime=$(wine_run winepath.exe -w "$build/runtimes/full" | tr -d '\r')
mkdir -p "$build/sample"
settings=$build/sample/Hello.ini
sed "s|^JRE Path=.*|JRE Path=${runtime//\\/\\\\}\\\\|" "$here/hello/Hello.ini" > "$settings"

if [ "${2:-}" = --packed ]; then
  app=$(bash "$here/pack.sh" "$build" "$settings")
  echo "--- packed by launcher-pack into $app"
else
  rm -rf "$app"
  mkdir -p "$app/lib"
  launcher=$build/launcher.exe
  [ -f "$launcher" ] || launcher=$build/launcher64.exe
  echo "--- $(basename "$launcher") as Hello.exe"
  cp "$launcher" "$app/Hello.exe"
  cp "$here/hello/lib/hello.jar" "$app/lib/"
  cp "$settings" "$app/Hello.ini"
fi

cd "$app"
set +e
wine_run Hello.exe "first argument" second
code=$?
set -e
echo "--- $app/hello.log"
cat hello.log
echo "--- exit code $code"
exit $code
