#!/usr/bin/env bash
# Installs what is missing, builds and opens the window.
#
# The window needs a display. When none is set (DISPLAY, WAYLAND_DISPLAY and
# QT_QPA_PLATFORM all unset or empty) it still installs and builds, so that the
# program is ready, then says how to run it anyway and exits 1 without starting
# it: started, it would only abort inside Qt.
set -euo pipefail
cd "$(dirname "$0")/.."

display=yes
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  display=no
  echo "run.sh: no display found; building anyway, the window will not be opened." >&2
fi

scripts/build.sh

if [ "$display" = no ]; then
  cat >&2 <<'MSG'
run.sh: no display found: DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM are all unset,
so the window cannot be opened here. The program is built (build/app/bezierlab).
To run it anyway, on a virtual X display:
    apt-get install xvfb      (as root, or with sudo)
    xvfb-run scripts/run.sh
or run scripts/run.sh from a desktop session, or over ssh -X.
MSG
  exit 1
fi
exec build/app/bezierlab
