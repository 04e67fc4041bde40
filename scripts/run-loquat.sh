#!/usr/bin/env bash
# Starts Loquat from a build tree, with the program's own arguments after it (run-loquat.sh build/win64
# --author). Without a display it runs under Xvfb, saves a screenshot after a few seconds, says where, and
# ends the program.
set -eu
build=$(cd "${1:-build/win64}" && pwd)
shift || true
program="$build/bin/release/loquat.exe"
here=$(cd "$(dirname "$0")" && pwd)
# Files the program writes in its current folder (trace.log) stay in the build tree.
cd "$build"
if [ -n "${DISPLAY:-}" ]; then
  exec "$here/wine-run.sh" "$build" "$program" "$@"
fi
shot="$build/loquat-screenshot.png"
"$here/with-display.sh" bash -c '
  "$0/wine-run.sh" "$1" "$2" "${@:4}" &
  program_pid=$!
  sleep 6
  import -window root "$3"
  kill "$program_pid" 2>/dev/null || true
  WINEPREFIX="$(cd "$1" && pwd)/wineprefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
  wait "$program_pid" 2>/dev/null || true
' "$here" "$build" "$program" "$shot" "$@"
echo "Loquat ran under Xvfb; screenshot saved to $shot"
