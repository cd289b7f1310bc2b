#!/usr/bin/env bash
# Builds the fuzz targets with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs them for N seconds in all (default 60):
# the map reader for two thirds of it starting from the sample maps, the
# network protocol's decoder for the rest with its dictionary. Exits non-zero
# when a target crashes; the input that crashed it is left in
# build-fuzz/fuzz-artifacts/.
#   tools/fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
build=build-fuzz
tools/deps.sh build fuzz

CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKRAMBOL_FUZZ=ON -DKRAMBOL_SANITIZE=ON -DKRAMBOL_TESTS=OFF -DKRAMBOL_BENCH=OFF
cmake --build "$build" --target MapReader_fuzz NetDecoder_fuzz krambol_art -j2

# The corpus grows in a scratch directory; the sample maps stay as they are.
corpus="$(mktemp -d)"
net_corpus="$(mktemp -d)"
trap 'rm -rf "$corpus" "$net_corpus"' EXIT
cp maps/*.map "$corpus"/
mkdir -p "$build/fuzz-artifacts"
net_seconds=$((seconds / 3))
[ "$net_seconds" -ge 1 ] || net_seconds=1
map_seconds=$((seconds - net_seconds))
[ "$map_seconds" -ge 1 ] || map_seconds=1
KRAMBOL_RES_DIR="$PWD/$build/res" "$build/fuzz/MapReader_fuzz" -max_total_time="$map_seconds" \
  -rss_limit_mb=2048 -artifact_prefix="$PWD/$build/fuzz-artifacts/" -print_final_stats=1 "$corpus"
"$build/fuzz/NetDecoder_fuzz" -max_total_time="$net_seconds" -max_len=4096 -dict=fuzz/NetProtocol.dict \
  -rss_limit_mb=2048 -artifact_prefix="$PWD/$build/fuzz-artifacts/" -print_final_stats=1 "$net_corpus"
