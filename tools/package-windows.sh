#!/usr/bin/env bash
# Builds (or brings up to date) the 32-bit Windows krambol.exe and packs what a
# player needs into dist/krambol-win32.zip: krambol.exe, the map editor
# krambol-editor.exe, the game against the computer krambol-versus.exe, res/ with every
# generated image, the sample maps and README.txt (Russian, then English;
# UTF-8 with a byte-order mark and CR LF line ends, so Notepad shows it).
# Unpacking the zip anywhere and starting krambol.exe is the whole installation.
# The zip is the same bytes for the same sources: fixed order, fixed dates.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh windows
tools/build-windows.sh

stage=build-windows/package
rm -rf "$stage"
mkdir -p "$stage" dist
cp build-windows/src/shell/krambol.exe build-windows/src/editor/krambol-editor.exe \
  build-windows/src/versus/krambol-versus.exe "$stage/"
cp -r build-windows/res "$stage/res"
rm -f "$stage/res/.generated"
cp maps/*.map "$stage/"
{ printf '\xef\xbb\xbf'; sed 's/$/\r/' tools/windows/README.txt; } > "$stage/README.txt"

# Every entry gets the date of the last commit (or a fixed one outside git).
stamp=$(git log -1 --format=%cd --date=format:%Y%m%d%H%M.%S 2>/dev/null || echo 202001010000.00)
export TZ=UTC
find "$stage" -exec touch -h -t "$stamp" {} +
rm -f dist/krambol-win32.zip
(cd "$stage" && find . -type f | sed 's|^\./||' | LC_ALL=C sort | zip -q -X -D -@ ../../dist/krambol-win32.zip)
echo "Packed dist/krambol-win32.zip ($(du -k dist/krambol-win32.zip | cut -f1) KiB)"
