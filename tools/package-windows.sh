#!/usr/bin/env bash
# Builds (or brings up to date) the 32-bit Windows krambol.exe and packs what a
# player needs into dist/krambol-win32.zip: krambol.exe, the map editor
# krambol-editor.exe, the game against the computer krambol-versus.exe, res/ with every
# generated image, the sample maps and README.txt (Russian, then English;
# UTF-8 with a byte-order mark and CR LF line ends, so Notepad shows it).
# Unpacking the zip anywhere and starting krambol.exe is the whole installation.
# The zip is the same bytes for the same sources: fixed order, fixed dates.
# KRAMBOL_WINDOWS_BITS=64 packs the 64-bit build the same way into
# dist/krambol-win64.zip, for the Wine checks only (tools/wine-common.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
case "${KRAMBOL_WINDOWS_BITS:-32}" in
  32) tree=build-windows zip=krambol-win32.zip deps=windows ;;
  64) tree=build-windows64 zip=krambol-win64.zip deps=windows64 ;;
  *) echo "package-windows.sh: KRAMBOL_WINDOWS_BITS is 32 or 64" >&2; exit 2 ;;
esac
tools/deps.sh windows "$deps"
tools/build-windows.sh

stage=$tree/package
rm -rf "$stage"
mkdir -p "$stage" dist
cp "$tree"/src/shell/krambol.exe "$tree"/src/editor/krambol-editor.exe \
  "$tree"/src/versus/krambol-versus.exe "$stage/"
cp -r "$tree"/res "$stage/res"
rm -f "$stage/res/.generated"
cp maps/*.map "$stage/"
{ printf '\xef\xbb\xbf'; sed 's/$/\r/' tools/windows/README.txt; } > "$stage/README.txt"

# Every entry gets the date of the last commit (or a fixed one outside git).
stamp=$(git log -1 --format=%cd --date=format:%Y%m%d%H%M.%S 2>/dev/null || echo 202001010000.00)
export TZ=UTC
find "$stage" -exec touch -h -t "$stamp" {} +
rm -f "dist/$zip"
(cd "$stage" && find . -type f | sed 's|^\./||' | LC_ALL=C sort | zip -q -X -D -@ "../../dist/$zip")
echo "Packed dist/$zip ($(du -k "dist/$zip" | cut -f1) KiB)"
