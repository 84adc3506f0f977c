#!/usr/bin/env bash
# Installs what is missing, builds and opens the window.
#
# Set-up comes first, so that a missing package and no way to become root is
# the first and only thing said. The window needs a display; when there is
# none (DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM all unset or empty) it
# still builds, so that the programs are ready, then says what works without a
# display and exits 1 without starting the window.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/runtime-dir.sh

scripts/setup.sh

display=yes
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  display=no
  echo "run.sh: there is no display here; building, then saying what works without one." >&2
fi

scripts/build.sh

if [ "$display" = no ]; then
  cat >&2 <<'MSG'
run.sh: the window needs a display, and there is none here (DISPLAY and
WAYLAND_DISPLAY are unset), so it was not opened. Everything is built.

Without a display you can still (from the top of the repository)
  - write the report, and the drawing area as a picture:
      build/cli/bezierlab-report --png curve.png
  - render the whole window, in any state, to a picture:
      QT_QPA_PLATFORM=offscreen build/tools/screenshot window.png
  (both are described in README.md).

To run the window itself here, xvfb-run starts an X server of its own that
draws into memory and shows nothing anywhere, and opens the window there:
nobody can see or use it, so it is for scripts that drive it, not for you.
It runs until the window is closed; stop it with Ctrl+C.
      apt-get install xvfb        (as root)
      xvfb-run scripts/run.sh
To see the window, run scripts/run.sh in a desktop session, or over ssh -X.
MSG
  exit 1
fi
exec build/app/bezierlab
