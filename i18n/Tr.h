#pragma once

// Every text a user reads goes through Tr: the text is written in Japanese
// where it is used, and Tr gives it in the language of this run (Language.h)
// from the one catalogue of the program (po/en.po, compiled into this
// library). A text defined apart from where it is shown (a table, a constant)
// is marked with Mark, so that xgettext finds it, and passed through Tr where
// it is shown. Numbers are never part of a translated text: a pattern takes
// them as %1, %2, ..., filled in by Format, so they read the same in every
// language.

#include <initializer_list>
#include <string>
#include <string_view>

#include "Language.h"

namespace i18n {

// `japanese` in the language of this run: itself in Japanese, and also when
// the catalogue lacks it (a test checks that it lacks none).
const char* Tr(const char* japanese);

// Marks a text for the catalogue without translating it.
constexpr const char* Mark(const char* japanese) { return japanese; }

// `pattern` with each %1 ... %9 replaced by the argument of that number.
std::string Format(std::string_view pattern, std::initializer_list<std::string_view> arguments);

}  // namespace i18n
