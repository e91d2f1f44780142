#!/usr/bin/env bash
# The benchmarks build (OpenCV is their dependency alone) and each of the quick ones runs
# once and must report the right place; the timing runs are bench/run.sh's, too slow and
# noisy for every test run.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"

need_packages cmake ninja-build g++ libbenchmark-dev libopencv-dev xvfb xauth libx11-dev \
  libxtst-dev libxext-dev qt6-base-dev

build="$ROOT/build/bench-ci"
cmake -S "$ROOT" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPILGROVE_BENCH=ON \
  -DPILGROVE_TESTS=OFF >/dev/null
cmake --build "$build" -j "$JOBS" --target pilgrove_bench pilgrove_grab_bench

# A benchmark that finds the wrong place reports an error but still exits 0.
smoke() {
  local out
  out=$(mktemp)
  "$@" --benchmark_min_time=0.01 --benchmark_format=json >"$out"
  if grep -q '"error_occurred": true' "$out"; then
    grep -B2 -A2 '"error_message"' "$out"
    rm -f "$out"
    return 1
  fi
  grep -c '"name"' "$out" | sed 's/^/benchmarks run: /'
  rm -f "$out"
}
# The plain scan and OpenCV on the pathological screens take seconds each: not here.
smoke "$build/bench/pilgrove_bench" --benchmark_filter='/ours|Colour/'
smoke xvfb-run -a -s "-screen 0 1920x1080x24" "$build/bench/pilgrove_grab_bench" \
  --benchmark_filter='ours|peer'
