#!/usr/bin/env bash
# bench/runner-memory.sh [BUILD-FOLDER] [STEPS...]: the scenario runner's peak
# resident memory on one long file of picks (two mission types in turn), for
# each number of steps given (10000, 40000 and 100000 unless given). In
# bounded memory the figures stay alike however long the file. Needs GNU time.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
shift || true
[ $# -gt 0 ] || set -- 10000 40000 100000
export QT_QPA_PLATFORM=offscreen

file=$(mktemp --suffix=.scn)
trap 'rm -f "$file"' EXIT
for steps in "$@"; do
  for ((i = 0; i < steps / 2; i++)); do
    printf 'pick Combo2 Probe\npick Combo2 Raid\n'
  done >"$file"
  /usr/bin/time -f "$steps steps: %M kB peak resident, %e s" "$build/quarvel-scenario" "$file" >/dev/null
done
