# Sourced by the test, run and bench scripts: a Wine prefix of this run's
# own, one persistent wineserver and an Xvfb display with Wine's virtual
# desktop. Sessions of different build folders may run side by side.
# Usage: source tests/harness/wine-session.sh BUILD_DIR 32|64
# Afterwards `wine_run PROGRAM ARGS...` starts a program with the loader of
# the session's architecture.
_wine_build=$(cd "${1:?build dir}" && pwd)
_wine_bits=${2:?32 or 64}
_wine_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
_wine_run_prefix=$_wine_build/wine/run
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset WINEARCH
# 64-bit programs start with the 64-bit loader itself: /usr/bin/wine is the
# 32-bit one, which a machine without 32-bit support cannot run (or only
# slowly, emulated). Wine finds the other loader beside this one.
if [ "$_wine_bits" = 64 ]; then
  export WINELOADER=/usr/lib/wine/wine64
else
  export WINELOADER=/usr/lib/wine/wine
fi
wine_run() { "$WINELOADER" "$@"; }
export -f wine_run

source "$_wine_here/wine-golden.sh"
wine_golden_prefix _wine_golden

rm -rf "$_wine_run_prefix"
mkdir -p "$(dirname "$_wine_run_prefix")"
cp -a "$_wine_golden" "$_wine_run_prefix"
rm -f "$_wine_run_prefix/.ready"
export WINEPREFIX=$_wine_run_prefix

# The display number is taken under a lock, so sessions starting together
# get different ones.
exec {_wine_display_lock}>/tmp/.launcher-wine-display.lock
flock "$_wine_display_lock"
_wine_display=90
while [ -e /tmp/.X11-unix/X$_wine_display ] || [ -e /tmp/.X$_wine_display-lock ]; do
  _wine_display=$((_wine_display + 1))
done
Xvfb :$_wine_display -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
_wine_xvfb=$!
for _ in $(seq 200); do
  [ -e /tmp/.X11-unix/X$_wine_display ] && break
  sleep 0.05
done
flock -u "$_wine_display_lock"
exec {_wine_display_lock}>&-
export DISPLAY=:$_wine_display
wineserver -p
# Wine's own services and the desktop process live as long as the server;
# start them here, detached from the caller's output, or a test runner
# reading a test's output would wait for them forever.
wine_run wineboot >/dev/null 2>&1 </dev/null
wine_run rundll32 user32.dll,GetDesktopWindow >/dev/null 2>&1 </dev/null

wine_session_end() {
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
  kill "$_wine_xvfb" 2>/dev/null
  wait "$_wine_xvfb" 2>/dev/null
}
trap wine_session_end EXIT
