#!/usr/bin/env bash
# Fuzz targets (libFuzzer with ASan + UBSan): each replays its seed corpus, then fuzzes
# for a bounded time (FUZZ_SECONDS, 20 by default) from a scratch copy of the seeds.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"

need_packages clang libclang-rt-14-dev

seconds=${FUZZ_SECONDS:-20}
build="$ROOT/build/fuzz"
targets=(LoadFromStream StringToColor)

cmake -S "$ROOT" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPILGROVE_FUZZ=ON \
  -DPILGROVE_TESTS=OFF -DPILGROVE_SANITIZE=ON -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j "$JOBS" --target "${targets[@]/#/fuzz_}"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for target in "${targets[@]}"; do
  seeds="$ROOT/fuzz/corpus/$target"
  work="$ROOT/fuzz/corpus-run/$target"
  mkdir -p "$work"
  echo "--- $target: seed corpus"
  "$build/fuzz/fuzz_$target" -runs=0 "$seeds" 2>&1 | tail -n 2
  echo "--- $target: ${seconds} s"
  "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$work/" "$work" "$seeds" 2>&1 | grep -E '^(stat::number_of_executed_units|stat::new_units_added|Done)|ERROR|SUMMARY|==[0-9]+==' || true
  # A crash leaves an artifact; libFuzzer's own exit status went through the pipe.
  if compgen -G "$work/crash-*" >/dev/null || compgen -G "$work/leak-*" >/dev/null ||
    compgen -G "$work/timeout-*" >/dev/null || compgen -G "$work/oom-*" >/dev/null; then
    echo "fuzz_$target found a failure: $(ls "$work"/{crash,leak,timeout,oom}-* 2>/dev/null)"
    exit 1
  fi
done
