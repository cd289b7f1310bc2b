#!/usr/bin/env bash
# Installs the Debian packages a task needs, only those still missing.
# Usage: tools/deps.sh build|test|windows|windows64|wine|wine32|fuzz|package|package-check|measure ...
# Packages named with ":i386" need the i386 architecture, which is added first.
set -euo pipefail

packages=()
for want in "$@"; do
  case "$want" in
    build) packages+=(cmake make g++ pkg-config libsdl2-dev libcairo2-dev libpango1.0-dev libtiff-dev
                      libfontconfig-dev fonts-liberation) ;;
    test) packages+=(libgtest-dev libgmock-dev libbenchmark-dev) ;;
    windows) packages+=(g++-mingw-w64-i686 binutils-mingw-w64-i686 file zip) ;;
    windows64) packages+=(g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64) ;;
    wine) packages+=(wine wine64 xvfb xdotool x11-utils unzip fonts-liberation) ;;
    # Wine's 32-bit half, asked for apart: an i386 index that cannot be had
    # leaves Wine for 64-bit programs working (tools/wine-common.sh).
    wine32) packages+=(wine32:i386) ;;
    fuzz) packages+=(clang libclang-rt-14-dev) ;;
    # The Debian package (dpkg-shlibdeps, dpkg-buildflags), then its check:
    # lintian, and the installed game started under Xvfb and closed again.
    package) packages+=(dpkg-dev) ;;
    package-check) packages+=(lintian xvfb xauth xdotool x11-utils python3) ;;
    measure) packages+=(xvfb xauth xdotool imagemagick) ;;
    *) echo "deps.sh: unknown set '$want'" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
case " ${missing[*]}" in
  *:i386*)
    if ! dpkg --print-foreign-architectures | grep -qx i386; then $sudo dpkg --add-architecture i386; fi ;;
esac
echo "Installing: ${missing[*]}"
# A mirror caught mid-sync answers with index files of the wrong size for a
# minute or two: the update and the install are tried again before giving up.
for attempt in 1 2 3; do
  if $sudo apt-get update -qq; then break; fi
  echo "deps.sh: apt-get update failed (try $attempt of 3)" >&2
  sleep $((attempt * 15))
done
for attempt in 1 2 3; do
  if DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"; then
    exit 0
  fi
  echo "deps.sh: apt-get install failed (try $attempt of 3)" >&2
  [ "$attempt" -lt 3 ] || exit 1
  sleep $((attempt * 15))
  $sudo apt-get update -qq || true
done
