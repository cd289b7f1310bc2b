#!/usr/bin/env bash
# Builds the platform conformance tests (and the route search tests) for 64-bit
# Windows and runs them under Wine, the reference for what the layer emulates.
# Needs Debian's wine64 and g++-mingw-w64-x86-64 (not part of CI).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-wine -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
  -DKRAMBOL_TESTS=ON -DKRAMBOL_BENCH=OFF -DKRAMBOL_ARTGEN="$PWD/build-host/tools/artgen/artgen"
cmake --build build-wine -j "$(nproc)" --target platform_gdiplus_tests platform_user_tests algo_tests
export WINEDEBUG=-all
status=0
for t in build-wine/tests/platform/platform_gdiplus_tests.exe build-wine/tests/platform/platform_user_tests.exe \
         build-wine/tests/algo/algo_tests.exe; do
  [ -f "$t" ] || continue
  echo "== $t"
  (cd "$(dirname "$t")" && wine64 "$(basename "$t")" "$@") || status=1
done
exit $status
