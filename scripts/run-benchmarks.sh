#!/usr/bin/env bash
# Runs every benchmark of a Windows build tree under Wine and prints their figures.
set -eu
build=${1:-build/win64}
here=$(cd "$(dirname "$0")" && pwd)
# Sound goes to a file the benchmarks read back (the build writes its .asoundrc).
if [ -f "$build/bench-audio-home/.asoundrc" ]; then
  export HOME=$(cd "$build/bench-audio-home" && pwd) QL_AUDIO_FILE=$(cd "$build/bench-audio-home" && pwd)/out.raw
fi
for bench in "$build"/bin/*_bench.exe; do
  echo "== $(basename "$bench" .exe)"
  "$here/wine-run.sh" "$build" "$bench"
done
