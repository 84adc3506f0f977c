#!/usr/bin/env bash
# Brings the catalogues up to date with the sources: extracts every marked
# Japanese text into po/bezierlab.pot and merges it into po/en.po, where new
# texts then wait (empty) for their English. The catalogue test fails until
# each has one.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
source "$top/scripts/po-sources.sh"
po_extract "$top" "$top/po/bezierlab.pot"
msgmerge --quiet --update --backup=none --no-fuzzy-matching "$top/po/en.po" "$top/po/bezierlab.pot"
msgattrib --no-obsolete --output-file="$top/po/en.po" "$top/po/en.po"
msgfmt --check --statistics --output-file=/dev/null "$top/po/en.po"
