# Sourced by the catalogue scripts: the sources whose texts a user reads, and
# how xgettext finds them (Tr translates where a text is shown, Mark marks one
# defined apart). The tests, benchmarks and fuzz targets show a user nothing.
po_sources() {
  git -C "$1" ls-files '*.cpp' '*.h' | grep -v -E '^(tests|bench|fuzz)/'
}
po_extract() {  # po_extract TOP OUTPUT.pot
  (cd "$1" && po_sources . | xargs xgettext --from-code=UTF-8 --language=C++ \
    --keyword=Tr --keyword=Mark --add-comments=TRANSLATORS: --sort-by-file \
    --package-name=bezierlab --msgid-bugs-address= --output="$2")
}
