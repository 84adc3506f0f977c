#!/usr/bin/env bash
# The page is reproducible: a copy of the sources, built in another folder,
# gives the same files, byte for byte, as build-web/web/page/ (which
# scripts/web.sh --build-only makes). Prints the files that differ.
#
#   scripts/web-repro.sh
set -euo pipefail
cd "$(dirname "$0")/.."

# The builds' output goes to a log, shown when a build fails.
log=build-web/web-repro.log
quiet() {
  if ! "$@" >"$log" 2>&1; then
    echo "web-repro: '$*' failed:" >&2
    tail -n 40 "$log" >&2
    exit 1
  fi
}
mkdir -p build-web
quiet scripts/web.sh --build-only
export NODE_PATH="${NODE_PATH:-/usr/share/nodejs}"
other=$(mktemp -d /tmp/bezierlab-repro-XXXXXX)
trap 'rm -rf "$other"' EXIT
# The sources without any build folder, in a folder of another name and depth.
mkdir -p "$other/elsewhere/src"
tar -c --exclude='./build*' --exclude=./.git . | tar -x -C "$other/elsewhere/src"
quiet emcmake cmake -S "$other/elsewhere/src" -B "$other/out" -G Ninja -DCMAKE_BUILD_TYPE=Release
quiet cmake --build "$other/out" --target web_page
if ! diff -r build-web/web/page "$other/out/web/page"; then
  echo "web-repro: the page built in $other/out differs from build-web/web/page" >&2
  exit 1
fi
echo "web-repro: the page built in two folders is the same $(ls build-web/web/page | wc -l) files"
