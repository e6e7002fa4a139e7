#!/usr/bin/env bash
# Builds the fuzz targets (fuzz/) with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer into build-fuzz/, then runs them side by side,
# each for a bounded time (QUARVEL_FUZZ_SECONDS, 90 by default) from its
# committed corpus. A crash, a broken rule, a leak or a hang fails the run; the
# input that did it is kept in build-fuzz/fuzz/run-TARGET/ and replays with
# `build-fuzz/fuzz/TARGET_fuzz FILE`.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
install_missing "${BUILD_PACKAGES[@]}" clang libclang-rt-14-dev libfuzzer-14-dev

seconds=${QUARVEL_FUZZ_SECONDS:-90}
build=build-fuzz
targets=(engine plan)

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DQUARVEL_FUZZ=ON -DQUARVEL_TESTS=OFF -DQUARVEL_BENCHMARKS=OFF
cmake --build "$build" -j2 --target "${targets[@]/%/_fuzz}"

declare -A pids
for target in "${targets[@]}"; do
  work="$build/fuzz/run-$target"
  rm -rf "$work"
  mkdir -p "$work/found"
  # New inputs go to a scratch folder: the committed corpus stays as it is.
  "$build/fuzz/${target}_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$work/" "$work/found" "fuzz/corpus/$target" > "$work/log" 2>&1 &
  pids[$target]=$!
done

failed=0
for target in "${targets[@]}"; do
  work="$build/fuzz/run-$target"
  if wait "${pids[$target]}"; then
    done_line=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$work/log" | tail -n 1)
    echo "fuzz $target: ${seconds}s, $done_line"
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec|new_units_added|peak_rss_mb)' "$work/log" |
      sed "s/^/fuzz $target: /"
  else
    failed=1
    echo "fuzz $target FAILED; its log ($work/log) ends:"
    tail -n 60 "$work/log"
    ls "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-* 2>/dev/null || true
  fi
done
exit $failed
