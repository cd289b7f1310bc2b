#!/usr/bin/env bash
# Cross-compiles the 32-bit Windows krambol.exe with mingw-w64 (i686) into
# build-windows/src/shell/krambol.exe, and the map editor into
# build-windows/src/editor/krambol-editor.exe, the game against the computer into
# build-windows/src/versus/krambol-versus.exe, together with their res/ tree.
# KRAMBOL_WINDOWS_BITS=64 builds the same for 64-bit Windows (x86_64) into
# build-windows64/ instead: not what players get, but what the Wine checks run
# where 32-bit Windows programs cannot run.
# The art generator runs on this machine, so it is built natively first (or
# taken from KRAMBOL_ARTGEN: tools/host-artgen.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
case "${KRAMBOL_WINDOWS_BITS:-32}" in
  32) tree=build-windows toolchain=cmake/mingw-i686.cmake deps=windows ;;
  64) tree=build-windows64 toolchain=cmake/mingw-x86_64.cmake deps=windows64 ;;
  *) echo "build-windows.sh: KRAMBOL_WINDOWS_BITS is 32 or 64" >&2; exit 2 ;;
esac
tools/deps.sh build "$deps"
artgen=$(tools/host-artgen.sh)
cmake -S . -B "$tree" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DKRAMBOL_TESTS="${KRAMBOL_WINDOWS_TESTS:-OFF}" -DKRAMBOL_BENCH=OFF -DKRAMBOL_ARTGEN="$artgen"
cmake --build "$tree" -j "$(nproc)"
echo "Built $tree/src/shell/krambol.exe, $tree/src/editor/krambol-editor.exe and $tree/src/versus/krambol-versus.exe"
