#!/usr/bin/env bash
# The page's figures, printed, not checked: the core's redraw per drag move in
# WebAssembly (under node) against the native build on the same recording
# surface, the bytes the page loads (and the core's WebAssembly inflated), and
# in headless Chromium the time to the first picture and the median time per
# move of a 500-move drag, on a desktop and on an emulated phone with its CPU
# throttled 4 times. Expects the
# native build in build/; builds the page (scripts/web.sh --build-only).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/web.sh --build-only >/dev/null
export NODE_PATH="${NODE_PATH:-/usr/share/nodejs}"
cmake --build build-web --target redraw_timing >/dev/null
cmake --build build --target redraw_timing >/dev/null

# This machine's speed comes and goes (other work on the same host): the two
# builds run by turns, five times each, and the fastest median of each counts.
natives=() wasms=()
for _ in 1 2 3 4 5; do
  natives+=("$(build/bench/web/redraw_timing 3000)")
  wasms+=("$(node build-web/bench/web/redraw_timing.js 3000)")
done
fastest() { printf '%s\n' "$@" | sort -g | head -1; }
native=$(fastest "${natives[@]}")
wasm=$(fastest "${wasms[@]}")
echo "redraw per drag move (median of 3000, every box ticked; fastest of 5 runs by turns):" \
  "native $native us, WebAssembly $wasm us, ratio $(python3 -c "print(f'{$wasm / $native:.2f}')")"
echo "  each run: native ${natives[*]} / WebAssembly ${wasms[*]}"

page=build-web/web/page
bytes=$(cat "$page"/* | wc -c)
# Every file of the page counted once: what the page requests, the manifest,
# the worker and the icons (the worker's copy at install is not counted again).
echo "the page's $(ls "$page" | wc -l) files: $bytes bytes ($((bytes / 1000)) KB, goal <= 260 KB) uncompressed:" \
  "$(cd "$page" && for f in *; do printf '%s %s  ' "$f" "$(wc -c <"$f")"; done)"

echo "  the core's WebAssembly, packed in core-wasm.js: $(wc -c <build-web/web/core/core.wasm) bytes inflated"

/usr/bin/python3 bench/web/page_timing.py "$page"
