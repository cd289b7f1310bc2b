#!/usr/bin/env bash
# Builds the Debian package for Linux players, dist/krambol_<version>_amd64.deb,
# from a Release build of its own (build-package/) with Debian's hardening
# flags. Tests and benchmarks are left out: ./test builds and runs those.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh build package

# CMake reads no CPPFLAGS, so the preprocessor's flags join the compiler's.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
cflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)

cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DKRAMBOL_TESTS=OFF -DKRAMBOL_BENCH=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_C_FLAGS="$cflags" \
  -DCMAKE_EXE_LINKER_FLAGS="$ldflags"
cmake --build build-package -j "$(nproc)"

rm -rf build-package/cpack
(cd build-package && cpack -G DEB -B "$PWD/cpack")
debs=(build-package/cpack/krambol_*_amd64.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "package-linux.sh: cpack made no single .deb" >&2; exit 1; }
mkdir -p dist
cp "${debs[0]}" dist/
echo "Built dist/${debs[0]##*/}"
