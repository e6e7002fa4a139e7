#!/usr/bin/env bash
# Builds Quarvel into build/ and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
install_missing "${BUILD_PACKAGES[@]}" qt6-qpa-plugins
cmake -S . -B build -G Ninja -DQUARVEL_TESTS=OFF -DQUARVEL_BENCHMARKS=OFF >/dev/null
cmake --build build -j2 --target quarvel
exec build/quarvel "$@"
