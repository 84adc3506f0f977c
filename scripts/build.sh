#!/usr/bin/env bash
# Installs what is missing and builds into build/ (Release).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/runtime-dir.sh
scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build
