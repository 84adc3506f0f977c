#!/usr/bin/env bash
# Installs what building and testing bezierlab needs on Debian or Ubuntu and is
# not there yet: compiler, CMake, Ninja, Qt 6 Widgets and SVG, XKB, Boost.Math,
# GoogleTest, Google Benchmark, a Japanese font and Qt's Japanese translations
# (the file dialogs' own texts). With --ci also what the CI
# checks use: clang with libFuzzer, clang-tidy, clang-format, the Debian
# packaging tools, the AppStream, desktop-entry and XML validators, the MIME
# database tools, an X server
# without a screen (Xvfb) with the tools that drive it, and hyperfine.
#
# When nothing is missing it changes nothing and needs no root. Otherwise it
# runs apt-get as root: directly when run as root, else through sudo.
set -euo pipefail

packages=(g++ cmake ninja-build qt6-base-dev qt6-svg-dev libxkbcommon-dev libboost-math-dev
          libgtest-dev libgmock-dev libbenchmark-dev fonts-ipafont-gothic qt6-translations-l10n)
if [ "${1:-}" = "--ci" ]; then
  packages+=(clang libclang-rt-14-dev clang-tidy clang-format dpkg-dev
             appstream desktop-file-utils libxml2-utils shared-mime-info
             xvfb xdotool xclip imagemagick x11-utils hyperfine)
elif [ $# -gt 0 ]; then
  echo "usage: scripts/setup.sh [--ci]" >&2
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
    cat >&2 <<EOF
setup.sh: these packages are missing: ${missing[*]}
setup.sh: installing them needs root, and sudo is not installed. Either
  - run this once as root, then your command again as yourself:
      su -c '$(realpath "$0")${1:+ $1}'
  - or install sudo (as root: apt-get install sudo; adduser $(id -un) sudo; then log in again),
  - or install the packages yourself as root:
      apt-get install --no-install-recommends ${missing[*]}
EOF
    exit 1
  fi
  # sudo drops most of the environment; env passes the frontend setting on.
  as_root=(sudo)
fi

echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
  "${missing[@]}"
