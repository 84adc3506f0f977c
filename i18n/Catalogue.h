#pragma once

// A compiled GNU gettext catalogue (.mo) read without the C library's
// gettext: the header, then two tables of (length, offset) pairs for the
// source texts (msgid) and the translated strings, each string ending in a NUL byte. Read
// in either byte order; a catalogue that is not well formed reads as empty.
// Plural forms and contexts are not used by this program and are not looked
// up.

#include <cstdint>
#include <span>
#include <string_view>
#include <unordered_map>

namespace i18n {

class Catalogue {
 public:
  // `bytes` must outlive the catalogue: the strings are not copied.
  explicit Catalogue(std::span<const unsigned char> bytes);

  // The translation of the source text `msgid`, or nullptr when the
  // catalogue has none.
  const char* Find(std::string_view msgid) const;
  std::size_t size() const { return translations_.size(); }

 private:
  std::unordered_map<std::string_view, const char*> translations_;
};

}  // namespace i18n
