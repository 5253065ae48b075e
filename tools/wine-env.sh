# Sourced by the scripts that run our programs under Wine. Sets up the project's own Wine prefix
# (git-ignored) and the environment every run uses; touches nothing outside the project.
#   TESSARO_ARCH      which configuration's programs run: i686 (default) or x86_64
#   WINEPREFIX        the project-local prefix: .wine, 32-bit, for i686 programs; .wine64, 64-bit,
#                     for x86_64 programs on machines that cannot run 32-bit programs
#   WINEDLLOVERRIDES  mscoree and mshtml disabled: no Mono or Gecko installer dialog can appear
#   WINEDEBUG         quiet
# and in the prefix: the font replacement for the skins' Chinese face, no crash dialog.
# Every Wine start goes through tessaro_wine and tessaro_wineserver: Debian's own `wine` script
# picks the 32-bit loader whenever wine32 is installed, so the 64-bit configuration names Wine's
# 64-bit loader and server itself.
# Functions: wine_prefix_ready (creates the prefix on first use), wine_display_ready (starts Xvfb
# when DISPLAY is unset), wine_server_start / wine_server_stop (one persistent wineserver per run,
# and only our prefix's server is stopped).

tessaro_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export TESSARO_ARCH="${TESSARO_ARCH:-i686}"
case "$TESSARO_ARCH" in
  i686)
    export WINEARCH=win32
    export WINEPREFIX="${TESSARO_WINEPREFIX:-$tessaro_root/.wine}"
    tessaro_wine=wine
    tessaro_wineserver=wineserver
    ;;
  x86_64)
    export WINEARCH=win64
    export WINEPREFIX="${TESSARO_WINEPREFIX:-$tessaro_root/.wine64}"
    export WINELOADER=/usr/lib/wine/wine64
    export WINESERVER=/usr/lib/wine/wineserver64
    tessaro_wine=$WINELOADER
    tessaro_wineserver=$WINESERVER
    ;;
  *)
    echo "wine: unknown TESSARO_ARCH '$TESSARO_ARCH' (i686 or x86_64)" >&2
    return 2
    ;;
esac
export WINEDLLOVERRIDES="mscoree=d;mshtml=d;winemenubuilder.exe=d"
export WINEDEBUG="${WINEDEBUG:--all}"

# Bump when the prefix's settings below change, so existing prefixes are brought up to date.
tessaro_prefix_version="2"

wine_prefix_ready() {
  local marker="$WINEPREFIX/.tessaro-prefix"
  [ "$(cat "$marker" 2>/dev/null)" = "$tessaro_prefix_version" ] && return 0
  mkdir -p "$WINEPREFIX"
  (
    exec 9>"$WINEPREFIX/.lock"
    flock 9
    [ "$(cat "$marker" 2>/dev/null)" = "$tessaro_prefix_version" ] && exit 0
    echo "wine: preparing the $WINEARCH prefix $WINEPREFIX" >&2
    "$tessaro_wine" wineboot -i >/dev/null 2>&1
    # Without a replacement every text in the skins' Chinese face renders as boxes.
    "$tessaro_wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Microsoft YaHei' /t REG_SZ \
         /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1
    # A crashing program prints a backtrace and ends, instead of waiting on a crash dialog that
    # nobody will close.
    "$tessaro_wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
         >/dev/null 2>&1
    "$tessaro_wineserver" -w
    echo "$tessaro_prefix_version" > "$marker"
  )
}

tessaro_xvfb_pid=""
wine_display_ready() {
  [ -n "${DISPLAY:-}" ] && return 0
  local n
  for n in $(seq 90 130); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    tessaro_xvfb_pid=$!
    local i
    for i in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && { export DISPLAY=":$n"; return 0; }
      kill -0 "$tessaro_xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
  done
  echo "wine: could not start Xvfb" >&2
  return 1
}

# Starts a persistent wineserver and Wine's services, detached from our output.
wine_server_start() {
  "$tessaro_wineserver" -p >/dev/null 2>&1 || true
  "$tessaro_wine" cmd /c exit >/dev/null 2>&1 </dev/null || true
}

wine_server_stop() {
  "$tessaro_wineserver" -k >/dev/null 2>&1 || true
  if [ -n "$tessaro_xvfb_pid" ]; then kill "$tessaro_xvfb_pid" 2>/dev/null || true; tessaro_xvfb_pid=""; fi
}
