# Sourced by the scripts that start X servers, compositors and programs of
# their own: a private $work folder with XDG_RUNTIME_DIR in it, and on exit the
# processes listed in $started stopped, last started first, and $work removed.
work=$(mktemp -d)
started=()
cleanup() {
  local i pid
  for ((i = ${#started[@]} - 1; i >= 0; i--)); do
    pid=${started[i]}
    if kill -0 "$pid" 2>/dev/null; then
      kill "$pid" 2>/dev/null || true
      wait "$pid" 2>/dev/null || true
    fi
  done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
