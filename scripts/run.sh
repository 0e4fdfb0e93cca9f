#!/usr/bin/env bash
# Builds Tamarel for Windows and starts it under Wine on a virtual desktop with
# a taskbar. With no display it starts Xvfb, saves a screenshot and says where.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
bash "$ROOT/scripts/install-deps.sh"
build_win
headless=0
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then headless=1; fi
ensure_display
export WINEPREFIX="$RUN_WINEPREFIX"  # not the tests' prefix: their settings stay there
ensure_wineprefix
exe="$WIN_BUILD/dist/tamarel.exe"  # the program folder as installed: languages, help
if [ "$headless" = 1 ]; then
  wine explorer /desktop=tamarel,1280x900 "$exe" "$@" &
  sleep "${SHOT_DELAY:-8}"
  shot="$ROOT/build/screenshot.png"
  import -window root "$shot"
  echo "Tamarel is running on the virtual display $DISPLAY; screenshot saved to $shot"
  wineserver -k 2>/dev/null || true
else
  exec wine explorer /desktop=tamarel,1280x900 "$exe" "$@"
fi
