#!/usr/bin/env bash
# Checks that the README's examples print what it shows: every "$ " line of
# its ```console blocks runs from the top of the repository (a line ending in
# | or \ continues on the next one), and what it writes to standard output and
# standard error must equal the lines shown under it, up to the next "$ " line
# or the end of the block. A command that exits with a non-zero status fails
# too, and so does a pipeline in which any command fails (pipefail: a failing
# tool before "| tail -1" is not hidden). Prints a diff for each failure;
# exits 1 when any failed.
#
# The commands run as written, with the PATH as it is: the README speaks of
# the installed programs (scripts/package-check.sh installs them).
#
# Usage: scripts/readme-check.sh [FILE]     (default README.md)
set -euo pipefail
readme=$(realpath "${1:-$(dirname "$0")/../README.md}")
cd "$(dirname "$0")/.."
export LC_ALL=C.UTF-8

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0
command=""   # the command being collected, "" between commands
number=0     # README line of its "$ "

# Runs the collected command and compares its output with the lines shown.
check() {
  [ -n "$command" ] || return 0
  local status=0
  bash -o pipefail -c "$command" </dev/null >"$work/actual" 2>&1 || status=$?
  local first=${command%%$'\n'*}
  if [ "$status" -eq 0 ] && cmp -s "$work/expected" "$work/actual"; then
    echo "ok    $readme:$number: $first"
    passed=$((passed + 1))
  else
    echo "FAIL  $readme:$number: $first (exit status $status)"
    diff -u --label "shown in $readme" --label "printed" "$work/expected" "$work/actual" |
      sed 's/^/      /' || true
    failed=$((failed + 1))
  fi
  command=""
}

in_block=no
continues=no
line_number=0
while IFS= read -r line || [ -n "$line" ]; do
  line_number=$((line_number + 1))
  if [ "$in_block" = no ]; then
    [ "$line" = '```console' ] && in_block=yes
    continue
  fi
  if [ "$continues" = yes ]; then
    command+=$'\n'"$line"
  elif [ "$line" = '```' ]; then
    check
    in_block=no
    continue
  elif [[ $line == '$ '* ]]; then
    check
    command=${line#'$ '}
    number=$line_number
    : >"$work/expected"
  else
    [ -z "$command" ] || printf '%s\n' "$line" >>"$work/expected"
    continue
  fi
  if [[ $line == *'|' || $line == *'\' ]]; then continues=yes; else continues=no; fi
done <"$readme"
[ "$in_block" = no ] || check

echo "readme-check: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
