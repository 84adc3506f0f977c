# Sourced by the end-to-end checks of the installed program (e2e-x11.sh,
# e2e-wayland.sh) once they have set $name (for messages), $out (their
# folder for pictures and logs, emptied here) and $timeout_s. Checks that the
# tools named in $tools are there, builds and installs the .deb (as root or
# through sudo), makes a private $work folder with XDG_RUNTIME_DIR in it, and
# on exit stops the processes listed in $started, last started first.

passed=0
failed=0
pass() {
  echo "ok    $*"
  passed=$((passed + 1))
}
fail() {
  echo "FAIL  $*" >&2
  failed=$((failed + 1))
}
die() {
  echo "$name: $*" >&2
  exit 1
}
# The last line and the exit status.
finish() {
  echo "$name: $passed passed, $failed failed${1:+ ($1)}"
  [ "$failed" -eq 0 ]
}

for tool in $tools; do
  command -v "$tool" >/dev/null || die "$tool not found (scripts/setup.sh --ci installs it)"
done
as_root=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || die "installing the package needs root: run this as root, or install sudo"
  as_root=(sudo)
fi

# -- The package ---------------------------------------------------------------
screenshot="$PWD/build-pkg/tools/screenshot"
scripts/make-deb.sh
deb=$(realpath build-pkg/bezierlab_*.deb)
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive DEBCONF_NOWARNINGS=yes apt-get install -y -qq \
  --no-install-recommends --reinstall "$deb" >/dev/null
[ -x /usr/bin/bezierlab ] || die "/usr/bin/bezierlab is not installed"
[ -x "$screenshot" ] || die "$screenshot was not built"
rm -rf "$out"
mkdir -p "$out"

# -- Clean-up ------------------------------------------------------------------
source scripts/work-lib.sh

# Runs "$@" every 0.1 s until it succeeds; false after $timeout_s seconds.
wait_for() {
  local deadline=$((SECONDS + timeout_s))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}
