#!/usr/bin/env bash
# Builds the page (installing what is missing) into build-web/web/page/ and
# serves that folder on http://127.0.0.1:8000/ (or the port given) until
# Ctrl+C. With --build-only it builds and stops there.
#
#   scripts/web.sh [--port N] [--build-only]
set -euo pipefail
cd "$(dirname "$0")/.."

port=8000
serve=yes
while [ $# -gt 0 ]; do
  case "$1" in
    --port) port="${2:?--port needs a number}"; shift 2 ;;
    --port=*) port="${1#--port=}"; shift ;;
    --build-only) serve=no; shift ;;
    *) echo "usage: scripts/web.sh [--port N] [--build-only]" >&2; exit 2 ;;
  esac
done
if ! [[ "$port" =~ ^[0-9]+$ ]] || [ "$port" -lt 1 ] || [ "$port" -gt 65535 ]; then
  echo "web.sh: the port must be a number from 1 to 65535, not \"$port\"" >&2
  exit 2
fi

scripts/setup.sh --web
# Debian's emscripten runs its JavaScript optimiser with Debian's acorn module,
# which a node from elsewhere on the PATH does not find by itself.
export NODE_PATH="${NODE_PATH:-/usr/share/nodejs}"
if [ ! -f build-web/CMakeCache.txt ]; then
  emcmake cmake -S . -B build-web -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build build-web --target web_page
page=build-web/web/page
echo "web.sh: the page is in $page/ (open $page/index.html from disk, or put the folder on any static host)"
[ "$serve" = yes ] || exit 0

echo "web.sh: serving it on http://127.0.0.1:$port/ - press Ctrl+C to stop"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$page"
