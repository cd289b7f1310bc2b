#!/usr/bin/env bash
# Checks the Debian package as a player meets it: lintian (errors fail, the
# warnings are listed), installation, the installed game started under Xvfb
# with a fresh home folder whose name has spaces (its window must appear,
# option.ini must land in the player's folder, and its main menu must look as
# the Linux build of this tree draws it: a blank or black window fails), the
# window closed as its close box would close it (the game must end cleanly),
# the map editor started, compared and closed the same way, and removal, after
# which nothing of the package may be left while the player's folder stays.
# The pictures stay in build-package/check-deb/ for a person to look at.
# Installs and removes the package system-wide, so it needs root (or sudo) and
# refuses to run where krambol is installed already.
# Usage: tools/check-deb.sh [package.deb]   (default: the newest dist/krambol_*_amd64.deb)
set -euo pipefail
cd "$(dirname "$0")/.."

fail() {
  echo "check-deb.sh: $*" >&2
  exit 1
}

# Sends WM_DELETE_WINDOW to a window, as a window manager does for the close box.
close_window() {
  python3 - "$1" <<'PYTHON'
import ctypes, sys
x = ctypes.cdll.LoadLibrary("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XOpenDisplay.argtypes = [ctypes.c_char_p]
x.XInternAtom.restype = ctypes.c_ulong
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]
class XEvent(ctypes.Union):
    _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]
x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.POINTER(XEvent)]
x.XFlush.argtypes = x.XCloseDisplay.argtypes = [ctypes.c_void_p]
display = x.XOpenDisplay(None)
if not display:
    sys.exit("cannot open the display")
event = XEvent()
event.xclient.type = 33  # ClientMessage
event.xclient.window = int(sys.argv[1])
event.xclient.message_type = x.XInternAtom(display, b"WM_PROTOCOLS", 0)
event.xclient.format = 32
event.xclient.data[0] = x.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
if not x.XSendEvent(display, event.xclient.window, 0, 0, ctypes.byref(event)):
    sys.exit("cannot send WM_DELETE_WINDOW")
x.XFlush(display)
x.XCloseDisplay(display)
PYTHON
}

# The window size both builds are given before their pictures are compared,
# and the share of pixels that may differ: the Wine session's tolerance (two
# builds of one program differ by a pixel of text here and there; a blank,
# black or half-drawn window differs in most of them).
shot_w=800 shot_h=600
max_percent=0.25
check=build/tools/screencheck/screencheck

# Waits up to $1 tenths of a second for the command that follows to succeed.
wait_for() {
  local tenths=$1
  shift
  for ((i = 0; i < tenths; ++i)); do
    if "$@"; then return 0; fi
    sleep 0.1
  done
  return 1
}

# Waits for a window of the program started last (its pid in pid, named $1
# in messages, logging to $2); sets window.
await_window() {
  local name=$1 log=$2
  window=""
  find_window() { window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1); [ -n "$window" ]; }
  if ! wait_for 300 find_window; then
    kill "$pid" 2>/dev/null || true
    cat "$log" >&2
    fail "no window of $name appeared within 30 s"
  fi
}

# Under Xvfb: starts the installed program $2 (named $3 in messages) for the
# home folder $1, logging to $4, and waits for its window; sets pid and window.
start_program() {
  local home=$1 program=$2 name=$3 log=$4
  HOME="$home" XDG_DATA_HOME='' "$program" >"$log" 2>&1 &
  pid=$!
  await_window "$name" "$log"
}

# Under Xvfb: starts the Linux build's own program $1 (named $2) in the
# folder $3, whose res/ is the build's generated images; sets pid and window.
start_reference() {
  local program=$1 name=$2 folder=$3
  mkdir -p "$folder"
  ln -sfn "$PWD/build/res" "$folder/res"
  (cd "$folder" && exec "$program") >"$folder/log" 2>&1 &
  pid=$!
  await_window "the Linux build's $name" "$folder/log"
}

# Brings the window started last to the check's size and saves its first
# screen, once it has drawn most of its pixels and kept still for a second, to
# $1; with $2, that picture must come within the allowed share of it. $3
# names the program in messages.
picture() {
  local png=$1 like=$2 name=$3 result blank
  xdotool windowsize "$window" "$shot_w" "$shot_h"
  blank="${png%.png}-blank.png"
  "$check" blank "${shot_w}x${shot_h}" "$blank"
  local compare=(--changed-from "$blank" --changed-min $((shot_w * shot_h / 2)))
  if [ -n "$like" ]; then compare+=(--like "$like" --max "$max_percent"); fi
  if ! result=$("$check" wait "$window" "$png" --timeout 60 --size "${shot_w}x${shot_h}" --stable 1000 \
                 "${compare[@]}"); then
    [ -z "$like" ] || "$check" diff "$like" "$png" --marked "${png%.png}-diff.png" >/dev/null || true
    fail "$name: $result (pictures in ${png%/*})"
  fi
  rm -f "$blank"
  if [ -n "$like" ]; then
    echo "$name draws as the Linux build does: $("$check" diff "$like" "$png" --marked "${png%.png}-diff.png")"
  fi
}

# Closes the window of the program started last (named $1, logging to $2) as
# its close box would, and checks the program ends with status 0 within 15 s.
close_and_wait() {
  local name=$1 log=$2
  close_window "$window"
  program_ended() { ! kill -0 "$pid" 2>/dev/null; }
  if ! wait_for 150 program_ended; then
    if xdotool search --name "Fatal Error" >/dev/null 2>&1; then
      echo "$name shows its error report:" >&2
    fi
    kill "$pid" 2>/dev/null || true
    cat "$log" >&2
    fail "$name did not end within 15 s of closing its window"
  fi
  local status=0
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || { cat "$log" >&2; fail "$name ended with status $status"; }
  echo "$name ended cleanly when its window was closed"
}

# Under Xvfb: the pictures the Linux build of this tree draws of the game's
# main menu and the editor's first screen, into the folder $1.
reference_pictures() {
  local shots=$1
  start_reference "$PWD/build/src/shell/krambol" game "$shots/reference-folder"
  picture "$shots/game-reference.png" "" "the Linux build's game"
  close_and_wait "The Linux build's game" "$shots/reference-folder/log"
  start_reference "$PWD/build/src/editor/krambol-editor" editor "$shots/reference-folder"
  picture "$shots/editor-reference.png" "" "the Linux build's editor"
  close_and_wait "The Linux build's editor" "$shots/reference-folder/log"
  rm -rf "$shots/reference-folder"
}

# Under Xvfb: starts the installed launcher for the home folder $1, checks the
# window, what it draws (against the pictures in $2) and the player's folder,
# closes the window and checks the game ends with status 0.
play() {
  local home=$1 shots=$2
  local folder="$home/.local/share/krambol"
  local log="$home/../game.log"
  start_program "$home" /usr/games/krambol "the game" "$log"
  local title
  title=$(xdotool getwindowname "$window")
  [ "$title" = "Крамбол." ] || fail "the window's title is '$title', not 'Крамбол.'"
  local size
  size=$(xwininfo -id "$window" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')
  echo "The game's window $window: '$title', $size"
  picture "$shots/game-installed.png" "$shots/game-reference.png" "The installed game's main menu"

  option_ini_written() { [ "$(cat "$folder/option.ini" 2>/dev/null)" = $'66\r\n0\r' ]; }
  wait_for 100 option_ini_written || fail "option.ini in $folder does not hold 66 and 0 in CR LF lines"
  [ "$(readlink "$folder/res")" = /usr/share/games/krambol/res ] || fail "$folder/res is not the installed images"
  for map in /usr/share/games/krambol/maps/*.map; do
    cmp -s "$map" "$folder/${map##*/}" || fail "the sample map ${map##*/} was not copied into $folder"
  done
  close_and_wait "The game" "$log"
}

# Under Xvfb: starts the installed editor for the home folder $1 (prepared by
# the game before), checks its window, closes it and checks it ends with status 0.
edit() {
  local home=$1 shots=$2
  local log="$home/../editor.log"
  start_program "$home" /usr/games/krambol-editor "the editor" "$log"
  local title
  title=$(xdotool getwindowname "$window")
  [ "$title" = "Редактор карт Крамбол." ] || fail "the editor's title is '$title'"
  echo "The editor's window $window: '$title'"
  picture "$shots/editor-installed.png" "$shots/editor-reference.png" "The installed editor's first screen"
  close_and_wait "The editor" "$log"
}

if [ "${1:-}" = "--play" ]; then
  reference_pictures "$3"
  play "$2" "$3"
  edit "$2" "$3"
  exit 0
fi

started=$SECONDS
tools/deps.sh build package-check
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

deb=${1:-$(ls -t dist/krambol_*_amd64.deb 2>/dev/null | head -n 1)}
[ -n "$deb" ] && [ -f "$deb" ] || fail "no package; build one with tools/package-linux.sh"
if dpkg-query -W -f='${Status}' krambol 2>/dev/null | grep -q "ok installed"; then
  fail "krambol is installed on this machine already; remove it before checking a package"
fi
echo "Checking $deb"
dpkg-deb --field "$deb" Package Version Depends

# Lintian: errors fail; warnings and the rest are listed.
lintian_output=$(lintian --fail-on error --display-info "$deb" 2>&1) || {
  echo "$lintian_output" >&2
  fail "lintian reports errors"
}
echo "lintian: $(grep -c '^W: ' <<<"$lintian_output" || true) warnings, $(grep -c '^I: ' <<<"$lintian_output" || true) notes"
[ -z "$lintian_output" ] || echo "$lintian_output"

scratch=$(mktemp -d)
installed=""
cleanup() {
  if [ -n "$installed" ]; then $sudo dpkg -r krambol >/dev/null 2>&1 || true; fi
  rm -rf "$scratch"
}
trap cleanup EXIT

$sudo dpkg -i "$deb"
installed=yes
dpkg-query -L krambol | sort >"$scratch/files"
for path in /usr/games/krambol /usr/lib/games/krambol/krambol /usr/games/krambol-editor \
  /usr/lib/games/krambol/krambol-editor /usr/games/krambol-versus /usr/lib/games/krambol/krambol-versus; do
  [ -x "$path" ] || fail "$path is missing or not executable"
done
for path in /usr/share/applications/krambol.desktop /usr/share/man/man6/krambol.6.gz \
  /usr/share/applications/krambol-editor.desktop /usr/share/man/man6/krambol-editor.6.gz \
  /usr/share/applications/krambol-versus.desktop /usr/share/man/man6/krambol-versus.6.gz \
  /usr/share/doc/krambol/copyright /usr/share/games/krambol/res/Unit; do
  [ -e "$path" ] || fail "$path is missing"
done
file -b /usr/share/icons/hicolor/64x64/apps/krambol.png | grep -q "PNG image data, 64 x 64" ||
  fail "the icon is not a 64 x 64 PNG"

# A player whose folder cannot be made is told so, and the game does not start.
blocked="$scratch/blocked home"
mkdir -p "$blocked"
echo "a file where a folder belongs" >"$blocked/.local"
if message=$(env -u DISPLAY -u WAYLAND_DISPLAY HOME="$blocked" XDG_DATA_HOME='' /usr/games/krambol 2>&1); then
  fail "the launcher started the game without a folder for it"
fi
grep -q "cannot create the folder for saved games" <<<"$message" || fail "the launcher said: $message"
echo "Unusable folder: $message"

# The Linux build of this tree draws the pictures the installed programs must match.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target krambol krambol-editor screencheck krambol_art >/dev/null
shots=$PWD/build-package/check-deb
rm -rf "$shots"
mkdir -p "$shots"

home="$scratch/home of a player"
mkdir -p "$home"
played=$SECONDS
xvfb-run -a -s "-screen 0 1024x768x24" "$0" --play "$home" "$shots"
echo "Played for $((SECONDS - played)) s"

$sudo dpkg -r krambol
installed=""
if dpkg-query -W -f='${Status}' krambol 2>/dev/null | grep -q "ok installed"; then
  fail "krambol is still installed after dpkg -r"
fi
left=()
while IFS= read -r path; do
  # Shared folders such as /usr/games stay; everything of the package's own goes.
  if [ -e "$path" ] && { [ ! -d "$path" ] || [[ "$path" == */krambol* ]]; }; then left+=("$path"); fi
done <"$scratch/files"
[ ${#left[@]} -eq 0 ] || fail "left behind after dpkg -r: ${left[*]}"
[ -f "$home/.local/share/krambol/option.ini" ] || fail "removing the package took the player's option.ini"
echo "Removed; nothing of the package is left, the player's folder stays"
echo "check-deb.sh: all checks passed in $((SECONDS - started)) s"
