#!/usr/bin/env bash
# Builds the Release tree in build-pkg/, packs it as a .deb, shows what is in the
# package, installs it with its dependencies (again, if this version is there
# already) and checks that the installed program starts and keeps running.
# Uses sudo when not run as root.
set -euo pipefail
cd "$(dirname "$0")/.."

build="build-pkg"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)

fail() {
  echo "package-check: FAIL: $*" >&2
  exit 1
}

command -v dpkg-shlibdeps >/dev/null || fail "dpkg-shlibdeps not found (install dpkg-dev)"

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DBEZIERLAB_BENCHMARKS=OFF
cmake --build "$build" -j2

rm -f "$build"/bezierlab_*.deb
cpack -G DEB -B "$build" --config "$build/CPackConfig.cmake"

debs=("$build"/bezierlab_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  fail "expected one bezierlab_*.deb in $build"
fi
deb=$(realpath "${debs[0]}")

echo "== dpkg-deb -I $deb"
dpkg-deb -I "$deb"
echo "== dpkg-deb -c $deb"
dpkg-deb -c "$deb"

echo "== installing"
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends --reinstall "$deb"

echo "== installed files"
for f in /usr/bin/bezierlab \
         /usr/share/applications/bezierlab.desktop \
         /usr/share/icons/hicolor/scalable/apps/bezierlab.svg \
         /usr/share/icons/hicolor/64x64/apps/bezierlab.png; do
  [ -f "$f" ] || fail "$f is missing"
  echo "ok  $f"
done
[ -x /usr/bin/bezierlab ] || fail "/usr/bin/bezierlab is not executable"

echo "== starting /usr/bin/bezierlab on the offscreen platform for 3 s"
status=0
QT_QPA_PLATFORM=offscreen timeout 3 /usr/bin/bezierlab || status=$?
# timeout answers 124 when it had to stop the program, i.e. it was still running.
[ "$status" -eq 124 ] || fail "bezierlab ended by itself with exit status $status"
echo "ok  still running after 3 s"

echo "package-check: PASS ($(basename "$deb"))"
