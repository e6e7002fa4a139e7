#!/usr/bin/env bash
# Builds the program and every test with AddressSanitizer and
# UndefinedBehaviorSanitizer into build-asan/ and runs the whole suite there.
# Any report fails the run: a sanitizer error ends the process it is found in
# (undefined behaviour included, built with -fno-sanitize-recover).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
install_missing "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

build=build-asan
cmake -S . -B "$build" -G Ninja -DQUARVEL_SANITIZE=ON -DQUARVEL_TESTS=ON -DQUARVEL_BENCHMARKS=OFF \
  -DQUARVEL_WERROR="${QUARVEL_WERROR:-OFF}"

# LeakSanitizer: libcups fills a printer's PPD cache (_ppdCacheCreateWithPPD)
# with strings it never frees, and Qt's print support makes one for each
# printer it opens (the print tests ask it where a printer's printable area
# lies). Only allocations made in that function are let through; any other
# leak still fails the run. (The tests that load the X11 platform or a made
# locale name their own exceptions.)
cat > "$build/lsan.supp" <<'SUPP'
leak:_ppdCacheCreateWithPPD
SUPP
export LSAN_OPTIONS="suppressions=$PWD/$build/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export QT_QPA_PLATFORM=offscreen

# The tests list themselves at build time, so the options hold there too.
cmake --build "$build" -j2
cd "$build"
ctest --output-on-failure -j2
