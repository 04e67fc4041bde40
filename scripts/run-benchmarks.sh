#!/usr/bin/env bash
# Runs every benchmark of a Windows build tree under Wine and prints their figures.
set -eu
build=${1:-build/win64}
here=$(cd "$(dirname "$0")" && pwd)
for bench in "$build"/bin/*_bench.exe; do
  echo "== $(basename "$bench" .exe)"
  "$here/wine-run.sh" "$build" "$bench"
done
