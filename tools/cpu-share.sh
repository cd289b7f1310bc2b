#!/usr/bin/env bash
# Runs the game under Xvfb in a window with a 1920 x 1080 client area (default
# 66 ms frame interval), loads battle.map through the map list with mouse
# clicks, lets the game screen run (or gives an order, or stays on the menu
# screen), then prints the game process's share of one
# core over 10 seconds (user + system time from /proc) and its resident size.
# The X screen is larger than the window, as on a desktop: without a window
# manager, Xvfb cannot make a window full screen.
#
# Usage: tools/cpu-share.sh [--menu | --walk] [game binary] [res folder] [screenshot.png]
#   --menu measures the menu screen instead, before anything is clicked;
#   --walk gives an order first: the stack at cell (2, 2) walks to (25, 20),
#   some twenty cells, which takes longer than the 10 s measured.
#   defaults: build/src/shell/krambol and build/res; a screenshot of the
#   screen is saved when a last argument is given.
# Needs Xvfb, xauth, xdotool and ImageMagick (tools/deps.sh measure).
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" = "--inside" ]; then
  shift
  mode=$1 game=$2 work=$3 shot=${4:-}
  cd "$work"
  "$game" > game.log 2>&1 &
  pid=$!
  trap 'kill "$pid" 2> /dev/null || true' EXIT
  window=""
  for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name . 2> /dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.1
  done
  sleep 1
  xdotool windowsize "$window" 1920 1080
  sleep 1
  xdotool windowmove "$window" 0 0
  sleep 1
  click() { xdotool mousemove --window "$window" "$1" "$2" click 1; sleep 0.7; }
  if [ "$mode" != menu ]; then
    click 960 485   # main menu: "Загрузить игру"
    click 942 381   # map list: the first row, ./battle.map
    click 885 700   # map list: "Загрузить"
    sleep 3         # the map loads and the game screen settles
  fi
  if [ "$mode" = walk ]; then
    click 160 120   # the stack at cell (2, 2)
    xdotool mousemove --window "$window" 1632 984
    sleep 0.5
    click 1632 984  # cell (25, 20): the order
  fi
  if [ -n "$shot" ]; then import -window "$window" "$shot"; fi
  ticks() { awk '{ sub(/.*\) /, ""); print $12 + $13 }' "/proc/$pid/stat"; }
  before=$(ticks)
  sleep 10
  after=$(ticks)
  hz=$(getconf CLK_TCK)
  rss=$(awk '/^VmRSS/ { print int($2 / 1024) }' "/proc/$pid/status")
  awk -v t=$((after - before)) -v hz="$hz" -v rss="$rss" \
    'BEGIN { printf "CPU share over 10 s: %.1f %% of one core; resident %d MiB\n", 100 * t / (10 * hz), rss }'
  exit 0
fi

mode=game
case "${1:-}" in
  --menu) mode=menu; shift ;;
  --walk) mode=walk; shift ;;
esac
tools/deps.sh measure
game=$(realpath "${1:-build/src/shell/krambol}")
res=$(realpath "${2:-build/res}")
shot=${3:+$(realpath -m "$3")}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$res" "$work/res"
cp maps/battle.map "$work/"
printf '66\r\n0\r\n' > "$work/option.ini"
xvfb-run -a -s "-screen 0 2560x1440x24 -nolisten tcp" "$0" --inside "$mode" "$game" "$work" "$shot"
