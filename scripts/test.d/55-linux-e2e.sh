#!/usr/bin/env bash
# The Linux program end to end: pilgrove on Xvfb with trayer as the tray host, driven with
# xdotool like a user, clicking a client of ours: clicks with each button and action, the
# title count, colour and picture searches, the region picker, hot keys, the tray icon.
# Then its install rules, into a scratch directory.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"

need_packages cmake ninja-build g++ libgtest-dev xvfb xauth xdotool xclip trayer \
  libx11-dev libxtst-dev libxext-dev qt6-base-dev fonts-liberation

build="$ROOT/build/e2e-linux"
cmake -S "$ROOT" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPILGROVE_LINUX_APP=ON \
  -DPILGROVE_E2E=ON >/dev/null
cmake --build "$build" -j "$JOBS" --target pilgrove pilgrove_linux_e2e_tests pilgrove_qt_peer_tests \
  x11_click_target
ctest --test-dir "$build" -L linux_program --output-on-failure

staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
DESTDIR="$staging" cmake --install "$build" --prefix /usr/local >/dev/null
for file in bin/pilgrove share/applications/pilgrove.desktop \
  share/icons/hicolor/16x16/apps/pilgrove.png share/icons/hicolor/48x48/apps/pilgrove.png; do
  if [ ! -s "$staging/usr/local/$file" ]; then
    echo "cmake --install did not put $file in place"
    exit 1
  fi
done
echo "install: program, desktop entry and icons in place"
