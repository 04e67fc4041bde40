#!/usr/bin/env bash
# Runs a Windows program of a build tree under 64-bit Wine, in that tree's own prefix:
#   wine-run.sh BUILD_DIR PROGRAM [ARGS...]
set -eu
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
shift
export WINEPREFIX="$build/wineprefix" WINEARCH=win64 WINEDEBUG="${WINEDEBUG:--all}"
# Wine's own browser and .NET are never wanted; a caller's overrides come after.
export WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
# The prefix is made once per build tree; the lock keeps tests that start together from making it twice.
(
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine-run: creating the Wine prefix $WINEPREFIX" >&2
    /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
    /usr/lib/wine/wineserver -w
  fi
  # Windows are left unmanaged: no window manager runs under Xvfb, and with managed windows Wine waits 2 s for
  # one each time a window is hidden or destroyed, and leaves captions and frames undrawn. Wine then draws them.
  if [ ! -f "$WINEPREFIX/.ql-unmanaged-windows" ]; then
    /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    /usr/lib/wine/wineserver -w
    touch "$WINEPREFIX/.ql-unmanaged-windows"
  fi
  # The classic face names programs ask for become installed metric-compatible fonts, so that text measures
  # as it does on Windows (scripts/wine-font-replacements.reg lists them).
  if [ ! -f "$WINEPREFIX/.ql-font-replacements" ]; then
    /usr/lib/wine/wine64 regedit /S "Z:$(echo "$here/wine-font-replacements.reg" | tr / '\\')" >/dev/null 2>&1
    /usr/lib/wine/wineserver -w
    touch "$WINEPREFIX/.ql-font-replacements"
  fi
) 9>"$build/.wineprefix.lock"
exec /usr/lib/wine/wine64 "$@"
