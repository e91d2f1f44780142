#!/usr/bin/env bash
# Builds Pilgrove for Linux (X11) and starts it on the current display.
#
# Without a display it does not stop there: it starts a virtual X server (Xvfb) with a
# tray host (trayer), a small click target of ours and Pilgrove, drives a short job through
# the real window with xdotool (clicks at a fixed point, then a colour search), prints what
# the target received and saves a screenshot.
set -euo pipefail
source "$(dirname "$0")/scripts/lib.sh"

build="$ROOT/build/app"

need_packages build-essential cmake ninja-build qt6-base-dev libx11-dev libxtst-dev \
  libxext-dev libxrandr-dev libgtest-dev fonts-liberation
# The click target of the demo is built with the end-to-end tests' helpers.
cmake -S "$ROOT" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPILGROVE_LINUX_APP=ON \
  -DPILGROVE_E2E=ON >/dev/null
cmake --build "$build" -j "$JOBS" --target pilgrove x11_click_target
program="$build/src/pilgrove"
target_program="$build/tests/e2e/x11/x11_click_target"

if [ -n "${DISPLAY:-}" ]; then
  echo "starting Pilgrove on display $DISPLAY"
  exec "$program"
fi

# ---- No display: the demo on a virtual one ---------------------------------------------

need_packages xvfb xauth xdotool trayer x11-utils imagemagick

echo
echo "No display (DISPLAY is not set): showing Pilgrove at work on a virtual X server."
demo="$build/demo"
mkdir -p "$demo"
pids=()
# The clients first, the X server they talk to last.
cleanup() {
  local i
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null || true
    wait "${pids[i]}" 2>/dev/null || true
  done
}
trap cleanup EXIT

# A free display number, chosen by the server itself.
exec 3>"$demo/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$demo/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -s "$demo/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$demo/display")"
export XDG_RUNTIME_DIR="$demo/runtime"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
echo "virtual X server on $DISPLAY"

trayer --edge top --align right >/dev/null 2>&1 &
pids+=($!)
# The target: a white window right of Pilgrove's, with a green block (#129A56) in it.
"$target_program" --geometry 300x400+900+300 --rect 40,40,30,20,129A56 \
  --title "click target" --log "$demo/target.log" &
pids+=($!)
sleep 1
"$program" 2>"$demo/pilgrove.log" &
pids+=($!)

window=$(xdotool search --sync --onlyvisible --name '^Pilgrove 4\.1\.6$' | head -n1)
eval "$(xdotool getwindowgeometry --shell "$window")"
# The client area is 437 x 607 pixels under the menu bar.
left=$X
top=$((Y + HEIGHT - 607))

click() { # client x, client y
  xdotool mousemove "$((left + $1))" "$((top + $2))" click 1
  sleep 0.15
}
type_into() { # client x, client y, text
  click "$1" "$2"
  xdotool key ctrl+a type --delay 20 "$3"
  sleep 0.1
}
viewable() { xwininfo -id "$window" | grep -q IsViewable; }
# Starts the job with the START button and prints the window's title as it changes,
# until the window is back.
run_job() {
  click 190 588
  local last="" title
  for _ in $(seq 200); do
    title=$(xdotool getwindowname "$window")
    if [ "$title" != "$last" ]; then
      echo "    title: $title"
      last=$title
    fi
    if [ "$title" = "Pilgrove 4.1.6" ] && viewable; then return 0; fi
    sleep 0.05
  done
  echo "    the window did not come back"
}
received() { # from line
  tail -n +"$1" "$demo/target.log" | grep Button |
    sed -E 's/^Button(Press|Release) button=([0-9]+).* x_root=([0-9]+) y_root=([0-9]+).*/    \1 of button \2 at (\3, \4)/'
}

echo
echo "Job 1: three left clicks at the fixed point (1000, 450), one every 0.3 s."
click 114 47           # Click on a fixed point
type_into 168 85 1000  # X
type_into 168 109 450  # Y
type_into 294 141 0    # Sec
type_into 326 141 3    # 0.1S
click 275 388          # Stop till repeat
type_into 349 388 3    # times
from=$(($(wc -l <"$demo/target.log") + 1))
run_job
echo "  the target received:"
received "$from"

echo
echo "Job 2: a colour search, once. The colour is captured from the screen: the pointer"
echo "rests on the target's green block until a key is pressed in Pilgrove."
click 114 151          # Search color block and click
click 83 199           # Start to capture color
xdotool mousemove 955 350
sleep 0.3
xdotool key x
type_into 349 388 1    # times
from=$(($(wc -l <"$demo/target.log") + 1))
run_job
echo "  the target received (the block's top-left pixel is at (940, 340)):"
received "$from"

shot="$demo/pilgrove-demo.png"
import -window root "$shot"
echo
echo "Screenshot of the virtual screen: $shot"
echo "Pilgrove's messages: $demo/pilgrove.log"
