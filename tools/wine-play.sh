#!/usr/bin/env bash
# Plays the Windows build under Wine on this display: builds dist/krambol-win32.zip
# if needed, unpacks it into build-windows/wine-play/game (a folder that
# survives: the images are refreshed, the sample maps are added without
# overwriting anything, and saved games and option.ini stay), and starts
# krambol.exe there in a Wine prefix of its own with the font replacements
# that Wine needs to draw the game's text.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/wine-common.sh

here=build-windows/wine-play
if ! wine_can_run_32bit "$here"; then
  echo "wine-play: $WINE_NO_32BIT, so krambol.exe cannot run here." >&2
  exit 1
fi
tools/deps.sh wine
tools/package-windows.sh
mkdir -p "$here/game"
rm -rf "$here/game/res"
unzip -q -o dist/krambol-win32.zip krambol.exe README.txt 'res/*' -d "$here/game"
unzip -q -n dist/krambol-win32.zip '*.map' -d "$here/game"
prefix=$(cd "$here" && pwd)/prefix
if [ ! -f "$prefix/krambol-setup.reg" ]; then wine_new_prefix "$prefix" win32 "${DISPLAY:-}"; fi
WINE_CLEANUP_PREFIXES+=("$prefix")
cd "$here/game"
WINEPREFIX=$prefix WINEDEBUG=-all wine krambol.exe
