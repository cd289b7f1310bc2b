#!/usr/bin/env bash
# The computer opponent's strength table: the autoplay's strong player against
# its greedy one, then against itself, the sides swapped every other game,
# GAMES games (500 unless given) a map on every map of maps/, in the Release
# build (build-release/). Both tables, with the 95 % intervals, replace the
# ones in maps/README.md. A fixed seed makes the same maps give the same tables.
#   tools/strength.sh [GAMES] [MAP...]
set -euo pipefail
cd "$(dirname "$0")/.."
games=${1:-500}
shift || true
maps=("$@")
if [ ${#maps[@]} -eq 0 ]; then maps=(maps/*.map); fi
tools/deps.sh build
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DKRAMBOL_TESTS=OFF -DKRAMBOL_BENCH=OFF > /dev/null
cmake --build build-release -j "$(nproc)" --target autoplay
against=$(mktemp)
itself=$(mktemp)
trap 'rm -f "$against" "$itself"' EXIT
run() {
  build-release/tools/autoplay/autoplay --maps "${maps[@]}" --policies "$1" --swap --games "$games" --seed 1 \
    --draw-every 0 --jobs "$(nproc)" --session-games 20 --replay-dir build-release/autoplay-replays --report "$2"
}
run strong,greedy "$against"
run strong,strong "$itself"
awk -v against="$against" -v itself="$itself" '
  /<!-- strength table -->/ {
    print
    while ((getline line < against) > 0) print line
    print ""
    while ((getline line < itself) > 0) print line
    skip = 1
    next
  }
  /<!-- end of strength table -->/ { skip = 0 }
  !skip { print }' maps/README.md > maps/README.md.new
mv maps/README.md.new maps/README.md
echo "maps/README.md: the strength table is up to date"
