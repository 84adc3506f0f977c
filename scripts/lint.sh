#!/usr/bin/env bash
# clang-format and clang-tidy (with the checked-in .clang-format and
# .clang-tidy) over every C++ file of the project; fails on any finding.
# Needs a configured build tree for the compile commands (scripts/build.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t sources < <(git ls-files '*.cpp' '*.h')
clang-format --dry-run --Werror "${sources[@]}"
echo "clang-format: ${#sources[@]} files clean"

[ -f build/compile_commands.json ] || scripts/build.sh
run-clang-tidy -quiet -p build "$PWD/(geometry|files|i18n|drawing|scene|surface|state|editor|app|cli|tools|tests|bench)/[^/]*\.cpp$" \
  > build/clang-tidy.log 2>&1 || { grep -E '(warning|error):' build/clang-tidy.log; exit 1; }
if grep -q -E '(warning|error):' build/clang-tidy.log; then
  grep -E '(warning|error):' build/clang-tidy.log
  exit 1
fi
echo "clang-tidy: clean"
