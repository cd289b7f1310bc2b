#!/usr/bin/env bash
# The maps' balance report: the autoplay's greedy player against itself, the
# sides swapped every other game, GAMES games (500 unless given) on every map
# of maps/, in the Release build (build-release/). The table of first- and
# second-side wins, with the first side's share and its 95 % interval, replaces
# the one in maps/README.md. A fixed seed makes the same maps give the same table.
set -euo pipefail
cd "$(dirname "$0")/.."
games=${1:-500}
tools/deps.sh build
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DKRAMBOL_TESTS=OFF -DKRAMBOL_BENCH=OFF > /dev/null
cmake --build build-release -j "$(nproc)" --target autoplay
table=$(mktemp)
trap 'rm -f "$table"' EXIT
build-release/tools/autoplay/autoplay --policies greedy,greedy --swap --games "$games" --seed 1 --draw-every 0 \
  --jobs "$(nproc)" --session-games 100 --replay-dir build-release/autoplay-replays --report "$table"
awk -v table="$table" '
  /<!-- balance table -->/ { print; while ((getline line < table) > 0) print line; skip = 1; next }
  /<!-- end of balance table -->/ { skip = 0 }
  !skip { print }' maps/README.md > maps/README.md.new
mv maps/README.md.new maps/README.md
echo "maps/README.md: the balance table is up to date"
