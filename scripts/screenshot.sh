#!/usr/bin/env bash
# Renders the start window from the real widget on Qt's offscreen platform
# into docs/screenshot.png (the picture in the README).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/runtime-dir.sh
scripts/build.sh
QT_QPA_PLATFORM=offscreen build/tools/screenshot docs/screenshot.png
echo "wrote docs/screenshot.png"
