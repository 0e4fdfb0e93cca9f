#!/usr/bin/env bash
# Builds and runs every test: the core natively (ASan+UBSan), a short fuzz run,
# then the Windows program's tests under Wine, side by side (ctest -j), each
# entry in a Wine prefix and on an X display of its own, the installer test
# among them. Prints at its end how long each stage took.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

stage_names=()
stage_seconds=()
stage=""
stage_began=0
begin_stage() {
  stage="$1"
  stage_began=$(date +%s)
  echo "== $stage"
}
end_stage() {
  stage_names+=("$stage")
  stage_seconds+=($(($(date +%s) - stage_began)))
  stage=""
}
report_stages() {
  local status=$?
  if [ -n "$stage" ]; then end_stage; stage_names[-1]="${stage_names[-1]} (failed)"; fi
  local total=0
  echo "== stage times"
  for i in "${!stage_names[@]}"; do
    printf '%-44s %5d s\n' "${stage_names[$i]}" "${stage_seconds[$i]}"
    total=$((total + stage_seconds[i]))
  done
  if [ -n "${installer_seconds:-}" ]; then
    printf '%-44s %5s s\n' "  of which the installer test (alongside)" "$installer_seconds"
  fi
  printf '%-44s %5d s\n' "total" "$total"
  return $status
}
trap report_stages EXIT

begin_stage "dependencies"
bash "$ROOT/scripts/install-deps.sh"
# Before any Wine process: Wine finds the printers when it starts.
ensure_print_queue
end_stage

begin_stage "native build"
build_native
end_stage

begin_stage "native tests"
(cd "$NATIVE_BUILD" && ctest --output-on-failure -j "$JOBS")
end_stage

if [ -x "$ROOT/scripts/fuzz.sh" ]; then
  begin_stage "fuzz (build and 20 s per target)"
  bash "$ROOT/scripts/fuzz.sh" 20
  end_stage
fi

begin_stage "Windows build"
build_win
end_stage

# Every entry makes its own prefix (a copy of one template) and display; the
# installer test runs alongside the others.
begin_stage "Wine tests and installer"
wine_log="$WIN_BUILD/Testing/wine-tests.log"
mkdir -p "$(dirname "$wine_log")"
(cd "$WIN_BUILD" && ctest --output-on-failure -j "$JOBS") 2>&1 | tee "$wine_log"
installer_seconds=$(sed -n 's/.* installer \.*  *Passed  *\([0-9.]*\) sec.*/\1/p' "$wine_log" | tail -n 1)
end_stage
