#!/usr/bin/env bash
# Click timing of the Linux program: builds pilgrove and the measurement, starts an Xvfb of
# its own, and prints the table of achieved intervals (bench/ClickTiming.cpp). The figures
# depend on the machine's load: run it when the machine is quiet.
#
#   bench/click-timing.sh [--quick]    BUILD_DIR=... (default build/click-timing),
#                                      DISPLAY_NUMBER=... (default: the first free from 90)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-$root/build/click-timing}

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPILGROVE_LINUX_APP=ON \
  -DPILGROVE_E2E=ON -DPILGROVE_BENCH=ON >/dev/null
cmake --build "$build" -j "${JOBS:-2}" --target pilgrove_click_timing >/dev/null

source "$root/scripts/lib.sh"
trap 'kill "${XVFB_PID:-}" 2>/dev/null || true; wait "${XVFB_PID:-}" 2>/dev/null || true' EXIT
# shellcheck disable=SC2086 # DISPLAY_NUMBER is one number or empty
start_xvfb ${DISPLAY_NUMBER:-}

"$build/bench/pilgrove_click_timing" "$@"
