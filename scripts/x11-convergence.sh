#!/usr/bin/env bash
# The study windows (F2 the convergence window, F3 the offset window) on a
# real X server, where a window's size is known only once it is shown: an
# Xvfb of its own at 1280 x 800 with no window manager, the main window moved
# to the right edge and to the bottom right corner, then the key. The study
# window must lie whole on the screen.
#
#   scripts/x11-convergence.sh [PROGRAM]   (default: build/app/bezierlab)
#
# Exits 0 when every check passes, 1 when one fails, 77 (skipped) when Xvfb
# or xdotool is missing (scripts/setup.sh --ci installs them).
set -euo pipefail
cd "$(dirname "$0")/.."
export LC_ALL=C.UTF-8

program=$(realpath "${1:-build/app/bezierlab}")
screen_w=1280
screen_h=800
timeout_s=5
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || {
    echo "x11-convergence: $tool not found, skipped (scripts/setup.sh --ci installs it)"
    exit 77
  }
done

source scripts/work-lib.sh

Xvfb -displayfd 3 -screen 0 "${screen_w}x${screen_h}x24" -nolisten tcp 3>"$work/display" \
  >"$work/xvfb.log" 2>&1 &
started+=($!)
deadline=$((SECONDS + timeout_s))
until [ -s "$work/display" ]; do
  [ "$SECONDS" -lt "$deadline" ] || {
    echo "x11-convergence: Xvfb did not start: $(cat "$work/xvfb.log")" >&2
    exit 1
  }
  sleep 0.1
done
DISPLAY=":$(head -n1 "$work/display")"
export DISPLAY
unset WAYLAND_DISPLAY

failed=0
# geometry WINDOW: "X Y W H" of the window on the screen.
geometry() {
  xdotool getwindowgeometry --shell "$1" |
    awk -F= '/^X=/ { x = $2 } /^Y=/ { y = $2 } /^WIDTH=/ { w = $2 } /^HEIGHT=/ { h = $2 }
             END { print x, y, w, h }'
}

# check X Y KEY TITLE NAME: the main window at (X, Y), then KEY, which must
# open the window TITLE (NAME in the messages).
check() {
  local x=$1 y=$2 key=$3 title=$4 name=$5 app window plot cx cy cw ch
  QT_QPA_PLATFORM=xcb "$program" >"$work/program.log" 2>&1 &
  app=$!
  started+=("$app")
  window=$(timeout "$timeout_s" xdotool search --sync --onlyvisible --name \
    '^ベジェ曲線の長さ計算・オフセット曲線サンプル$' | head -n1) || true
  if [ -z "$window" ]; then
    echo "FAIL  no main window appeared: $(cat "$work/program.log")" >&2
    failed=1
    return
  fi
  xdotool windowmove --sync "$window" "$x" "$y"
  xdotool windowfocus --sync "$window" key "$key"
  plot=$(timeout "$timeout_s" xdotool search --sync --onlyvisible --name "^$title\$" |
    head -n1) || true
  if [ -z "$plot" ]; then
    echo "FAIL  main window at ($x,$y): $key opened no $name window" >&2
    failed=1
  else
    # Qt may still be applying the size it chose: the last geometry counts.
    sleep 0.5
    read -r cx cy cw ch <<<"$(geometry "$plot")"
    if ((cx >= 0 && cy >= 0 && cx + cw <= screen_w && cy + ch <= screen_h)); then
      echo "ok    main window at ($x,$y): $name window ${cw}x${ch} at ($cx,$cy)"
    else
      echo "FAIL  main window at ($x,$y): $name window ${cw}x${ch} at ($cx,$cy)" \
        "leaves the ${screen_w}x${screen_h} screen" >&2
      failed=1
    fi
  fi
  kill "$app" 2>/dev/null || true
  wait "$app" 2>/dev/null || true
}

for study in "F2 長さの収束 convergence" "F3 オフセットの誤差 offset"; do
  read -r key title name <<<"$study"
  check 640 300 "$key" "$title" "$name"
  check $((screen_w - 631)) $((screen_h - 288)) "$key" "$title" "$name"
done
[ "$failed" -eq 0 ]
