#!/usr/bin/env bash
# Prints the path of an artgen that runs on this machine, for the trees that
# only need the images it draws (the Windows builds, the fuzz build, the
# package build): KRAMBOL_ARTGEN when it names one already built (CI passes
# the one ./test built, so no tree builds it again), otherwise the one of a
# Release tree of its own, build-host/, built first.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -n "${KRAMBOL_ARTGEN:-}" ]; then
  if [ ! -x "$KRAMBOL_ARTGEN" ]; then
    echo "host-artgen.sh: KRAMBOL_ARTGEN=$KRAMBOL_ARTGEN is no program" >&2
    exit 1
  fi
  realpath "$KRAMBOL_ARTGEN"
  exit 0
fi
cmake -S . -B build-host -DCMAKE_BUILD_TYPE=Release -DKRAMBOL_TESTS=OFF -DKRAMBOL_BENCH=OFF -DKRAMBOL_ARTGEN= >&2
cmake --build build-host -j "$(nproc)" --target artgen >&2
echo "$PWD/build-host/tools/artgen/artgen"
