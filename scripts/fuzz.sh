#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer (ASan+UBSan) and runs each for
# the given number of seconds (default 60). A crashing input is kept in
# tests/data/fuzz/<target>/, where the core tests replay it from then on.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
seconds="${1:-60}"
out="$ROOT/build/fuzz"
mkdir -p "$out"
core_sources=$(find "$ROOT/src/env" "$ROOT/src/settings" "$ROOT/src/model" "$ROOT/src/accounts" -name '*.cpp' ! -name '*_win32.cpp')
flags=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -I"$ROOT/src")
status=0
for target in db lan users text version backup; do
  bin="$out/fuzz_$target"
  # shellcheck disable=SC2086
  clang++ "${flags[@]}" "$ROOT/fuzz/fuzz_$target.cpp" $core_sources -o "$bin"
  corpus="$out/corpus_$target"
  keep="$ROOT/tests/data/fuzz/$target"
  mkdir -p "$corpus" "$keep"
  seeds=("$corpus" "$keep")
  if ! "$bin" -max_total_time="$seconds" -max_len=70000 -rss_limit_mb=2048 -artifact_prefix="$keep/" \
       "${seeds[@]}" >"$out/fuzz_$target.log" 2>&1; then
    echo "fuzz_$target found a failing input (kept in $keep):"
    tail -n 30 "$out/fuzz_$target.log"
    status=1
  else
    echo "fuzz_$target: $(grep -o 'Done [0-9]* runs' "$out/fuzz_$target.log" | tail -1) in ${seconds}s, no failure"
  fi
done
exit $status
