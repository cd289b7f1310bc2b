#!/usr/bin/env bash
# Whole network games between two copies of krambol-versus on this machine,
# over loopback only, the computer playing each copy's side from the command
# line: a Linux host and a Linux guest over ::1 on the forest map (about 115
# turns); a Linux host and krambol-versus.exe from dist/krambol-win32.zip
# (the 64-bit build where 32-bit programs cannot run) under Wine as its guest
# over 127.0.0.1 on the forest map; and the Wine copy hosting a Linux guest
# over ::1 on the duel map (a short game). Every game must
# end with both copies agreeing (exit status 0) and the same final position,
# byte for byte, in both result files. The host listens on loopback only, on
# a port the system chooses, and tells port and code through a file.
#
# Each copy plays in a folder of its own under build/net-session/, with its
# log (with the network trace, KRAMBOL_NET_TRACE), where a person can look
# after a failure; a failure prints the end of both logs. Every wait has a
# time limit, and everything started here is ended on exit.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/wine-common.sh

started=$SECONDS
out=$PWD/build/net-session
# Frames of 10 ms, the shortest a window timer gives: both copies play
# several times faster than at the default interval.
frame_ms=10
# Seconds a copy may take for the whole game (a game on the forest map took
# 75 s between two Linux copies and 180 s with a copy under Wine, whose
# timers come slower), and for the host to listen.
game_seconds=420
listen_seconds=90
# Two computers can shuffle their stacks for ever: a game stops at this turn
# as a draw (forest games that end do so by turn 160; others have run on
# past turn 1,000). At a turn every 1.2 s (the Wine copy's pace) the cap comes
# within the time a game may take.
turn_cap=250
# A copy's own limit lies beyond the wait for the game, so that a game that
# does not end is told as such, not as the connection its host's end closed.
copy_seconds=$((game_seconds + listen_seconds + 60))

# Every copy writes the network trace into its log.
export KRAMBOL_NET_TRACE=1

# The last lines of both copies' logs (their folders $1 and $2), indented.
logs_end() {
  printf '\n  the guest'"'"'s log ends:\n%s\n  the host'"'"'s log ends:\n%s' \
    "$(tail -n 12 "$1/log.txt" | sed 's/^/    /')" "$(tail -n 12 "$2/log.txt" | sed 's/^/    /')"
}

fail() {
  echo "Network session FAILED: $*" >&2
  echo "Logs and positions: $out" >&2
  exit 1
}

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target krambol-versus krambol_art >/dev/null
linux_exe=$PWD/build/src/versus/krambol-versus
rm -rf "$out"
mkdir -p "$out"

# Makes the folder $1 for a copy: the art (the build's own for Linux, the
# zip's for Wine: $2 is linux or wine), the map $3, and the frame interval.
copy_folder() {
  mkdir -p "$1"
  if [ "$2" = wine ]; then
    unzip -q "$WINE_ZIP" -d "$1"
  else
    ln -s "$PWD/build/res" "$1/res"
  fi
  cp "maps/$3" "$1/$3"
  printf '%s\r\n0\r\n' "$frame_ms" >"$1/option.ini"
}

# Starts a copy in the background in the folder $2 with the arguments after
# it, as a Linux program (headless: no display) or under Wine ($1); the job's
# id goes to the variable named by $3.
start_copy() {
  local kind=$1 dir=$2 var=$3
  shift 3
  if [ "$kind" = wine ]; then
    (cd "$dir" && DISPLAY=$wine_display WINEDEBUG=-all exec timeout "$copy_seconds" wine krambol-versus.exe "$@") \
      >"$dir/log.txt" 2>&1 &
  else
    (cd "$dir" && env -u DISPLAY -u WAYLAND_DISPLAY timeout "$copy_seconds" "$linux_exe" "$@") >"$dir/log.txt" 2>&1 &
  fi
  WINE_CLEANUP_PIDS+=("$!")
  printf -v "$var" '%s' "$!"
}

# One game: play <name> <host kind> <guest kind> <loopback address> <map>.
play() {
  local name=$1 host_kind=$2 guest_kind=$3 address=$4 map=$5 begun=$SECONDS
  local host_dir=$out/$name/host guest_dir=$out/$name/guest host_job guest_job port code status
  copy_folder "$host_dir" "$host_kind" "$map"
  copy_folder "$guest_dir" "$guest_kind" "$map"
  start_copy "$host_kind" "$host_dir" host_job --host --map "$map" --port 0 --loopback --announce announce.txt \
    --computer strong --turns "$turn_cap" --result final.map
  local deadline=$((SECONDS + listen_seconds))
  until [ -s "$host_dir/announce.txt" ]; do
    kill -0 "$host_job" 2>/dev/null || fail "$name: the host ended before it listened ($(tail -n3 "$host_dir/log.txt"))"
    [ "$SECONDS" -lt "$deadline" ] || fail "$name: the host did not listen within $listen_seconds s"
    sleep 0.2
  done
  read -r port code <"$host_dir/announce.txt"
  case "$address" in *:*) address="[$address]" ;; esac
  start_copy "$guest_kind" "$guest_dir" guest_job --join "$address:$port" --code "$code" --computer easy \
    --turns "$turn_cap" \
    --result final.map
  local host_status=running
  wine_wait_exit "$guest_job" "$game_seconds" status ||
    fail "$name: the game did not end within $game_seconds s." "$(logs_end "$guest_dir" "$host_dir")"
  if [ "$status" != 0 ]; then
    # Which copy stopped first matters: the host's status too, before the clean-up ends it.
    wine_wait_exit "$host_job" 10 host_status || true
    fail "$name: the guest ended with status $status; the host: status $host_status." \
      "$(logs_end "$guest_dir" "$host_dir")"
  fi
  wine_wait_exit "$host_job" 60 status || fail "$name: the host did not end after its guest"
  [ "$status" = 0 ] || fail "$name: the host ended with status $status: $(tail -n3 "$host_dir/log.txt")"
  [ -s "$host_dir/final.map" ] || fail "$name: the host wrote no final position"
  cmp -s "$host_dir/final.map" "$guest_dir/final.map" || fail "$name: the final positions differ"
  cmp -s "$host_dir/final.map" "maps/$map" && fail "$name: the final position is the map as it began"
  echo "Network session: $name ($map) agreed on the final position after $((SECONDS - begun)) s" \
    "(turn $(head -n1 "$host_dir/final.map" | tr -d '\r'), $(wc -c <"$host_dir/final.map") bytes)"
}

play linux-linux linux linux ::1 forest.map

tools/deps.sh wine
wine_choose_build "$out"
export LC_ALL=C.UTF-8 LANG=C.UTF-8
wine_start_display wine_display
wine_new_prefix "$out/prefix" "$WINE_ARCH" "$wine_display"
export WINEPREFIX=$out/prefix
echo "Network session: Wine prefix ready after $((SECONDS - started)) s"
play linux-wine linux wine 127.0.0.1 forest.map
play wine-linux wine linux ::1 duel.map
echo "Network session: passed in $((SECONDS - started)) s"
