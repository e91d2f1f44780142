#!/usr/bin/env bash
# End-to-end tests of Pilgrove.exe under Wine, driven like a user would with xdotool: clicks
# on its controls, typed text, hot keys, the tray icon; its window title read back. The
# clicks it makes land on win32_click_target, which logs every button message (Wine delivers
# synthesised input to Wine windows only).
#
#   pilgrove_exe_e2e.sh CASE BUILD_DIR
#
# Needs DISPLAY (an X server without a window manager) and the Wine prefix BUILD_DIR/wineprefix
# ready (scripts/test.d/60-windows.sh prepares both).
set -euo pipefail

case_name=$1
build=$(realpath "$2")
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
run="$here/../../../scripts/wine-run.sh"
prefix="$build/wineprefix"
exe="$build/src/Pilgrove.exe"
target="$build/tests/e2e/win32/win32_click_target.exe"
work=$(mktemp -d)
log="$work/target.log"
pids=()

cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL ($case_name): $*" >&2
  echo "--- target log:" >&2
  cat "$log" >&2 2>/dev/null || true
  exit 1
}

# Waits up to $1 tenths of a second for the command after it to succeed.
wait_for() {
  local tenths=$1
  shift
  for _ in $(seq "$tenths"); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

# The click target: a Wine window at X,Y of W x H on white, with coloured rectangles.
start_target() {
  : >"$log"
  "$run" "$prefix" "$target" --log "$log" "$@" >/dev/null 2>&1 &
  targetPid=$!
  pids+=("$targetPid")
  wait_for 900 grep -q '^ready' "$log" || fail "the click target did not start"
}

stop_target() {
  kill "$targetPid"
  wait "$targetPid" 2>/dev/null || true
  wait_for 100 no_window '^Pilgrove click target$' || fail "the click target did not go"
}

# Pilgrove.exe; sets window (its X window) and originX/originY (its client area on screen).
start_pilgrove() {
  "$run" "$prefix" "$exe" >/dev/null 2>&1 &
  pids+=($!)
  wait_for 300 xdotool search --onlyvisible --name '^Pilgrove 4\.1\.6$' ||
    fail "the main window did not appear"
  window=$(xdotool search --onlyvisible --name '^Pilgrove 4\.1\.6$' | head -1)
  # Without a window manager the X window is the whole Windows window: the menu bar above
  # a client area of 437 x 607.
  eval "$(xdotool getwindowgeometry --shell "$window")"
  originX=$X
  originY=$((Y + HEIGHT - 607))
  sleep 0.5
}

# Client coordinates of the main window's controls (the centre of each), as laid out.
declare -A at=(
  [rbCurrent]="40 29" [rbFixed]="40 47" [edPX]="168 85" [edPY]="168 109"
  [rbColor]="40 151" [btnCaptureColor]="83 199" [rbPart]="40 421" [Button1]="49 463"
  [rbBMP]="40 278" [btnBMP]="69 326" [cbButton]="361 34" [cbClick]="361 59" [rbStopClick]="235 388" [edStopTimes]="357 388"
  [btnStart]="190 588" [btnStop]="286 588"
)

click() {
  local xy
  read -r -a xy <<<"${at[$1]}"
  xdotool mousemove $((originX + xy[0])) $((originY + xy[1])) click 1
  sleep 0.3
}

# Replaces an edit's text: Ctrl+A selects it all, the typed text replaces it.
set_edit() {
  click "$1"
  xdotool key ctrl+a
  xdotool type --delay 50 "$2"
  sleep 0.2
}

# Picks the item $2 steps below the first of a drop-down list.
choose() {
  click "$1"
  xdotool key Home
  for _ in $(seq "$2"); do xdotool key Down; done
  xdotool key Return
  sleep 0.3
}

title() { xdotool getwindowname "$window" 2>/dev/null || true; }
title_is() { [ "$(title)" = "$1" ]; }
# xdotool search may meet a window that goes meanwhile (a closing drop-down list) and fail.
shown() {
  local found
  found=$(xdotool search --onlyvisible --name '^Pilgrove 4\.1\.6' 2>/dev/null) || true
  grep -qx "$window" <<<"$found"
}
hidden() { ! shown; }
no_window() { ! xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
count() { grep -c "^$1 " "$log" || true; }

# Starts a run with Start and waits for its end (the runner stops after its count), noting
# every title seen meanwhile in $work/titles.
run_to_end() {
  : >"$work/titles"
  click btnStart
  for _ in $(seq 300); do
    title >>"$work/titles"
    if title_is "Pilgrove 4.1.6" && shown; then return 0; fi
    sleep 0.1
  done
  fail "the run did not end; last title: $(title)"
}

# Checks that every logged event named $1 lies inside the screen rectangle $2..$4, $3..$5.
events_inside() {
  awk -v name="$1" -v l="$2" -v t="$3" -v r="$4" -v b="$5" '
    $1 == name { split($2, x, "="); split($3, y, "=");
                 if (x[2] < l || x[2] >= r || y[2] < t || y[2] >= b) bad = 1; n++ }
    END { exit (n == 0 || bad) }' "$log"
}

# The colour capture: the colour under the mouse at $1, $2, taken when a key is typed.
capture_colour() {
  click btnCaptureColor
  xdotool mousemove "$1" "$2"
  sleep 0.5
  # Without a window manager the keyboard follows the pointer unless a window is given
  # the focus: the key must reach Pilgrove, with the mouse still over the colour.
  xdotool windowfocus --sync "$window" key x
  sleep 0.3
}

# Drags from $1,$2 to $3,$4 in the region picker, which shows once it has copied the
# screen (a few seconds on a busy machine), and waits for the main window to come back.
pick_region() {
  wait_for 300 xdotool search --onlyvisible --name '^fmCopy$' || fail "the region picker did not appear"
  sleep 0.3
  xdotool mousemove "$1" "$2" mousedown 1
  for step in 1 2 3 4 5; do
    xdotool mousemove $(($1 + ($3 - $1) * step / 5)) $(($2 + ($4 - $2) * step / 5))
  done
  xdotool mouseup 1
  wait_for 300 shown || fail "the main window did not come back after the picker"
  no_window '^fmCopy$' || fail "the picker stayed"
}

fixed_point() {
  set_edit edPX "$1"
  set_edit edPY "$2"
}

case "$case_name" in
  single_clicks)
    # Three clicks at a fixed point, the title counting them.
    start_target --x 880 --y 60 --w 380 --h 400
    start_pilgrove
    # The taskbar button belongs to the window that owns the main window: it shows the
    # application's title, not the caption that counts.
    owner=$(xprop -id "$window" WM_TRANSIENT_FOR | awk '/window id/ { print $NF }')
    [ -n "$owner" ] && [ "$(xdotool getwindowname "$owner")" = Pilgrove ] ||
      fail "the main window's owner is not the application window \"Pilgrove\""
    click rbFixed
    fixed_point 1000 200
    click rbStopClick
    set_edit edStopTimes 3
    run_to_end
    [ "$(count WM_LBUTTONDOWN)" = 3 ] || fail "expected 3 presses, got $(count WM_LBUTTONDOWN)"
    [ "$(count WM_LBUTTONUP)" = 3 ] || fail "expected 3 releases, got $(count WM_LBUTTONUP)"
    [ "$(count WM_LBUTTONDBLCLK)" = 0 ] || fail "single clicks arrived as a double click"
    events_inside WM_LBUTTONDOWN 1000 200 1001 201 || fail "presses not at (1000, 200)"
    grep -qx 'Pilgrove 4.1.6   times:1' "$work/titles" || fail "title never counted 1"
    grep -qx 'Pilgrove 4.1.6   times:2' "$work/titles" || fail "title never counted 2"
    ;;
  double_click)
    start_target --x 880 --y 60 --w 380 --h 400
    start_pilgrove
    click rbFixed
    fixed_point 1100 300
    choose cbClick 1
    click rbStopClick
    set_edit edStopTimes 1
    run_to_end
    [ "$(count WM_LBUTTONDBLCLK)" = 1 ] || fail "no double click arrived"
    [ "$(count WM_LBUTTONDOWN)" = 1 ] || fail "expected one plain press before the double click"
    [ "$(count WM_LBUTTONUP)" = 2 ] || fail "expected two releases"
    events_inside WM_LBUTTONDBLCLK 1100 300 1101 301 || fail "double click not at (1100, 300)"
    ;;
  right_and_middle)
    start_target --x 880 --y 60 --w 380 --h 400
    start_pilgrove
    click rbFixed
    fixed_point 950 150
    click rbStopClick
    set_edit edStopTimes 2
    choose cbButton 1
    run_to_end
    [ "$(count WM_RBUTTONDOWN)" = 2 ] && [ "$(count WM_RBUTTONUP)" = 2 ] ||
      fail "expected 2 right clicks"
    choose cbButton 2
    run_to_end
    [ "$(count WM_MBUTTONDOWN)" = 2 ] && [ "$(count WM_MBUTTONUP)" = 2 ] ||
      fail "expected 2 middle clicks"
    [ "$(count WM_LBUTTONDOWN)" = 0 ] || fail "a left button arrived"
    events_inside WM_MBUTTONDOWN 950 150 951 151 || fail "middle clicks not at (950, 150)"
    ;;
  colour_search)
    # A green square of 20 x 20 at (1080, 240) on white; the search clicks inside it.
    start_target --x 880 --y 60 --w 380 --h 400 --rect 200,180,20,20,00C000
    start_pilgrove
    click rbColor
    capture_colour 1090 250
    click rbStopClick
    set_edit edStopTimes 1
    run_to_end
    [ "$(count WM_LBUTTONDOWN)" = 1 ] || fail "expected one click on the square"
    events_inside WM_LBUTTONDOWN 1080 240 1100 260 || fail "the click missed the square"
    ;;
  hot_keys)
    # Ctrl+F2 starts and Ctrl+F3 stops while a Wine window (the target) has the focus; the
    # clicks go where the mouse is.
    start_target --x 880 --y 60 --w 380 --h 400
    start_pilgrove
    targetWindow=$(xdotool search --name '^Pilgrove click target$' | head -1)
    xdotool mousemove 1050 250 click 1
    sleep 0.5
    : >"$log"
    xdotool windowfocus --sync "$targetWindow" key ctrl+F2
    wait_for 50 hidden || fail "Ctrl+F2 did not start a run (the window stays)"
    wait_for 50 grep -q '^WM_LBUTTONUP' "$log" || fail "no click after Ctrl+F2"
    xdotool key ctrl+F3
    wait_for 50 shown || fail "Ctrl+F3 did not stop the run (the window stays hidden)"
    wait_for 30 title_is "Pilgrove 4.1.6" || fail "title after the stop: $(title)"
    before=$(count WM_LBUTTONDOWN)
    sleep 2.5
    [ "$(count WM_LBUTTONDOWN)" = "$before" ] || fail "clicks went on after Ctrl+F3"
    ;;
  tray_icon)
    # Wine shows the notification area as a window of its own; the icon is its first.
    start_pilgrove
    tray=$(xdotool search --name '^Wine System Tray$' | head -1)
    [ -n "$tray" ] || fail "no notification area"
    eval "$(xdotool getwindowgeometry --shell "$tray")"
    xdotool mousemove $((X + 10)) $((Y + 10)) click 1
    wait_for 50 hidden || fail "a click on the tray icon did not hide the window"
    xdotool mousemove $((X + 10)) $((Y + 10)) click 1
    wait_for 50 shown || fail "a second click on the tray icon did not show the window"
    ;;
  region_picker)
    # Two squares of one colour; the picked region holds the second only, so a search in
    # that part of the screen must click the second.
    start_target --x 880 --y 60 --w 380 --h 400 --rect 20,20,20,20,00C000 \
      --rect 200,250,20,20,00C000
    start_pilgrove
    click rbColor
    capture_colour 1090 320
    click rbStopClick
    set_edit edStopTimes 1
    click rbPart
    click Button1
    pick_region 1050 280 1150 380
    run_to_end
    [ "$(count WM_LBUTTONDOWN)" = 1 ] || fail "expected one click"
    events_inside WM_LBUTTONDOWN 1080 310 1100 330 || fail "the click was outside the region"
    ;;
  picture_search)
    # A picture of 40 x 30 in three colours at (1000, 200), captured through the picker;
    # then the target shows it 150 right and 120 below instead, and the search must click
    # the centre of where it is now: (1150 + 20, 320 + 15).
    picture() { echo "--rect $1,$2,40,30,0000C0 --rect $(($1 + 10)),$(($2 + 5)),10,10,FF8000" \
      "--rect $(($1 + 25)),$(($2 + 15)),8,8,00C000"; }
    # shellcheck disable=SC2046
    start_target --x 880 --y 60 --w 380 --h 400 $(picture 120 140)
    start_pilgrove
    click rbBMP
    click btnBMP
    pick_region 1000 200 1040 230
    stop_target
    # shellcheck disable=SC2046
    start_target --x 880 --y 60 --w 380 --h 400 $(picture 270 260)
    click rbStopClick
    set_edit edStopTimes 1
    run_to_end
    [ "$(count WM_LBUTTONDOWN)" = 1 ] || fail "expected one click on the picture"
    events_inside WM_LBUTTONDOWN 1170 335 1171 336 || fail "the click was not at the centre (1170, 335)"
    ;;
  *)
    echo "unknown case $case_name" >&2
    exit 2
    ;;
esac
echo "ok ($case_name)"
