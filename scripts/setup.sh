#!/usr/bin/env bash
# Installs what building and testing bezierlab needs on Debian or Ubuntu and is
# not there yet: compiler, CMake, Ninja, Qt 6 Widgets and SVG, XKB, Boost.Math,
# GoogleTest, Google Benchmark, nlohmann/json, a Japanese font, Qt's Japanese
# translations (the file dialogs' own texts), gettext (msgfmt compiles the
# English catalogue at build time; xgettext and msgcmp check it), and Python,
# which the README's JSON examples pipe into. With --ci also what the CI checks use: clang with libFuzzer,
# clang-tidy, clang-format, the Debian packaging tools and lintian, the
# AppStream, desktop-entry and XML validators, the MIME database tools, an X
# server without a screen (Xvfb) and a Wayland compositor without one (weston,
# with Qt's Wayland platform) with the tools that drive them, hyperfine, the
# accessibility bus (AT-SPI, D-Bus) with its Python bindings, and rsvg-convert
# (librsvg2-bin) to check the convergence plot's SVG, the locales' sources
# (locales), from which a test builds a German locale, and the page's needs.
# With --web what building the page takes: emscripten (its JavaScript
# optimiser needs Debian's node-acorn), rsvg-convert and ImageMagick (the
# page's icons), zopfli (which deflates its WebAssembly) and terser (which
# minifies its scripts). --ci installs those too, with Chromium, its WebDriver
# and Selenium, which drive the page.
#
# When nothing is missing it prints nothing, changes nothing and needs no root.
# Otherwise it runs apt-get as root: directly when run as root, else through
# sudo. apt's and dpkg's output goes to a log file; the terminal gets one line
# per step, and the log's last lines when a step fails.
set -euo pipefail

packages=(g++ cmake ninja-build qt6-base-dev qt6-svg-dev libxkbcommon-dev libboost-math-dev
          libgtest-dev libgmock-dev libbenchmark-dev fonts-ipafont-gothic qt6-translations-l10n
          python3 gettext nlohmann-json3-dev)
web_packages=(emscripten node-acorn librsvg2-bin imagemagick zopfli terser)
if [ "${1:-}" = "--ci" ]; then
  packages+=(clang libclang-rt-14-dev clang-tidy clang-format dpkg-dev lintian
             appstream desktop-file-utils libxml2-utils shared-mime-info
             xvfb xdotool xclip imagemagick x11-utils weston qt6-wayland hyperfine
             at-spi2-core python3-pyatspi dbus
             librsvg2-bin locales
             "${web_packages[@]}" chromium chromium-driver python3-selenium)
elif [ "${1:-}" = "--web" ]; then
  packages+=("${web_packages[@]}")
elif [ $# -gt 0 ]; then
  echo "usage: scripts/setup.sh [--ci | --web]" >&2
  exit 2
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if ! command -v apt-get >/dev/null; then
  echo "setup.sh: these packages are missing: ${missing[*]}" >&2
  echo "setup.sh: apt-get was not found; install them with your system's package manager." >&2
  exit 1
fi

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null; then
    cat >&2 <<MSG
setup.sh: these packages are missing: ${missing[*]}
setup.sh: installing them needs root, and sudo is not installed. Either
  - run this once as root, then your command again as yourself:
      su -c '$(realpath "$0")${1:+ $1}'
  - or install sudo (as root: apt-get install sudo; adduser $(id -un) sudo; then log in again),
  - or install the packages yourself as root:
      apt-get install --no-install-recommends ${missing[*]}
MSG
    exit 1
  fi
  as_root=(sudo)
fi

log=$(mktemp "${TMPDIR:-/tmp}/bezierlab-setup.XXXXXX.log")
# step DESCRIPTION COMMAND...: one line for the step; its output goes to the log.
step() {
  echo "setup.sh: $1"
  shift
  echo "+ $*" >>"$log"
  if ! "$@" >>"$log" 2>&1; then
    echo "setup.sh: failed: $*" >&2
    echo "setup.sh: the last lines of $log:" >&2
    tail -n 20 "$log" | sed 's/^/    /' >&2
    exit 1
  fi
}

# "1 package", "3 packages".
packages() { if [ "$1" -eq 1 ]; then echo "1 package"; else echo "$1 packages"; fi; }

# The frontend setting keeps debconf from asking or warning; sudo would drop it
# from the environment, so env passes it on.
apt=("${as_root[@]}" env DEBIAN_FRONTEND=noninteractive DEBCONF_NOWARNINGS=yes apt-get)
echo "setup.sh: $(packages ${#missing[@]}) missing: ${missing[*]}"
echo "setup.sh: apt's output goes to $log"
step "updating the package lists (apt-get update)" "${apt[@]}" update
# A dry run (no root needed) counts what the installation brings along.
what="installing them with what they need"
if simulation=$(apt-get install -s --no-install-recommends "${missing[@]}" 2>>"$log"); then
  what+=": $(packages "$(grep -c '^Inst ' <<<"$simulation" || true)") in all"
fi
step "${what} (apt-get install; may take minutes)" \
  "${apt[@]}" install -y --no-install-recommends "${missing[@]}"
echo "setup.sh: done"
