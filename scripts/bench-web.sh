#!/usr/bin/env bash
# The page's figures, printed, not checked: the core's redraw per drag move in
# WebAssembly (under node) against the native build on the same recording
# surface, the bytes the page loads, and in headless Chromium the time to the
# first picture and the median time per move of a 500-move drag. Expects the
# native build in build/; builds the page (scripts/web.sh --build-only).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/web.sh --build-only >/dev/null
export NODE_PATH="${NODE_PATH:-/usr/share/nodejs}"
cmake --build build-web --target redraw_timing >/dev/null
cmake --build build --target redraw_timing >/dev/null

native=$(build/bench/web/redraw_timing 3000)
wasm=$(node build-web/bench/web/redraw_timing.js 3000)
echo "redraw per drag move (median of 3000, every box ticked): native $native us," \
  "WebAssembly $wasm us, ratio $(python3 -c "print(f'{$wasm / $native:.2f}')")"

page=build-web/web/page
bytes=$(cat "$page"/* | wc -c)
echo "the page loads $(ls "$page" | wc -l) files, $bytes bytes ($((bytes / 1024)) KiB) uncompressed:" \
  "$(cd "$page" && for f in *; do printf '%s %s  ' "$f" "$(wc -c <"$f")"; done)"

/usr/bin/python3 bench/web/page_timing.py "$page"
