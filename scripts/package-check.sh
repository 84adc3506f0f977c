#!/usr/bin/env bash
# Builds the .deb (scripts/make-deb.sh), shows what is in it, checks it with
# lintian (any error or warning fails), validates its AppStream metainfo and
# desktop entry, installs it with its dependencies
# (again, if this version is there already), checks the installed files and
# that the installed program starts and keeps running.
# Uses sudo when not run as root.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/runtime-dir.sh

build="build-pkg"
id=org.bezierlab.BezierLab

fail() {
  echo "package-check: FAIL: $*" >&2
  exit 1
}

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || fail "installing the package needs root: run this as root, or install sudo"
  as_root=(sudo)
fi
for tool in lintian appstreamcli desktop-file-validate xmllint update-mime-database; do
  command -v "$tool" >/dev/null || fail "$tool not found (scripts/setup.sh --ci installs it)"
done

scripts/make-deb.sh
deb=$(realpath "$build"/bezierlab_*.deb)

echo "== dpkg-deb -I $deb"
dpkg-deb -I "$deb"
echo "== dpkg-deb -c $deb"
dpkg-deb -c "$deb"

echo "== lintian"
lintian --fail-on error,warning "$deb" || fail "lintian reports errors or warnings"
echo "ok  lintian: no error, no warning"

echo "== installing (apt's output in $build/install.log)"
if ! "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive DEBCONF_NOWARNINGS=yes apt-get install -y -qq \
  --no-install-recommends --reinstall "$deb" >"$build/install.log" 2>&1; then
  tail -n 20 "$build/install.log" >&2
  fail "the package did not install"
fi

echo "== installed files"
module=/usr/lib/bezierlab/report/bezierlab-report-pictures.so
for f in /usr/bin/bezierlab /usr/bin/bezierlab-report "$module" \
         /usr/share/man/man1/bezierlab.1.gz /usr/share/man/ja/man1/bezierlab.1.gz \
         /usr/share/man/man1/bezierlab-report.1.gz /usr/share/man/ja/man1/bezierlab-report.1.gz \
         /usr/share/doc/bezierlab/changelog.gz \
         "/usr/share/applications/$id.desktop" \
         "/usr/share/mime/packages/$id.xml" \
         "/usr/share/metainfo/$id.metainfo.xml" \
         "/usr/share/icons/hicolor/scalable/apps/$id.svg" \
         "/usr/share/icons/hicolor/64x64/apps/$id.png" \
         /usr/share/doc/bezierlab/copyright; do
  [ -f "$f" ] || fail "$f is missing"
  echo "ok  $f"
done
[ -x /usr/bin/bezierlab ] || fail "/usr/bin/bezierlab is not executable"
grep -q '^License: MIT$' /usr/share/doc/bezierlab/copyright ||
  fail "the copyright file names no MIT licence"
version=$(dpkg-query -W -f='${Version}' bezierlab)
grep -q "<release version=\"$version\"" "/usr/share/metainfo/$id.metainfo.xml" ||
  fail "the metainfo has no release $version (the package's version)"
echo "ok  metainfo names release $version"

echo "== appstreamcli validate --no-net"
appstreamcli validate --no-net "/usr/share/metainfo/$id.metainfo.xml" ||
  fail "the AppStream metainfo does not validate"
echo "== desktop-file-validate"
desktop-file-validate "/usr/share/applications/$id.desktop" ||
  fail "the desktop entry does not validate"
echo "ok  desktop entry valid"
echo "== xmllint and the MIME database"
xmllint --noout "/usr/share/mime/packages/$id.xml" || fail "the MIME definition is not well-formed XML"
mime=$(mktemp -d)
mkdir "$mime/packages"
cp "/usr/share/mime/packages/$id.xml" "$mime/packages/"
update-mime-database "$mime" || fail "update-mime-database refuses the MIME definition"
grep -qx 'application/x-bezierlab:\*\.bezierlab' "$mime/globs" ||
  fail "the MIME definition gives *.bezierlab no type"
rm -rf "$mime"
grep -qx 'MimeType=application/x-bezierlab;' "/usr/share/applications/$id.desktop" ||
  fail "the desktop entry does not open application/x-bezierlab"
echo "ok  application/x-bezierlab for *.bezierlab, opened by the desktop entry"

echo "== starting /usr/bin/bezierlab on the offscreen platform for 3 s"
status=0
QT_QPA_PLATFORM=offscreen timeout 3 /usr/bin/bezierlab || status=$?
# timeout answers 124 when it had to stop the program, i.e. it was still running.
[ "$status" -eq 124 ] || fail "bezierlab ended by itself with exit status $status"
echo "ok  still running after 3 s"

echo "== /usr/bin/bezierlab-report with no display at all"
# The report tool is a command-line program: it needs no display, fonts or
# GUI platform, so it must work with every display variable unset.
report=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM /usr/bin/bezierlab-report) ||
  fail "bezierlab-report failed"
[ "$(printf '%s\n' "$report" | tail -n 1)" = "Length(1000分割) = 199.7007" ] ||
  fail "bezierlab-report printed an unexpected report: $report"
echo "ok  the start report, ending in Length(1000分割) = 199.7007"
/usr/bin/bezierlab-report --version | grep -q "^bezierlab-report $version\$" ||
  fail "bezierlab-report --version does not name $version"
echo "ok  bezierlab-report --version names $version"
# The tool finds its picture module relative to its own folder; a picture
# run loads it (and Qt), a text run does not.
pictures=$(mktemp -d)
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM /usr/bin/bezierlab-report \
  --png "$pictures/a.png" --plot "$pictures/p.svg" >/dev/null ||
  fail "bezierlab-report --png --plot failed"
[ "$(head -c 8 "$pictures/a.png" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] ||
  fail "bezierlab-report --png wrote no PNG"
grep -q '<svg' "$pictures/p.svg" || fail "bezierlab-report --plot wrote no SVG"
rm -rf "$pictures"
echo "ok  the installed tool writes --png and --plot through $module"
if LD_DEBUG=libs /usr/bin/bezierlab-report 2>&1 >/dev/null | grep -q 'libQt\|pictures'; then
  fail "the text report of the installed tool loads Qt or the picture module"
fi
echo "ok  the installed tool's text report loads no Qt"
if command -v man >/dev/null; then
  for page in /usr/share/man/{,ja/}man1/bezierlab{,-report}.1.gz; do
    man -l "$page" >/dev/null 2>&1 || fail "$page does not format"
  done
  echo "ok  man pages format"
else
  echo "--  man is not installed: the man page was not formatted"
fi

echo "package-check: PASS ($(basename "$deb"))"
