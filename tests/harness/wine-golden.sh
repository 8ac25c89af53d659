# Sourced: the golden Wine prefix that every test session copies. It is made
# once per machine, outside any work tree, and kept under a name derived from
# this recipe, the Wine version and whether 32-bit programs could run, so a
# fresh clone does not pay for it again and a changed recipe makes a new one.
source "$(dirname "${BASH_SOURCE[0]}")/i386.sh"

# Sets the variable named $1 to the folder of a ready golden prefix.
wine_golden_prefix() {
  local -n _golden_result=$1
  local cache=${LAUNCHER_WINE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/launcher-wine}
  # Only whether 32-bit programs run now, by whatever means: the native probe
  # would switch a machine-wide emulation off for a moment, under the feet of
  # a 32-bit suite that starts beside this session.
  local with32=no
  i386_runs && with32=yes
  local recipe
  recipe=$( { cat "${BASH_SOURCE[0]}"; /usr/lib/wine/wine64 --version; echo "32-bit: $with32"; } | sha1sum | cut -c1-16)
  local golden=$cache/golden-$recipe
  mkdir -p "$cache"
  (
    flock 9
    [ -f "$golden/.ready" ] && exit 0
    rm -rf "$golden" "$golden.partial"
    mkdir -p "$golden.partial"
    export WINEPREFIX=$golden.partial WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY=
    local wine64=/usr/lib/wine/wine64
    # The 64-bit loader makes the prefix: its 32-bit half is set up only where
    # 32-bit programs run at all.
    WINELOADER=$wine64 $wine64 wineboot -i >/dev/null 2>&1
    # Without a window manager every GUI start would wait; the virtual desktop avoids it.
    $wine64 reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    $wine64 reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    # A crashing program ends at once instead of waiting in Wine's debugger.
    for view in 32 64; do
      $wine64 reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
        /v Debugger /d 'cmd.exe /c exit %ld %ld' /f /reg:$view >/dev/null 2>&1
    done
    wineserver -w
    # Wine links the user's Desktop, Documents and the like to the Unix home;
    # suites running side by side would then share them. Each copy of the
    # prefix gets folders of its own instead.
    local link
    for link in "$golden.partial"/drive_c/users/*/*; do
      [ -L "$link" ] && rm "$link" && mkdir "$link"
    done
    touch "$golden.partial/.ready"
    mv "$golden.partial" "$golden"
  ) 9>"$cache/.lock"
  _golden_result=$golden
}
