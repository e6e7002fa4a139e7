#!/usr/bin/env bash
# Builds Quarvel and every test into build/ and runs them all.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
install_missing "${BUILD_PACKAGES[@]}" libgtest-dev libbenchmark-dev
cmake -S . -B build -G Ninja -DQUARVEL_TESTS=ON -DQUARVEL_BENCHMARKS=ON
cmake --build build -j2
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
