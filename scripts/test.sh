#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite. The window
# tests run on Qt's offscreen platform, so no display is needed.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/runtime-dir.sh
scripts/build.sh
ctest --test-dir build --output-on-failure
