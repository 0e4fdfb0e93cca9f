#!/bin/bash
# Prints what a mouse move over the calendar and the start-up cost, natively
# (Google Benchmark of the portable half) and under Wine (the GDI half and the
# start-up, side by side with the former painter and with a bare window).
# Judges nothing: the figures depend on the machine.
source "$(dirname "$0")/common.sh"
cd "$ROOT"

configure "$ROOT/build/bench" -DCMAKE_BUILD_TYPE=Release
cmake --build "$ROOT/build/bench" --target tamarel_bench -j "$JOBS" >/dev/null
echo "== native (Google Benchmark)"
"$ROOT/build/bench/bench/tamarel_bench" --benchmark_filter='HoverDecisions|ClassifyFourMonths'

build_win >/dev/null
ensure_display
ensure_wineprefix
echo "== under Wine: calendar painting"
wine "$WIN_BUILD/bench/win/tamarel_paint_timing.exe"
echo "== under Wine: start-up to the first painted window"
wine explorer /desktop=timing,1280x900 "$WIN_BUILD/bench/win/tamarel_startup_timing.exe" "$(winepath -w "$WIN_BUILD/src/tamarel.exe")" \
     "$(winepath -w "$WIN_BUILD/bench/win/tamarel_bare_window.exe")"
wineserver -w
