#!/usr/bin/env bash
# Builds every test with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan/ and runs them. Leaks inside the system's font and drawing
# libraries (their caches live until exit) are suppressed; ours are not.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh build test
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DKRAMBOL_SANITIZE=ON -DKRAMBOL_BENCH=OFF
cmake --build build-asan -j "$(nproc)"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir build-asan --output-on-failure -j "$(nproc)" "$@"
