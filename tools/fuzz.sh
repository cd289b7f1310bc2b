#!/usr/bin/env bash
# Builds the fuzz targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer
# (build-fuzz/) and runs each for its share of SECONDS (default 60), starting
# from the minimised corpus kept in fuzz/corpus/ with the target's dictionary.
# Exits non-zero when a target crashes; the input that crashed it is left in
# build-fuzz/fuzz-artifacts/.
#
#   tools/fuzz.sh [SECONDS] [TARGET...]   the targets below, or only those named
#   tools/fuzz.sh --minimise [SECONDS]    runs them, then merges what they found and
#                                         the sample maps into fuzz/corpus/ (commit that)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

# One line per target: the program, its corpus under fuzz/corpus/, its
# dictionary under fuzz/, the longest input it makes, and its share of the time.
# A new target (a parser of its own) adds a line here and a krambol_fuzz_target
# in fuzz/FuzzTargets.cmake.
targets=(
  # The map reader alone: tens of thousands of inputs a second.
  "MapRecord_fuzz  map  MapFile.dict  65536  1"
  # The whole game's reading, the world built with its textures, and the
  # writer: about a thousand a second, as each input builds a world.
  "MapReader_fuzz  map  MapFile.dict  16384  1"
  # The network protocol's decoder: the bytes a peer sends, cut into pieces;
  # hundreds of thousands of inputs a second.
  "NetDecoder_fuzz  net  NetProtocol.dict  4096  1"
)
# The program that decides what a corpus keeps when it is minimised: the one
# whose coverage takes in the others' on the same corpus.
declare -A merge_with=([map]=MapReader_fuzz [net]=NetDecoder_fuzz)

minimise=0
if [ "${1:-}" = "--minimise" ]; then
  minimise=1
  shift
fi
seconds="${1:-60}"
shift || true
wanted=("$@")

build=build-fuzz
tools/deps.sh build fuzz
# The images the whole game's target loads come from an artgen of this
# machine's own (tools/host-artgen.sh): they are the same bytes.
artgen=$(tools/host-artgen.sh)
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKRAMBOL_FUZZ=ON -DKRAMBOL_SANITIZE=ON -DKRAMBOL_TESTS=OFF -DKRAMBOL_BENCH=OFF -DKRAMBOL_ARTGEN="$artgen" > /dev/null

chosen=()
for line in "${targets[@]}"; do
  read -r name _ <<< "$line"
  if [ ${#wanted[@]} -eq 0 ] || [[ " ${wanted[*]} " == *" $name "* ]]; then chosen+=("$line"); fi
done
if [ ${#chosen[@]} -eq 0 ]; then
  echo "fuzz.sh: no such target: ${wanted[*]}" >&2
  exit 2
fi
programs=()
total_share=0
for line in "${chosen[@]}"; do
  read -r name _ _ _ share <<< "$line"
  programs+=("$name")
  total_share=$((total_share + share))
done
cmake --build "$build" --target "${programs[@]}" krambol_art -j2

source tools/sanitizer-options.sh
# The whole game's target finds res/ through this (it changes its working
# directory there, so every path given to it is absolute).
export KRAMBOL_RES_DIR="$root/$build/res"
artifacts="$root/$build/fuzz-artifacts"
mkdir -p "$artifacts"
# Each target grows a scratch copy of its corpus; the tree's stays as it is.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

status=0
for line in "${chosen[@]}"; do
  read -r name corpus dict max_len share <<< "$line"
  share_seconds=$((seconds * share / total_share))
  [ "$share_seconds" -ge 1 ] || share_seconds=1
  mkdir -p "$scratch/$corpus"
  [ -n "$(ls -A "$scratch/$corpus")" ] || cp "fuzz/corpus/$corpus"/* "$scratch/$corpus"/
  echo "fuzz.sh: $name for $share_seconds s from fuzz/corpus/$corpus ($(ls "$scratch/$corpus" | wc -l) inputs)"
  log="$scratch/$name.log"
  run=0
  "$root/$build/fuzz/$name" -max_total_time="$share_seconds" -max_len="$max_len" -dict="$root/fuzz/$dict" \
    -rss_limit_mb=2048 -artifact_prefix="$artifacts/" -print_final_stats=1 "$scratch/$corpus" > "$log" 2>&1 || run=$?
  # Everything but the progress lines and the dictionary it recommends.
  grep -v -e '^#[0-9]*[[:space:]]*\(NEW\|REDUCE\|pulse\)' -e '^"' -e '^######' "$log" || true
  if [ "$run" -ne 0 ]; then
    echo "fuzz.sh: $name failed; the input is in $artifacts/" >&2
    status=1
  fi
done

if [ "$minimise" -eq 1 ] && [ "$status" -eq 0 ]; then
  for corpus in $(for line in "${chosen[@]}"; do read -r _ c _ <<< "$line"; echo "$c"; done | sort -u); do
    merged="$scratch/merged-$corpus"
    mkdir -p "$merged"
    # Edges only: the corpus stays small and still starts every run from the
    # coverage reached; the hit counts are found again within seconds.
    "$root/$build/fuzz/${merge_with[$corpus]}" -merge=1 -use_counters=0 -rss_limit_mb=2048 \
      "$merged" "$root/fuzz/corpus/$corpus" "$scratch/$corpus" "$root/maps" 2>&1 | tail -n 1
    rm -f "fuzz/corpus/$corpus"/*
    cp "$merged"/* "fuzz/corpus/$corpus"/
    echo "fuzz.sh: fuzz/corpus/$corpus now holds $(ls "fuzz/corpus/$corpus" | wc -l) inputs"
  done
fi
exit "$status"
