# Shared by the scripts that run the Windows build under Wine (sourced, not
# run): whether this machine runs 32-bit programs at all, Xvfb displays and
# Wine prefixes of their own, and waits that never hang. Everything started
# through these helpers is ended on exit, failure included.

WINE_CLEANUP_PIDS=()
WINE_CLEANUP_PREFIXES=()

wine_cleanup() {
  local pid prefix
  for pid in "${WINE_CLEANUP_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for prefix in "${WINE_CLEANUP_PREFIXES[@]}"; do WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true; done
  for pid in "${WINE_CLEANUP_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
}
trap wine_cleanup EXIT

# Answers whether 32-bit Windows programs run under Wine here: the kernel runs
# 32-bit x86 programs (a minimal static 32-bit ELF program, exit status 42
# through int 0x80, written into the folder given, must run) and Wine's 32-bit
# half is installed or installs (tools/deps.sh wine32; an i386 package index
# that a mirror serves broken makes it fail). When they do not, WINE_NO_32BIT
# says why. KRAMBOL_WINE_32BIT=no answers no without asking, so that a caller
# that asked once (.ci/run) spares the next script the install's retries, and
# to try on any machine what the scripts do where 32-bit programs do not run.
wine_can_run_32bit() {
  local probe="$1/probe-i386" status=0 error
  mkdir -p "$1"
  if [ "${KRAMBOL_WINE_32BIT:-}" = no ]; then
    WINE_NO_32BIT="KRAMBOL_WINE_32BIT=no says so${KRAMBOL_WINE_NO_32BIT_WHY:+ ($KRAMBOL_WINE_NO_32BIT_WHY)}"
    return 1
  fi
  {
    # ELF header: 32-bit, little-endian, executable for Intel 80386, entry 0x08048054, one program header.
    printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000'
    printf '\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000'
    printf '\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000'
    # Program header: the 96 bytes of the file loaded read-only and executable at 0x08048000.
    printf '\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010'
    printf '\140\000\000\000\140\000\000\000\005\000\000\000\000\020\000\000'
    # mov eax, 1 (exit); mov ebx, 42; int 0x80
    printf '\270\001\000\000\000\273\052\000\000\000\315\200'
  } > "$probe"
  chmod +x "$probe"
  error=$("$probe" 2>&1) || status=$?
  if [ "$status" -ne 42 ]; then
    WINE_NO_32BIT="a 32-bit x86 program does not run here (status $status${error:+: ${error##*: }})"
    return 1
  fi
  if ! tools/deps.sh wine32 >&2; then
    WINE_NO_32BIT="Wine's 32-bit half (wine32:i386) could not be installed (apt's messages above)"
    return 1
  fi
}

# Chooses the Windows build the scripts run under Wine, for the scratch folder
# $1: the 32-bit one players get (dist/krambol-win32.zip, a 32-bit prefix)
# where it can run, otherwise the same sources built for 64-bit Windows
# (dist/krambol-win64.zip, made for these checks only, a 64-bit prefix), so
# that the checks still compare the game on the real Win32 and GDI+ with the
# Linux build instead of being skipped. Sets WINE_BITS (32 or 64), WINE_ZIP and
# WINE_ARCH, and brings the zip up to date; says in one line when the 64-bit
# build stands in, and why.
wine_choose_build() {
  if wine_can_run_32bit "$1"; then
    WINE_BITS=32 WINE_ZIP=dist/krambol-win32.zip WINE_ARCH=win32
  else
    WINE_BITS=64 WINE_ZIP=dist/krambol-win64.zip WINE_ARCH=win64
    echo "The 64-bit Windows build stands in for the 32-bit one under Wine: $WINE_NO_32BIT."
  fi
  KRAMBOL_WINDOWS_BITS=$WINE_BITS tools/package-windows.sh >/dev/null
}

# Starts an Xvfb display of its own and sets the variable named by $1 to
# ":<number>". The display number comes from Xvfb itself, never a fixed one.
wine_start_display() {
  local file pid deadline
  file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$file" >/dev/null 2>&1 &
  pid=$!
  WINE_CLEANUP_PIDS+=("$pid")
  deadline=$((SECONDS + 30))
  until [ -s "$file" ]; do
    if ! kill -0 "$pid" 2>/dev/null || [ "$SECONDS" -ge "$deadline" ]; then
      echo "Xvfb did not start" >&2
      rm -f "$file"
      return 1
    fi
    sleep 0.1
  done
  printf -v "$1" ':%s' "$(head -n1 "$file")"
  rm -f "$file"
}

# Creates a fresh Wine prefix in the folder $1 for the architecture $2 (win32
# or win64) on the display $3: the font replacements that stand in for the
# system fonts a real Windows has, and no debugger or crash dialog, so that a
# crashing program ends instead of waiting for someone to close a window.
wine_new_prefix() {
  local prefix=$1
  rm -rf "$prefix"
  mkdir -p "$prefix"
  WINE_CLEANUP_PREFIXES+=("$prefix")
  # No Mono or Gecko: the installers would ask for a download.
  WINEPREFIX="$prefix" WINEARCH=$2 DISPLAY=$3 WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all \
    timeout 300 wineboot --init >/dev/null 2>&1
  printf '%s\r\n' 'REGEDIT4' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
    '"Times New Roman"="Liberation Serif"' \
    '"Courier New"="Liberation Mono"' \
    '"Microsoft Sans Serif"="Liberation Sans"' \
    '"Tahoma"="Liberation Sans"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' \
    '"ShowCrashDialog"=dword:00000000' '' \
    '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\AeDebug]' \
    '"Debugger"=-' > "$prefix/krambol-setup.reg"
  WINEPREFIX="$prefix" DISPLAY=$3 WINEDEBUG=-all timeout 120 wine regedit /S "$prefix/krambol-setup.reg"
  WINEPREFIX="$prefix" timeout 120 wineserver -w
}

# Waits up to $2 seconds for the background job $1 to end and sets the
# variable named by $3 to its exit status; answers 1 (and leaves the job
# running, for the clean-up to end) when it is still running then.
wine_wait_exit() {
  local wait_deadline=$((SECONDS + $2)) wait_status=0
  while kill -0 "$1" 2>/dev/null; do
    if [ "$SECONDS" -ge "$wait_deadline" ]; then return 1; fi
    sleep 0.2
  done
  wait "$1" || wait_status=$?
  printf -v "$3" '%s' "$wait_status"
}
