#!/usr/bin/env bash
# The X11 desktop backend against real X servers (Xvfb): cursor and XTest clicks reaching a
# client of ours, screen grabs on 24- and 16-bit screens with and without MIT-SHM, global hot
# keys pressed with xdotool, the tray icon on trayer, xdg-open.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"

need_packages cmake ninja-build g++ libgtest-dev xvfb xauth xdotool trayer \
  libx11-dev libxtst-dev libxext-dev qt6-base-dev

build="$ROOT/build/e2e-x11"
cmake -S "$ROOT" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPILGROVE_E2E=ON >/dev/null
cmake --build "$build" -j "$JOBS" --target pilgrove_x11_e2e_tests x11_click_target
# Each test starts its own server with xvfb-run -a; they run one after the other.
ctest --test-dir "$build" -L x11_desktop --output-on-failure
