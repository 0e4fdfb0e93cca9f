#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer (ASan+UBSan) on one core
# library compiled once (build/fuzz, target fuzz_targets) and runs each for the
# given number of seconds (default 60), as many at a time as there are cores.
# A crashing input is kept in tests/data/fuzz/<target>/, where the core tests
# replay it from then on.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
seconds="${1:-60}"
out="$ROOT/build/fuzz"
CC=clang CXX=clang++ configure "$out" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
  -DTAMAREL_FUZZ=ON -DTAMAREL_BENCHMARKS=OFF
cmake --build "$out" --target fuzz_targets -j "$JOBS"
targets=(db lan users text version backup)

# One target for the given seconds; its verdict in $out/fuzz_<target>.verdict.
run_one() {
  local target="$1"
  local bin="$out/fuzz/fuzz_$target"
  local corpus="$out/corpus_$target"
  local keep="$ROOT/tests/data/fuzz/$target"
  mkdir -p "$corpus" "$keep"
  if "$bin" -max_total_time="$seconds" -max_len=70000 -rss_limit_mb=2048 -artifact_prefix="$keep/" \
     "$corpus" "$keep" >"$out/fuzz_$target.log" 2>&1; then
    echo "fuzz_$target: $(grep -o 'Done [0-9]* runs' "$out/fuzz_$target.log" | tail -1) in ${seconds}s, no failure" \
      >"$out/fuzz_$target.verdict"
  else
    { echo "fuzz_$target found a failing input (kept in $keep):"; tail -n 30 "$out/fuzz_$target.log"; } \
      >"$out/fuzz_$target.verdict"
    return 1
  fi
}

status=0
pids=()
names=()
for target in "${targets[@]}"; do
  rm -f "$out/fuzz_$target.verdict"
  run_one "$target" &
  pids+=($!)
  names+=("$target")
  # Each target has a core of its own while it runs.
  if [ "${#pids[@]}" -ge "$JOBS" ]; then
    wait "${pids[0]}" || status=1
    pids=("${pids[@]:1}")
  fi
done
for pid in "${pids[@]}"; do wait "$pid" || status=1; done
for target in "${names[@]}"; do
  if [ -f "$out/fuzz_$target.verdict" ]; then cat "$out/fuzz_$target.verdict"; else echo "fuzz_$target: no verdict"; status=1; fi
done
exit $status
