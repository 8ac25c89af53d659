# Sourced by the test and run scripts: a Wine prefix of this run's own, one
# persistent wineserver and an Xvfb display with Wine's virtual desktop.
# Usage: source tests/harness/wine-session.sh BUILD_DIR
_wine_build=${1:?build dir}
_wine_golden=$_wine_build/wine/golden
_wine_run=$_wine_build/wine/run
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset WINEARCH

# The golden prefix is remade whenever this script, which says how to make it, changes.
_wine_recipe=$(sha1sum "${BASH_SOURCE[0]}" | cut -d' ' -f1)
if [ "$(cat "$_wine_golden/.ready" 2>/dev/null)" != "$_wine_recipe" ]; then
  rm -rf "$_wine_golden"
  mkdir -p "$_wine_golden"
  WINEPREFIX=$_wine_golden DISPLAY= wineboot -i >/dev/null 2>&1
  # Without a window manager every GUI start would wait; the virtual desktop avoids it.
  WINEPREFIX=$_wine_golden wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  WINEPREFIX=$_wine_golden wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
  # A crashing program ends at once instead of waiting in Wine's debugger.
  for _view in 32 64; do
    WINEPREFIX=$_wine_golden wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
      /v Debugger /d 'cmd.exe /c exit %ld %ld' /f /reg:$_view >/dev/null 2>&1
  done
  WINEPREFIX=$_wine_golden wineserver -w
  echo "$_wine_recipe" >"$_wine_golden/.ready"
fi
rm -rf "$_wine_run"
cp -a "$_wine_golden" "$_wine_run"
rm -f "$_wine_run/.ready"
export WINEPREFIX=$_wine_run

_wine_display=90
while [ -e /tmp/.X11-unix/X$_wine_display ] || [ -e /tmp/.X$_wine_display-lock ]; do
  _wine_display=$((_wine_display + 1))
done
Xvfb :$_wine_display -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
_wine_xvfb=$!
for _ in $(seq 100); do
  [ -e /tmp/.X11-unix/X$_wine_display ] && break
  sleep 0.05
done
export DISPLAY=:$_wine_display
wineserver -p
# Wine's own services and the desktop process live as long as the server;
# start them here, detached from the caller's output, or a test runner
# reading a test's output would wait for them forever.
wine wineboot >/dev/null 2>&1 </dev/null
wine rundll32 user32.dll,GetDesktopWindow >/dev/null 2>&1 </dev/null

wine_session_end() {
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
  kill "$_wine_xvfb" 2>/dev/null
  wait "$_wine_xvfb" 2>/dev/null
}
trap wine_session_end EXIT
