#!/usr/bin/env bash
# Builds Quarvel and every test into build/ and runs them all: the sanitized
# build, the fuzzers and the package first, then the suite, whose summary
# closes the log.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
install_missing "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

scripts/test-sanitized.sh
scripts/test-fuzz.sh
scripts/test-package.sh

cmake -S . -B build -G Ninja -DQUARVEL_TESTS=ON -DQUARVEL_BENCHMARKS=ON
cmake --build build -j2
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
