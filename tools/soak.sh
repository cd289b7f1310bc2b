#!/usr/bin/env bash
# The autoplay's soak: whole games on every sample map for SECONDS seconds (60
# unless given; a game still running then is stopped after its current order),
# in the AddressSanitizer + UndefinedBehaviorSanitizer build that
# tools/sanitize.sh makes (build-asan/), from a fresh seed that is printed, with
# every game's seed and end listed. The players are mixed (random and greedy,
# against each other and themselves, and the computer opponent's strong player
# against the greedy one) so that most games end with a queen's fall; a game
# that reaches 400 turns is a draw. A session plays on as long
# as its map's share of the time lasts. One frame in 128 is drawn for real.
# The games' working folders (and so their saves) are in memory where the
# machine has a memory file system: every save is still flushed, read back and
# compared, but a flush to a disk would take most of a save's time. It passes
# when it finds nothing; a failure prints its report and the end of the replay
# file that plays it again (autoplay --replay FILE).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
tools/deps.sh build test
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DKRAMBOL_SANITIZE=ON -DKRAMBOL_BENCH=OFF > /dev/null
cmake --build build-asan -j "$(nproc)" --target autoplay
source tools/sanitizer-options.sh
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  TMPDIR=$(mktemp -d /dev/shm/krambol-soak.XXXXXX)
  export TMPDIR
  trap 'rm -rf "$TMPDIR"' EXIT
fi
seed=$(od -An -N4 -tu4 /dev/urandom | tr -d ' ')
replays=build-asan/autoplay-replays
rm -rf "$replays"
status=0
build-asan/tools/autoplay/autoplay --seconds "$seconds" --seed "$seed" --jobs "$(nproc)" --draw-every 128 --mix --list-games \
  --turns 400 --session-games 1000 \
  --replay-dir "$replays" || status=$?
if [ "$status" -ne 0 ]; then
  for replay in "$replays"/*.replay; do
    [ -e "$replay" ] || continue
    echo "--- the end of $replay:"
    tail -n 40 "$replay"
  done
fi
exit "$status"
