#!/usr/bin/env bash
# The Windows build: cross-compiled with mingw-w64 (cmake/mingw-w64.cmake) and tested under
# Wine on a virtual X server: the unit tests, and the Win32 desktop backend clicking,
# reading and registering hot keys against a Wine window of ours.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"

need_packages cmake ninja-build libgtest-dev mingw-w64 wine wine64 xvfb xauth xdotool \
  x11-utils imagemagick

# Another build directory or X display number can be given, so that developers sharing a
# machine do not meet in one build tree or on one display.
build="${PILGROVE_WIN_BUILD:-$ROOT/build/win}"
prefix="$build/wineprefix"
cmake -S "$ROOT" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" -DPILGROVE_E2E=ON >/dev/null
# The desktop backend and its end-to-end tests first, so that they run even when another
# part of the cross build is broken; that part still fails the stage below.
cmake --build "$build" -j "$JOBS" --target pilgrove_win32_e2e_tests win32_click_target

# One X server for the whole run: Wine's desktop process binds to the display it is started
# on, so every test must see the same one.
cleanup() {
  WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
  kill "${XVFB_PID:-}" 2>/dev/null || true
  wait "${XVFB_PID:-}" 2>/dev/null || true
}
trap cleanup EXIT
# shellcheck disable=SC2086 # PILGROVE_WIN_DISPLAY is one number or empty
start_xvfb ${PILGROVE_WIN_DISPLAY:-}

# The prefix, the persistent wineserver and Wine's helper processes, before CTest runs:
# started by a test instead, they would keep its output pipe open.
"$ROOT/scripts/wine-run.sh" "$prefix"

status=0
# The toolkit's peer and timer tests share the display with the backend's tests and run in
# the same pass; they need the toolkit, so a broken toolkit fails the stage here but still
# leaves the backend's tests to run.
cmake --build "$build" -j "$JOBS" --target pilgrove_win32_peer_tests pilgrove_win32_timer_tests ||
  status=1
# The end-to-end tests take turns on the display (RESOURCE_LOCK).
ctest --test-dir "$build" -L win32_desktop --output-on-failure -j "$JOBS" || status=1
# Then everything else: the unit tests, Pilgrove.exe and whatever comes later.
if cmake --build "$build" -j "$JOBS"; then
  ctest --test-dir "$build" -LE win32_desktop --output-on-failure -j "$JOBS" --timeout 300 ||
    status=1
else
  status=1
fi
exit $status
