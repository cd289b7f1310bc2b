#!/usr/bin/env bash
# The autoplay's soak: whole games with random players on every sample map for
# about SECONDS seconds (60 unless given), then a few games of the computer
# opponent's strong player against its greedy one, in the AddressSanitizer +
# UndefinedBehaviorSanitizer build that tools/sanitize.sh makes (build-asan/),
# from a fresh seed that is printed. One frame in 128 is drawn for real. It
# passes when it finds nothing; a failure prints its report and the end of the
# replay file that plays it again (autoplay --replay FILE).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
tools/deps.sh build test
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DKRAMBOL_SANITIZE=ON -DKRAMBOL_BENCH=OFF > /dev/null
cmake --build build-asan -j "$(nproc)" --target autoplay
source tools/sanitizer-options.sh
seed=$(od -An -N4 -tu4 /dev/urandom | tr -d ' ')
replays=build-asan/autoplay-replays
rm -rf "$replays"
status=0
build-asan/tools/autoplay/autoplay --seconds "$seconds" --seed "$seed" --jobs "$(nproc)" --draw-every 128 \
  --replay-dir "$replays" || status=$?
if [ "$status" -eq 0 ]; then
  build-asan/tools/autoplay/autoplay --maps maps/duel.map maps/forest.map --games 2 --policies strong,greedy --swap \
    --seed "$seed" --jobs "$(nproc)" --draw-every 128 --replay-dir "$replays" || status=$?
fi
if [ "$status" -ne 0 ]; then
  for replay in "$replays"/*.replay; do
    [ -e "$replay" ] || continue
    echo "--- the end of $replay:"
    tail -n 40 "$replay"
  done
fi
exit "$status"
