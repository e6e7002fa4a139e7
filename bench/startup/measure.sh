#!/usr/bin/env bash
# bench/startup/measure.sh [BUILD-FOLDER]: the start-up figures of the README's
# Performance section, from a build with the benchmarks (build/ by default):
# - the time to build the window and run Form_Load, beside a bare window of
#   the same widgets with no logic, and their ratio (target: within 1.2);
# - the peak memory of a process that builds either, runs Form_Load and
#   paints once, and their ratio (target: within 1.1);
# - the time the scenario runner takes for every scenario file (target:
#   under 10 seconds together).
# All offscreen; run it on an otherwise idle machine.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
export QT_QPA_PLATFORM=offscreen

log=$(mktemp)
trap 'rm -f "$log"' EXIT
# Runs a program with its notes on stderr kept aside, shown if it fails.
run() {
  "$@" 2> "$log" || { cat "$log" >&2; return 1; }
}

echo "== building the window and running Form_Load (medians of 5 runs)"
# The ratio comes from both built in turn, so that whatever else the machine
# does falls on both alike; the times apart show the sizes.
bench=("$build/bench/startup/startup_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
  --benchmark_format=csv)
run "${bench[@]}" --benchmark_filter='^(window|bare)/' | awk -F, '
  $1 ~ /"window\/manual_time_median"/ { window = $3 }
  $1 ~ /"bare\/manual_time_median"/ { bare = $3 }
  END { printf "window %.1f ms, bare window %.1f ms\n", window / 1000, bare / 1000 }'
run "${bench[@]}" --benchmark_filter='^ratio/' | awk -F, '
  $1 ~ /"ratio\/manual_time_median"/ { printf "ratio %.2f, built in turn (target 1.2)\n", $NF }'

echo "== peak memory after Form_Load and one paint (largest of 3 runs each)"
peak() {
  local most=0 kb
  for _ in 1 2 3; do
    kb=$(run "$build/bench/startup/startup_memory" "$1" | awk '{ print $2 }')
    [ "$kb" -gt "$most" ] && most=$kb
  done
  echo "$most"
}
window=$(peak window)
bare=$(peak bare)
awk -v w="$window" -v b="$bare" \
  'BEGIN { printf "window %d kB, bare window %d kB, ratio %.3f (target 1.1)\n", w, b, w / b }'

echo "== every scenario file through the scenario runner"
start=$(date +%s.%N)
run "$build/quarvel-scenario" tests/scenarios/*.scn | tail -n 1
end=$(date +%s.%N)
awk -v s="$start" -v e="$end" 'BEGIN { printf "%.2f s together (target 10 s)\n", e - s }'
