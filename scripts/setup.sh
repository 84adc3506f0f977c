#!/usr/bin/env bash
# Installs what building and testing bezierlab needs on Debian or Ubuntu and is
# not there yet: compiler, CMake, Ninja, Qt 6 Widgets, GoogleTest, Google
# Benchmark and a Japanese font. With --ci also what the CI checks use: clang
# with libFuzzer, clang-tidy, clang-format and the Debian packaging tools.
# Uses sudo when not run as root.
set -euo pipefail

packages=(g++ cmake ninja-build qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev
          fonts-ipafont-gothic)
if [ "${1:-}" = "--ci" ]; then
  packages+=(clang libclang-rt-14-dev clang-tidy clang-format dpkg-dev)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends \
  "${missing[@]}"
