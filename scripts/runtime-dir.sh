# Sourced by the scripts that start Qt programs (the build runs the tests to
# list them). Qt keeps per-user run-time files in XDG_RUNTIME_DIR and warns
# when it is unset, as under su -, sudo, cron and in containers. Then a private
# folder is made for it: owned by this user, mode 0700, as Qt requires.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  XDG_RUNTIME_DIR="${TMPDIR:-/tmp}/bezierlab-runtime-$(id -u)"
  mkdir -m 0700 "$XDG_RUNTIME_DIR" 2>/dev/null || true
  # Someone else's folder, a link or a wider mode would not do: take a new one.
  if [ -L "$XDG_RUNTIME_DIR" ] || [ ! -d "$XDG_RUNTIME_DIR" ] ||
    [ "$(stat -c '%u %a' "$XDG_RUNTIME_DIR")" != "$(id -u) 700" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d)
  fi
  export XDG_RUNTIME_DIR
fi
