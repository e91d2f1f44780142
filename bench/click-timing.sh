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

number=${DISPLAY_NUMBER:-}
if [ -z "$number" ]; then
  for candidate in $(seq 90 130); do
    if [ ! -e "/tmp/.X$candidate-lock" ] && [ ! -e "/tmp/.X11-unix/X$candidate" ]; then
      number=$candidate
      break
    fi
  done
fi
[ -n "$number" ] || { echo "no free X display number" >&2; exit 1; }
Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true' EXIT
export DISPLAY=":$number"
for _ in $(seq 100); do
  xdotool getdisplaygeometry >/dev/null 2>&1 && break
  sleep 0.1
done
xdotool getdisplaygeometry >/dev/null

"$build/bench/pilgrove_click_timing" "$@"
