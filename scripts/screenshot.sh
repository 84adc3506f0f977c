#!/usr/bin/env bash
# Renders the start window from the real widget on Qt's offscreen platform
# into docs/screenshot.png (the picture in the README), and the same window in
# English into docs/screenshot-en.png.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/runtime-dir.sh
scripts/build.sh
QT_QPA_PLATFORM=offscreen build/tools/screenshot --language ja docs/screenshot.png
QT_QPA_PLATFORM=offscreen build/tools/screenshot --language en docs/screenshot-en.png
echo "wrote docs/screenshot.png and docs/screenshot-en.png"
