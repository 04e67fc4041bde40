#!/usr/bin/env bash
# Runs a Windows program of a build tree under Wine, in that tree's own prefix: 64-bit Wine for win64 trees,
# 32-bit Wine (a win32 prefix) for win32 trees, as the tree's wine-arch file says:
#   wine-run.sh BUILD_DIR PROGRAM [ARGS...]
# QL_WINE_PREFIX names another prefix to run in (the tests under a Japanese locale keep one of their own, as
# a prefix takes its code page and fonts from the locale it was made in).
set -eu
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
shift
arch=win64
[ ! -f "$build/wine-arch" ] || arch=$(cat "$build/wine-arch")
# The loaders are called by their full paths: Debian's wine wrapper picks one by what is installed.
case $arch in
  win64) wine=/usr/lib/wine/wine64 ;;
  win32) wine=/usr/lib/wine/wine ;;
  *) echo "wine-run: $build/wine-arch names no Wine: $arch" >&2; exit 2 ;;
esac
export WINEPREFIX="${QL_WINE_PREFIX:-$build/wineprefix}" WINEARCH=$arch WINEDEBUG="${WINEDEBUG:--all}"
# Wine's own browser and .NET are never wanted; a caller's overrides come after.
export WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
lock="$build/.wineprefix.lock"
[ -z "${QL_WINE_PREFIX:-}" ] || lock="$WINEPREFIX.lock"
# The prefix is made once per build tree; the lock keeps tests that start together from making it twice.
(
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine-run: creating the Wine prefix $WINEPREFIX" >&2
    "$wine" wineboot -i >/dev/null 2>&1
    /usr/lib/wine/wineserver -w
  fi
  # Windows are left unmanaged: no window manager runs under Xvfb, and with managed windows Wine waits 2 s for
  # one each time a window is hidden or destroyed, and leaves captions and frames undrawn. Wine then draws them.
  if [ ! -f "$WINEPREFIX/.ql-unmanaged-windows" ]; then
    "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    /usr/lib/wine/wineserver -w
    touch "$WINEPREFIX/.ql-unmanaged-windows"
  fi
  # The classic face names programs ask for become installed metric-compatible fonts, so that text measures
  # as it does on Windows (scripts/wine-font-replacements.reg lists them).
  if [ ! -f "$WINEPREFIX/.ql-font-replacements" ]; then
    "$wine" regedit /S "Z:$(echo "$here/wine-font-replacements.reg" | tr / '\\')" >/dev/null 2>&1
    /usr/lib/wine/wineserver -w
    touch "$WINEPREFIX/.ql-font-replacements"
  fi
) 9>"$lock"
exec "$wine" "$@"
