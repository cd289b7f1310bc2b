#!/usr/bin/env bash
# Builds the tests that build for Windows and runs them under Wine, the
# stand-in for the real Win32 and GDI+ that our own layer follows:
#  - for 32-bit Windows (i686, the game's own target): the platform
#    conformance tests, the route search, and the checks of what only the
#    Windows build does (whole runs of a game whose handlers fail, saving
#    through MoveFileExW), and the network game's sessions over the system's
#    sockets on loopback, in build-windows/ beside krambol.exe;
#  - for 64-bit Windows (x86_64): the platform conformance tests and the route
#    search, in build-windows64/ (the tree the 64-bit game is built in), and
#    the rest of the above where the 32-bit half cannot run.
# Checks that Wine is known to fail are marked in the tests (TODO_WINE,
# SKIP_ON_WINE in tests/support/KnownWineDifference.h); the differences met
# are listed at the end. A test program fails the step when it fails, crashes,
# hangs or runs no test at all. When this machine cannot run 32-bit programs,
# one line says so and only the 64-bit half runs. Arguments are passed to every
# test program.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/wine-common.sh

scratch=build-windows/wine-tests
can_run_32bit=yes
if ! wine_can_run_32bit "$scratch"; then
  can_run_32bit=no
  echo "Wine tests: the 32-bit half skipped: $WINE_NO_32BIT."
fi
started=$SECONDS

tools/deps.sh build test windows windows64 wine
if [ "$can_run_32bit" = yes ]; then
  KRAMBOL_WINDOWS_TESTS=ON tools/build-windows.sh >/dev/null
fi
# The art generator runs here.
artgen=$(tools/host-artgen.sh)
cmake -S . -B build-windows64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
  -DKRAMBOL_TESTS=ON -DKRAMBOL_BENCH=OFF -DKRAMBOL_ARTGEN="$artgen" >/dev/null
# The checks of what only the Windows build does and the network game's tests
# run in one half: the 32-bit one where it can.
# (Each is tests/<folder>/<folder>_tests.exe.)
one_half=(shell world net)
wine64_targets=(platform_tests algo_tests)
[ "$can_run_32bit" = yes ] || wine64_targets+=("${one_half[@]/%/_tests}")
cmake --build build-windows64 -j "$(nproc)" --target "${wine64_targets[@]}" >/dev/null
echo "Wine tests: built in $((SECONDS - started)) s"

rm -rf "$scratch"
mkdir -p "$scratch"
scratch=$(cd "$scratch" && pwd)
wine_start_display display
# The pointer rests in a corner, away from the windows the tests open.
DISPLAY=$display xdotool mousemove 1279 1023
# One 64-bit prefix runs both: its 32-bit half is wine32.
wine_new_prefix "$scratch/prefix" win64 "$display"
export WINEPREFIX=$scratch/prefix DISPLAY=$display WINEDEBUG=-all

# The platform's tests are one program per library folder.
programs=()
if [ "$can_run_32bit" = yes ]; then
  programs+=(build-windows/tests/platform/*/platform_*_tests.exe
             build-windows/tests/algo/algo_tests.exe)
fi
programs+=(build-windows64/tests/platform/*/platform_*_tests.exe
           build-windows64/tests/algo/algo_tests.exe)
half=build-windows
[ "$can_run_32bit" = yes ] || half=build-windows64
for folder in "${one_half[@]}"; do programs+=("$half/tests/$folder/${folder}_tests.exe"); done

status=0
for program in "${programs[@]}"; do
  arch=i686
  case $program in build-windows64/*) arch=x86_64 ;; esac
  name=$arch-$(basename "$program" .exe)
  log=$scratch/$name.log
  begun=$SECONDS
  result=0
  (cd "$(dirname "$program")" && exec timeout 900 wine "$(basename "$program")" --gtest_color=no "$@") \
    >"$log" 2>&1 || result=$?
  summary=$(tr -d '\r' <"$log" | grep -E '^\[==========\] .* ran\.' | tail -n1 || true)
  # "[==========] 12 tests from 3 test suites ran." A program that ran none
  # (built without its tests, or a filter that matches nothing) proves nothing.
  ran=$(sed -n 's/^\[==========\] \([0-9][0-9]*\) tests\{0,1\} from .* ran\..*/\1/p' <<<"$summary")
  if [ "$result" -eq 0 ] && [ "${ran:-0}" -eq 0 ]; then
    echo "FAILED $name: it ran no test (${summary:-no summary line}); full output: $log"
    status=1
  elif [ "$result" -ne 0 ] || ! tr -d '\r' <"$log" | grep -q '^\[  PASSED  \]'; then
    echo "FAILED $name (status $result, $((SECONDS - begun)) s); its output:"
    tr -d '\r' <"$log" | grep -E '^\[  FAILED  \]|Failure|error|fault' | head -n 40 || true
    echo "  full output: $log"
    status=1
  else
    echo "passed $name: ${summary#\[==========\] } ($((SECONDS - begun)) s)"
  fi
done

echo "Known Wine differences met (marked in the tests):"
for log in "$scratch"/*.log; do
  arch=$(basename "$log" | cut -d- -f1)
  tr -d '\r' <"$log" | grep -F '[ KNOWN WINE DIFFERENCE ]' | sed "s/^\[ KNOWN WINE DIFFERENCE \] /  $arch: /" || true
done | sort -u
echo "Wine tests done in $((SECONDS - started)) s"
exit $status
