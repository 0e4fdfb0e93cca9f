#!/usr/bin/env bash
# Builds and runs every test: the core natively (ASan+UBSan), a short fuzz run,
# then the Windows program's tests under Wine on a virtual X display.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
bash "$ROOT/scripts/install-deps.sh"
# Before any Wine process: Wine finds the printers when it starts.
ensure_print_queue

echo "== native build and tests"
build_native
(cd "$NATIVE_BUILD" && ctest --output-on-failure)

if [ -x "$ROOT/scripts/fuzz.sh" ]; then
  echo "== short fuzz run"
  bash "$ROOT/scripts/fuzz.sh" 20
fi

echo "== Windows build and tests under Wine"
build_win
ensure_display
ensure_wineprefix
(cd "$WIN_BUILD" && ctest --output-on-failure)
wineserver -k 2>/dev/null || true
