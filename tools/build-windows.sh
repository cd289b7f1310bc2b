#!/usr/bin/env bash
# Cross-compiles the 32-bit Windows krambol.exe with mingw-w64 (i686) into
# build-windows/src/shell/krambol.exe, and the map editor into
# build-windows/src/editor/krambol-editor.exe, the game against the computer into
# build-windows/src/versus/krambol-versus.exe, together with their res/ tree.
# The art generator runs on this machine, so it is built natively first (or
# taken from KRAMBOL_ARTGEN: tools/host-artgen.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh build windows
artgen=$(tools/host-artgen.sh)
cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release \
  -DKRAMBOL_TESTS="${KRAMBOL_WINDOWS_TESTS:-OFF}" -DKRAMBOL_BENCH=OFF -DKRAMBOL_ARTGEN="$artgen"
cmake --build build-windows -j "$(nproc)"
echo "Built build-windows/src/shell/krambol.exe, build-windows/src/editor/krambol-editor.exe and build-windows/src/versus/krambol-versus.exe"
