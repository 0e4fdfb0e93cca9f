# Shared by the build, run and test scripts. Source it.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
JOBS="$(nproc 2>/dev/null || echo 2)"
NATIVE_BUILD="$ROOT/build/native"
WIN_BUILD="$ROOT/build/win"
# The tests' prefix (the one CMake gives the Wine tests): the settings they
# leave behind stay there. scripts/run.sh starts the program in a prefix of
# its own, so a test run never changes how Tamarel starts for a person.
export WINEPREFIX="$WIN_BUILD/wineprefix"
RUN_WINEPREFIX="$WIN_BUILD/run-wineprefix"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

# ccache, when present, keeps rebuilds and builds in other checkouts quick.
LAUNCHER=()
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$ROOT")}"
  export CCACHE_NOHASHDIR=1
  # The window layer's files read <windows.h> from a precompiled header.
  export CCACHE_SLOPPINESS="${CCACHE_SLOPPINESS:-pch_defines,time_macros}"
  LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi

# configure DIR [CMAKE ARGS...]: Ninja runs the builds when it is there. A
# build folder made with the other generator is configured afresh; what it
# holds besides CMake's own files (outputs, Wine prefixes) stays.
configure() {
  local dir="$1"
  shift
  local generator="Unix Makefiles"
  command -v ninja >/dev/null 2>&1 && generator="Ninja"
  if [ -f "$dir/CMakeCache.txt" ] &&
     [ "$(sed -n 's/^CMAKE_GENERATOR:INTERNAL=//p' "$dir/CMakeCache.txt")" != "$generator" ]; then
    rm -rf "$dir/CMakeCache.txt" "$dir/CMakeFiles"
  fi
  cmake -G "$generator" -S "$ROOT" -B "$dir" "${LAUNCHER[@]}" "$@" >/dev/null
}

build_native() {
  configure "$NATIVE_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAMAREL_SANITIZE=ON
  cmake --build "$NATIVE_BUILD" -j "$JOBS"
}

build_win() {
  configure "$WIN_BUILD" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake"
  cmake --build "$WIN_BUILD" -j "$JOBS"
}

# Starts Xvfb on a free display when there is no usable display (CI, ssh).
ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return; fi
  local n=99
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  trap 'kill $XVFB_PID 2>/dev/null || true' EXIT
  STARTED_XVFB=1
}

# Creates the build's own Wine prefix once.
ensure_wineprefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
  fi
  # A crash prints its backtrace and ends the process instead of waiting in a dialog.
  if ! grep -q '"ShowCrashDialog"=dword:00000000' "$WINEPREFIX/user.reg" 2>/dev/null; then
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
    wineserver -w
  fi
  # Caption buttons and other glyphs come from Marlett; give the prefix Wine's own copies.
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ -d "$fonts" ] && [ ! -f "$fonts/marlett.ttf" ] && [ -d /usr/share/wine/fonts ]; then
    cp /usr/share/wine/fonts/*.ttf "$fonts/" 2>/dev/null || true
  fi
}

# A print queue for the printing tests: Wine sees only CUPS printers, and only
# those that exist when its first process starts. Starts cupsd when it is not
# running and adds a PDF queue as the default; a second call changes nothing.
# Needs root (CI) or sudo; without either the printing tests find no printer.
ensure_print_queue() {
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    if sudo -n true 2>/dev/null; then sudo="sudo -n"; else echo "no print queue: needs root"; return 0; fi
  fi
  command -v cupsd >/dev/null 2>&1 || { echo "no print queue: cups is not installed"; return 0; }
  if ! lpstat -r 2>/dev/null | grep -q "is running"; then
    $sudo cupsd
    for _ in $(seq 1 50); do lpstat -r 2>/dev/null | grep -q "is running" && break; sleep 0.1; done
  fi
  if ! lpstat -p TamarelPDF >/dev/null 2>&1; then
    local ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
    [ -f "$ppd" ] || ppd=$(ls /usr/share/ppd/cups-pdf/*.ppd 2>/dev/null | head -n 1 || true)
    $sudo lpadmin -p TamarelPDF -E -v cups-pdf:/ -P "$ppd"
  fi
  if [ "$(lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p')" != "TamarelPDF" ]; then
    $sudo lpadmin -d TamarelPDF
  fi
}
