#!/usr/bin/env bash
# scripts/readme-check.sh on a README of its own: a console line whose output
# is the one shown passes, and one whose output is shown too but whose piped
# tool exits 1 (as a failing tool before "| tail -1") fails the whole check.
set -uo pipefail
check="$(cd "$(dirname "$0")/.." && pwd)/scripts/readme-check.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/README.md" <<'README'
```console
$ printf 'shown\n'
shown
$ sh -c 'echo last; exit 1' | tail -1
last
```
README

status=0
"$check" "$work/README.md" >"$work/out" 2>&1 || status=$?
fail() { echo "readme-check test: $1"; sed 's/^/  /' "$work/out"; exit 1; }
[ "$status" -eq 1 ] || fail "exit status $status, not 1"
grep -q "^ok .*printf 'shown" "$work/out" || fail "the line that prints what is shown did not pass"
grep -q "^FAIL .*| tail -1 (exit status 1)" "$work/out" || fail "the failing pipe did not fail"
grep -q "1 passed, 1 failed" "$work/out" || fail "not one passed and one failed"
echo "readme-check test: a failing piped tool fails the check"
