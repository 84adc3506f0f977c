#!/usr/bin/env bash
# End-to-end check of the installed program on a Wayland compositor.
#
# Builds and installs the .deb (scripts/make-deb.sh, in build-pkg/), starts a
# weston of its own without a screen (headless back end, pixman renderer,
# desktop shell) and /usr/bin/bezierlab in it on Qt's wayland platform. The
# program must keep running with nothing on standard error, and a screenshot
# of the compositor (weston-screenshooter, which weston allows with --debug)
# must show the window's drawing area equal, pixel for pixel, to the offscreen
# rendering of the start state by build-pkg/tools/screenshot --area.
#
# The screenshot, the pictures and the logs go to build-pkg/e2e-wayland/.
# Needs root or sudo for the install; scripts/setup.sh --ci installs the tools.
# Exits non-zero when any check fails.
set -euo pipefail
cd "$(dirname "$0")/.."
export LC_ALL=C.UTF-8

name=e2e-wayland
out="$PWD/build-pkg/e2e-wayland"
timeout_s=10 # for every wait on weston or the program
stay_s=3     # how long the program must keep running
tools="weston weston-screenshooter convert identify python3"
source scripts/e2e-lib.sh

# -- The compositor and the program --------------------------------------------
export WAYLAND_DISPLAY=bezierlab-e2e
unset DISPLAY
weston --backend=headless-backend.so --use-pixman --shell=desktop-shell.so \
  --width=1024 --height=768 --socket="$WAYLAND_DISPLAY" --idle-time=0 --debug \
  >"$out/weston.log" 2>&1 &
started+=($!)
wait_for test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ||
  die "weston did not start in ${timeout_s} s (see $out/weston.log)"
echo "== weston on $WAYLAND_DISPLAY"

QT_QPA_PLATFORM=wayland /usr/bin/bezierlab >"$out/stdout.txt" 2>"$out/stderr.txt" &
app_pid=$!
started+=("$app_pid")
start_time=$SECONDS

# -- Checks --------------------------------------------------------------------
QT_QPA_PLATFORM=offscreen "$screenshot" --area "$out/area-expected.png" ||
  die "the screenshot tool failed"
QT_QPA_PLATFORM=offscreen "$screenshot" "$out/window-expected.png" ||
  die "the screenshot tool failed"

# shoot: a screenshot of the whole compositor into $out/screen.png.
shoot() {
  rm -rf "$work/shots" && mkdir "$work/shots" &&
    (cd "$work/shots" && timeout 5 weston-screenshooter >/dev/null 2>&1) &&
    mv "$work/shots"/*.png "$out/screen.png"
}

# find_picture PICTURE: prints "x y" where PICTURE appears, pixel for pixel,
# in $out/screen.png; fails when it appears nowhere.
find_picture() {
  convert "$out/screen.png" -depth 8 "rgb:$work/screen.rgb" &&
    convert "$1" -depth 8 "rgb:$work/needle.rgb" &&
    python3 - "$work/screen.rgb" "$(identify -format %w "$out/screen.png")" \
      "$work/needle.rgb" "$(identify -format %w "$1")" <<'PY'
import sys

def rows(path, width):
    data = open(path, "rb").read()
    stride = 3 * width
    return [data[i:i + stride] for i in range(0, len(data), stride)]

screen = rows(sys.argv[1], int(sys.argv[2]))
needle = rows(sys.argv[3], int(sys.argv[4]))
for y in range(len(screen) - len(needle) + 1):
    start = screen[y].find(needle[0])
    while start >= 0:
        if start % 3 == 0:
            x = start // 3
            if all(screen[y + i][start:start + len(row)] == row for i, row in enumerate(needle)):
                print(x, y)
                sys.exit(0)
        start = screen[y].find(needle[0], start + 1)
sys.exit(1)
PY
}

area_at=""
area_found() { shoot && area_at=$(find_picture "$out/area-expected.png"); }
echo "== the window"
if wait_for area_found; then
  pass "the drawing area, 260 x 260 at ($area_at) of the screen, equals the offscreen picture"
else
  fail "no part of the screen equals the offscreen picture of the drawing area" \
    "(see $out/screen.png, $out/area-expected.png, $out/stderr.txt)"
fi
if window_at=$(find_picture "$out/window-expected.png"); then
  pass "the whole client area, 631 x 288 at ($window_at), equals the offscreen picture"
else
  fail "no part of the screen equals the offscreen picture of the window" \
    "(see $out/screen.png, $out/window-expected.png)"
fi

echo "== running for ${stay_s} s"
sleep $((start_time + stay_s > SECONDS ? start_time + stay_s - SECONDS : 0))
if kill -0 "$app_pid" 2>/dev/null; then
  pass "the program is still running after ${stay_s} s"
else
  wait "$app_pid" && status=0 || status=$?
  fail "the program ended with exit status $status (see $out/stderr.txt)"
fi
if [ -s "$out/stderr.txt" ]; then
  fail "the program wrote to standard error:"
  sed 's/^/      /' "$out/stderr.txt" >&2
else
  pass "nothing on standard error"
fi

finish "screenshot: $out/screen.png"
