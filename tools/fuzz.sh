#!/usr/bin/env bash
# Builds the map-reader fuzz target with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs it for N seconds (default 60) starting
# from the sample maps. Exits non-zero when the target crashes; the input that
# crashed it is left in build-fuzz/fuzz-artifacts/.
#   tools/fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
build=build-fuzz
tools/deps.sh build fuzz

CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKRAMBOL_FUZZ=ON -DKRAMBOL_SANITIZE=ON -DKRAMBOL_TESTS=OFF -DKRAMBOL_BENCH=OFF
cmake --build "$build" --target MapReader_fuzz krambol_art -j2

# The corpus grows in a scratch directory; the sample maps stay as they are.
corpus="$(mktemp -d)"
trap 'rm -rf "$corpus"' EXIT
cp maps/*.map "$corpus"/
mkdir -p "$build/fuzz-artifacts"
KRAMBOL_RES_DIR="$PWD/$build/res" "$build/fuzz/MapReader_fuzz" -max_total_time="$seconds" \
  -rss_limit_mb=2048 -artifact_prefix="$PWD/$build/fuzz-artifacts/" -print_final_stats=1 "$corpus"
