#!/usr/bin/env bash
# Builds Quarvel and every test into build/ and runs the suite. Installs
# what is missing first. QUARVEL_WERROR=ON makes warnings errors, as CI does.
# The longer stages run on their own: scripts/test-sanitized.sh,
# scripts/test-fuzz.sh and scripts/test-package.sh (.ci/run runs them all).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
install_missing "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

cmake -S . -B build -G Ninja -DQUARVEL_TESTS=ON -DQUARVEL_BENCHMARKS=ON -DQUARVEL_WERROR="${QUARVEL_WERROR:-OFF}"
cmake --build build -j2
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
