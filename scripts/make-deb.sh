#!/usr/bin/env bash
# Builds the Release tree in build-pkg/ (the program and tools/screenshot; no
# tests or benchmarks) and packs it as build-pkg/bezierlab_<version>_<arch>.deb,
# replacing any older one. Used by package-check.sh and e2e-x11.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

build="build-pkg"
command -v dpkg-shlibdeps >/dev/null || {
  echo "make-deb.sh: dpkg-shlibdeps not found (install dpkg-dev: scripts/setup.sh --ci)" >&2
  exit 1
}

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DBEZIERLAB_BENCHMARKS=OFF
cmake --build "$build" -j2

rm -f "$build"/bezierlab_*.deb
cpack -G DEB -B "$build" --config "$build/CPackConfig.cmake"

debs=("$build"/bezierlab_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  echo "make-deb.sh: expected one bezierlab_*.deb in $build" >&2
  exit 1
fi
