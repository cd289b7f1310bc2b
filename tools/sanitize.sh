#!/usr/bin/env bash
# Builds every test with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan/ and runs them. Leaks inside the system's font and drawing
# libraries (their caches live until exit) are suppressed; ours are not.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh build test
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DKRAMBOL_SANITIZE=ON -DKRAMBOL_BENCH=OFF
cmake --build build-asan -j "$(nproc)"
source tools/sanitizer-options.sh
ctest --test-dir build-asan --output-on-failure -j "$(nproc)" "$@"
