#!/usr/bin/env bash
# The program through the real accessibility bus, as a screen reader meets it.
#
#   scripts/e2e-atspi.sh [PROGRAM [SCREENSHOT]]
#
# Starts PROGRAM (default: the installed /usr/bin/bezierlab, which
# scripts/package-check.sh installs) on Qt's xcb platform under an Xvfb of its
# own, inside a D-Bus session of its own with the AT-SPI bus, and with
# QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1; scripts/atspi-check.py then walks the
# accessible tree, toggles boxes and sets the distance through the Action and
# Value interfaces, moves P(1) with the keyboard, and compares the drawing area
# with SCREENSHOT's offscreen picture (default: build-pkg/tools/screenshot).
#
# Logs and pictures go to build-pkg/e2e-atspi/. scripts/setup.sh --ci
# installs the tools. Exits non-zero when any check fails.
set -euo pipefail
cd "$(dirname "$0")/.."
export LC_ALL=C.UTF-8

program=$(realpath "${1:-/usr/bin/bezierlab}")
screenshot=$(realpath "${2:-build-pkg/tools/screenshot}")
out="$PWD/build-pkg/e2e-atspi"
timeout_s=5

die() {
  echo "e2e-atspi: $*" >&2
  exit 1
}

for tool in Xvfb xdotool import compare dbus-run-session; do
  command -v "$tool" >/dev/null || die "$tool not found (scripts/setup.sh --ci installs it)"
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null ||
  die "python3-pyatspi not found (scripts/setup.sh --ci installs it)"
[ -x "$program" ] || die "$program is not an executable"
[ -x "$screenshot" ] || die "$screenshot was not built"
rm -rf "$out"
mkdir -p "$out"

work=$(mktemp -d)
xvfb_pid=""
cleanup() {
  if [ -n "$xvfb_pid" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$out/xvfb.log" 2>&1 &
xvfb_pid=$!
deadline=$((SECONDS + timeout_s))
until [ -s "$work/display" ]; do
  [ "$SECONDS" -lt "$deadline" ] || die "Xvfb did not start in ${timeout_s} s (see $out/xvfb.log)"
  sleep 0.1
done
DISPLAY=":$(head -n1 "$work/display")"
export DISPLAY
unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
echo "== Xvfb on $DISPLAY, $program"

dbus-run-session -- /usr/bin/python3 scripts/atspi-check.py "$program" "$screenshot" "$out"
