#!/usr/bin/env bash
# Builds the Debian package for Linux players, dist/krambol_<version>_amd64.deb,
# from a Release build of its own (build-package/) with Debian's hardening
# flags. Only what the package holds is built (the programs, the images, the
# manual pages): tests, benchmarks and the tools that drive the game are left
# out, ./test builds and runs those. The images are drawn by an artgen of this
# machine's own (tools/host-artgen.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh build package

# CMake reads no CPPFLAGS, so the preprocessor's flags join the compiler's.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
cflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)

artgen=$(tools/host-artgen.sh)
# cpack builds nothing more (no install step depends on the whole tree).
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DKRAMBOL_TESTS=OFF -DKRAMBOL_BENCH=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_C_FLAGS="$cflags" \
  -DCMAKE_EXE_LINKER_FLAGS="$ldflags" -DKRAMBOL_ARTGEN="$artgen" -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON
cmake --build build-package -j "$(nproc)" --target krambol_package_contents

rm -rf build-package/cpack
(cd build-package && cpack -G DEB -B "$PWD/cpack")
debs=(build-package/cpack/krambol_*_amd64.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "package-linux.sh: cpack made no single .deb" >&2; exit 1; }
mkdir -p dist
cp "${debs[0]}" dist/
echo "Built dist/${debs[0]##*/}"
