#!/usr/bin/env bash
# End-to-end check of the installed program on a real X server.
#
# Builds and installs the .deb (scripts/make-deb.sh, in build-pkg/), starts
# /usr/bin/bezierlab on Qt's xcb platform under an Xvfb of its own and drives it
# with xdotool as a person would: the title and size of the window, a drag of
# P(2), a click on the 10-division box, the scroll bar's Right and Left keys
# and Ctrl+C. Every picture taken from the screen must equal, pixel for pixel,
# the offscreen rendering of the same state by build-pkg/tools/screenshot, and
# the clipboard must hold the report that tool prints. Last, F2 with the main
# window at the screen's right edge (scripts/x11-convergence.sh).
#
# Pictures, logs and the whole screen at the end go to build-pkg/e2e/.
# Needs root or sudo for the install; scripts/setup.sh --ci installs the tools.
# Exits non-zero when any check fails.
set -euo pipefail
cd "$(dirname "$0")/.."
export LC_ALL=C.UTF-8

name=e2e-x11
out="$PWD/build-pkg/e2e"
timeout_s=5 # for every wait on the program
tools="Xvfb xdotool xwininfo xprop xclip import compare identify"
source scripts/e2e-lib.sh

design_caption="ベジェ曲線の長さ計算・オフセット曲線サンプル"
pointer_caption="ベジェ曲線の長さ計算サンプル - "

# -- The X server and the program ----------------------------------------------
# Xvfb picks a free display and writes its number once it accepts clients.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$out/xvfb.log" 2>&1 &
started+=($!)
wait_for test -s "$work/display" || die "Xvfb did not start in ${timeout_s} s (see $out/xvfb.log)"
DISPLAY=":$(head -n1 "$work/display")"
export DISPLAY
unset WAYLAND_DISPLAY
echo "== Xvfb on $DISPLAY"

QT_QPA_PLATFORM=xcb /usr/bin/bezierlab >"$out/bezierlab.log" 2>&1 &
app_pid=$!
started+=("$app_pid")
window=$(timeout "$timeout_s" xdotool search --sync --onlyvisible --name "^${design_caption}\$" |
  head -n1) || true
[ -n "$window" ] || die "no window titled $design_caption appeared in ${timeout_s} s" \
  "(see $out/bezierlab.log)"
echo "== window $window"

# -- Checks --------------------------------------------------------------------
# Inner drawing area in client coordinates: Picture1 at (8,16) with a 2-px border.
area_x=10
area_y=18

title() { xdotool getwindowname "$window"; }
title_is() { [ "$(title)" = "$1" ]; }
expect_title() {
  if wait_for title_is "$1"; then
    pass "caption: $1"
  else
    fail "caption: '$(title)', expected '$1'"
  fi
}

grab_window() { import -window "$window" "$1"; }
grab_area() { import -window "$window" -crop "260x260+${area_x}+${area_y}" +repage "$1"; }
# Number of differing pixels between two pictures, or compare's message.
differing() { compare -metric AE "$1" "$2" null: 2>&1 || true; }

# expect_picture NAME window|area [screenshot options]: the window or its
# drawing area on the X server equals the offscreen picture of that state.
# Sets picture_ok to yes or no.
expect_picture() {
  local name=$1 kind=$2
  shift 2
  local expected="$out/$name-expected.png" actual="$out/$name-actual.png" diff=""
  local options=("$@")
  [ "$kind" = area ] && options+=(--area)
  if ! QT_QPA_PLATFORM=offscreen "$screenshot" "${options[@]}" "$expected" \
    2>>"$out/screenshot.log"; then
    fail "$name: the screenshot tool failed (see $out/screenshot.log)"
    picture_ok=no
    return
  fi
  same() {
    "grab_$kind" "$actual" && diff=$(differing "$actual" "$expected") && [ "$diff" = 0 ]
  }
  picture_ok=yes
  if wait_for same; then
    pass "$name: $kind equals the offscreen picture (${options[*]:-start state})"
  else
    picture_ok=no
    fail "$name: $kind differs from the offscreen picture in $diff pixels" \
      "(${options[*]:-start state}; see $actual, $expected)"
  fi
}

# shows_state [screenshot options]: whether the window, as it is now, equals
# the offscreen picture of that state (to explain a failure).
shows_state() {
  QT_QPA_PLATFORM=offscreen "$screenshot" "$@" "$work/state.png" 2>/dev/null &&
    grab_window "$work/now.png" && [ "$(differing "$work/now.png" "$work/state.png")" = 0 ]
}

# Client pixel of a point of the drawing area.
at() { xdotool mousemove --window "$window" $(($1 + area_x)) $(($2 + area_y)); }

echo "== window"
expect_title "$design_caption"
size=$(xwininfo -id "$window" | awk '/^ +Width:/ { w = $2 } /^ +Height:/ { h = $2 } END { print w "x" h }')
if [ "$size" = 631x288 ]; then
  pass "client area 631x288"
else
  fail "client area $size, expected 631x288"
fi
# A fixed-size window offers no maximise button: the Motif hints, which X11
# window managers read, leave out the maximise function (bit 4 of the second
# word) and decoration (bit 6 of the third).
read -r -a motif <<<"$(xprop -id "$window" -notype _MOTIF_WM_HINTS | sed 's/.*= //; s/,//g')"
if [ ${#motif[@]} -ge 3 ] && (((motif[0] & 3) == 3 && (motif[1] & 0x10) == 0 &&
  (motif[2] & 0x40) == 0)); then
  pass "_MOTIF_WM_HINTS offer no maximise button (${motif[*]})"
else
  fail "_MOTIF_WM_HINTS offer a maximise button or set no functions and decorations: ${motif[*]:-none}"
fi
# The program's own icon, 64 x 64: 2 size words and 4096 pixels.
icon_words=$(xprop -id "$window" -notype 32c _NET_WM_ICON | tr ',' '\n' | grep -c '[0-9]' || true)
if [ "$icon_words" -eq 4098 ]; then
  pass "_NET_WM_ICON holds a 64x64 icon"
else
  fail "_NET_WM_ICON has $icon_words words, expected 4098 (a 64x64 icon)"
fi
expect_picture start window

echo "== drag P(2) from (150,150) to (200,120)"
# A press 2 px right of and 1 px below P(2) is within reach and grabs it; the
# point stays where it is until the first move.
at 152 151
expect_title "${pointer_caption}(152,151)"
xdotool mousedown 1
expect_picture press area --grabbed 2
at 175 135
at 200 120
expect_title "${pointer_caption}(200,120)"
points=50,50,150,50,200,120,50,150
expect_picture drag area --points "$points" --grabbed 2
xdotool mouseup 1
expect_picture release area --points "$points"
expect_title "${pointer_caption}(200,120)"

echo "== click the 10-division box"
# Check1(0) sits at (464,16) and is 17 px high. Afterwards the pointer rests
# on the window's bare background at the bottom right, where no control shows
# a hover state or a tool tip.
xdotool mousemove --window "$window" $((464 + 8)) $((16 + 8)) click 1
xdotool mousemove --window "$window" 620 275
expect_picture check-box window --points "$points" --divisions 10,1000 --focus 'Check1(0)'

echo "== scroll bar keys"
# The click gave Check1(0) the focus; six Tabs take it through the other five
# boxes to HScroll1 without changing a value (a click on the bar would).
xdotool windowfocus --sync "$window" || true
xdotool key --delay 50 Tab Tab Tab Tab Tab Tab
state=(--points "$points" --divisions "10,1000" --focus HScroll1)
expect_picture tab window "${state[@]}"
xdotool key Right
expect_picture right window "${state[@]}" --distance 31
if [ "$picture_ok" = no ] && shows_state "${state[@]}" --distance 29; then
  echo "      the window shows distance 29: Right lowered the value instead of raising it" >&2
fi
xdotool key Left
expect_picture left window "${state[@]}" --distance 30

echo "== Ctrl+C"
QT_QPA_PLATFORM=offscreen "$screenshot" --points "$points" --divisions 10,1000 --distance 30 \
  --report >"$out/report-expected.txt" 2>>"$out/screenshot.log"
xdotool key ctrl+c
clipboard_text() {
  timeout 2 xclip -selection clipboard -o >"$out/clipboard.txt" 2>/dev/null &&
    cmp -s "$out/clipboard.txt" "$out/report-expected.txt"
}
if wait_for clipboard_text; then
  pass "clipboard text equals the report ($(wc -l <"$out/report-expected.txt") lines, CR LF)"
elif [ ! -s "$out/clipboard.txt" ]; then
  fail "the clipboard holds no text after Ctrl+C"
else
  fail "clipboard text differs from the report (see $out/clipboard.txt," \
    "$out/report-expected.txt)"
fi
timeout 2 xclip -selection clipboard -t TARGETS -o >"$out/clipboard-targets.txt" 2>&1 || true
if grep -qx image/png "$out/clipboard-targets.txt"; then
  pass "clipboard offers image/png"
  timeout 2 xclip -selection clipboard -t image/png -o >"$out/clipboard.png" 2>/dev/null || true
  if size=$(identify -format '%wx%h' "$out/clipboard.png" 2>/dev/null); then
    pass "clipboard picture is a PNG of $size"
  else
    fail "clipboard picture is no readable PNG (see $out/clipboard.png)"
  fi
else
  fail "clipboard targets lack image/png: $(tr '\n' ' ' <"$out/clipboard-targets.txt")"
fi

echo "== convergence window at the screen's right edge"
if scripts/x11-convergence.sh /usr/bin/bezierlab; then
  pass "F2 opens the convergence window whole on the screen"
else
  fail "F2 opens the convergence window partly off the screen"
fi

echo "== end"
import -window root "$out/screen.png" || fail "could not take the whole screen"
if kill -0 "$app_pid" 2>/dev/null; then
  pass "the program is still running"
else
  fail "the program has ended (see $out/bezierlab.log)"
fi

finish
