#!/usr/bin/env bash
# Runs a Windows program of a build tree under 64-bit Wine, in that tree's own prefix:
#   wine-run.sh BUILD_DIR PROGRAM [ARGS...]
set -eu
build=$(cd "$1" && pwd)
shift
export WINEPREFIX="$build/wineprefix" WINEARCH=win64 WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
# The prefix is made once per build tree; the lock keeps tests that start together from making it twice.
(
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine-run: creating the Wine prefix $WINEPREFIX" >&2
    /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
    /usr/lib/wine/wineserver -w
  fi
) 9>"$build/.wineprefix.lock"
exec /usr/lib/wine/wine64 "$@"
