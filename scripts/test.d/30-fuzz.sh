#!/usr/bin/env bash
# Fuzz targets (libFuzzer with ASan + UBSan): each replays its seed corpus, then fuzzes
# for a bounded time (FUZZ_SECONDS, 15 by default) from a scratch copy of the seeds, with a
# fixed seed (FUZZ_SEED) so that a finding here can be replayed. With six targets the stage
# stays within about three minutes, the build included.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"

need_packages clang libclang-rt-14-dev

seconds=${FUZZ_SECONDS:-15}
seed=${FUZZ_SEED:-1}
build="$ROOT/build/fuzz"
targets=(LoadFromStream StringToColor PictureText IntegerText TimeText ApplyTo)

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
  if ! "$build/fuzz/fuzz_$target" -runs=0 "$seeds" >"$work.seeds.log" 2>&1; then
    tail -n 40 "$work.seeds.log"
    echo "fuzz_$target failed on its seed corpus"
    exit 1
  fi
  tail -n 1 "$work.seeds.log"
  echo "--- $target: ${seconds} s"
  log="$work.log"
  if ! "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -seed="$seed" -print_final_stats=1 \
    -artifact_prefix="$work/" "$work" "$seeds" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "fuzz_$target failed; the input is in $work/"
    exit 1
  fi
  grep -E '^stat::(number_of_executed_units|new_units_added)' "$log"
done
