#!/usr/bin/env bash
# Fails when a text marked for translation in the sources has no English
# entry in po/en.po (missing, empty or fuzzy), when en.po does not compile,
# or when a string literal in Japanese is not marked at all (it would stay
# Japanese in English).
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
source "$top/scripts/po-sources.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
po_extract "$top" "$work/marked.pot" 2>/dev/null
msgfmt --check --output-file=/dev/null "$top/po/en.po"
msgcmp --no-fuzzy-matching "$top/po/en.po" "$work/marked.pot"

(cd "$top" && po_sources . | xargs xgettext --from-code=UTF-8 --language=C++ --extract-all \
  --no-location --output="$work/all.pot" 2>/dev/null)
msgcomm --less-than=2 --no-location --output-file="$work/unmarked.po" \
  "$work/all.pot" "$work/marked.pot" 2>/dev/null
if [ -f "$work/unmarked.po" ] &&
   grep -v '^#' "$work/unmarked.po" | grep -q -P '[\x{3000}-\x{30ff}\x{4e00}-\x{9fff}\x{ff00}-\x{ffef}]'; then
  echo "po-check: Japanese texts not marked with Tr or Mark:" >&2
  grep -v '^#' "$work/unmarked.po" | grep -P '[\x{3000}-\x{30ff}\x{4e00}-\x{9fff}\x{ff00}-\x{ffef}]' >&2
  exit 1
fi
echo "po-check: every Japanese text is marked and has its English entry"
