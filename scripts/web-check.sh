#!/usr/bin/env bash
# The page's checks, for CI: the WebAssembly build of the core against the
# native one on the same 10,000 seeded random states (every report, drawing
# call, analysis figure and, for every hundredth state, the convergence table,
# as hex floats), then the page in headless Chromium, served on 127.0.0.1 and
# from file://, with its screenshot kept in build-web/page-screenshot.png, and
# the page built a second time elsewhere, which must give the same bytes.
# Expects the native build in build/ (scripts/test.sh makes it).
set -euo pipefail
cd "$(dirname "$0")/.."

states="${WEB_CHECK_STATES:-10000}"
scripts/setup.sh --ci
scripts/web.sh --build-only
export NODE_PATH="${NODE_PATH:-/usr/share/nodejs}"
cmake --build build-web --target core_dump
cmake --build build --target core_dump bezierlab-report

native=$(mktemp)
wasm=$(mktemp)
trap 'rm -f "$native" "$wasm"' EXIT
build/tests/web/core_dump "$states" >"$native"
node build-web/tests/web/core_dump.js "$states" >"$wasm"
if ! cmp -s "$native" "$wasm"; then
  echo "web-check: the WebAssembly core differs from the native one on these lines:" >&2
  diff "$native" "$wasm" | head -n 40 >&2
  exit 1
fi
echo "web-check: the WebAssembly core printed the same $(wc -l <"$native") lines as the native" \
  "one for $states random states"

/usr/bin/python3 tests/web/page_test.py build-web/web/page build/cli/bezierlab-report \
  build-web/page-screenshot.png

scripts/web-repro.sh
