#!/usr/bin/env bash
# bench/startup/measure.sh [BUILD-FOLDER]: the start-up figures of the README's
# Performance section, from a build with the benchmarks (build/ by default):
# - cold start on a private Xvfb: Quarvel, the bare window and the one-label
#   floor, each started afresh 15 times, taking turns (cold_start);
# - the time the scenario runner takes for every scenario file (target:
#   under 10 seconds together).
# Run it on an otherwise idle machine.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}

echo "== cold start"
"$build/bench/startup/cold_start"

echo "== every scenario file through the scenario runner"
start=$(date +%s.%N)
QT_QPA_PLATFORM=offscreen "$build/quarvel-scenario" tests/scenarios/*.scn 2>/dev/null | tail -n 1
end=$(date +%s.%N)
awk -v s="$start" -v e="$end" 'BEGIN { printf "%.2f s together (target 10 s)\n", e - s }'
