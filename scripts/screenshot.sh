#!/usr/bin/env bash
# Renders the start window from the real widget on Qt's offscreen platform
# into docs/screenshot.png (the picture in the README), and the same window in
# English into docs/screenshot-en.png, and the offset window (F3) of the
# two-cusp curve into docs/offset-window.png.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/runtime-dir.sh
scripts/build.sh
QT_QPA_PLATFORM=offscreen build/tools/screenshot --language ja docs/screenshot.png
QT_QPA_PLATFORM=offscreen build/tools/screenshot --language en docs/screenshot-en.png
QT_QPA_PLATFORM=offscreen build/tools/screenshot --language ja \
  --points 50,150,150,150,150,50,50,50 --distance 50 --offsets docs/offset-window.png
echo "wrote docs/screenshot.png, docs/screenshot-en.png and docs/offset-window.png"
