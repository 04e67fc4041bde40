#!/usr/bin/env bash
# Runs the libFuzzer targets of a fuzz build for a while each: run-fuzzers.sh BUILD_DIR SECONDS [TARGET...]
# (all targets when none is named). Each starts from its committed seeds in tests/fuzz/corpus/TARGET and
# keeps what it learns in BUILD_DIR/fuzz-corpus/TARGET; a crash, leak or timeout is kept in
# BUILD_DIR/fuzz-artifacts and makes the script fail. Prints the executions of every target.
set -uo pipefail

if [ $# -lt 2 ]; then
  echo "usage: $0 BUILD_DIR SECONDS [TARGET...]" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
seconds=$2
shift 2
root=$(cd "$(dirname "$0")/.." && pwd)

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for program in "$build"/bin/fuzz_*; do
    [ -x "$program" ] && targets+=("${program##*/fuzz_}")
  done
fi
if [ ${#targets[@]} -eq 0 ]; then
  echo "$0: no fuzz targets in $build/bin; build the fuzz tree first (make fuzz-build)" >&2
  exit 2
fi

failed=()
for target in "${targets[@]}"; do
  program="$build/bin/fuzz_$target"
  seeds="$root/tests/fuzz/corpus/$target"
  work="$build/fuzz-corpus/$target"
  artifacts="$build/fuzz-artifacts"
  log="$build/fuzz-logs/$target.log"
  if [ ! -x "$program" ] || [ ! -d "$seeds" ]; then
    echo "$target: missing $program or its seeds $seeds" >&2
    failed+=("$target")
    continue
  fi
  mkdir -p "$work" "$artifacts" "$(dirname "$log")"
  "$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$artifacts/$target-" "$work" "$seeds" >"$log" 2>&1
  status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  corpus=$(find "$work" -type f | wc -l)
  if [ $status -eq 0 ]; then
    echo "$target: ${runs:-?} executions in ${seconds}s, $corpus inputs in its corpus"
  else
    echo "$target: FAILED after ${runs:-?} executions (exit $status); see $log"
    grep -m 5 -E "ERROR: |SUMMARY: |Test unit written to" "$log" | sed 's/^/  /'
    failed+=("$target")
  fi
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzz targets that failed: ${failed[*]}"
  exit 1
fi
