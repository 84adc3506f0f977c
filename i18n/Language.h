#pragma once

// Which language the programs speak. Japanese is the program's own language
// and the source of every text; English is the one translation. The choice
// follows the locale variables the way gettext reads them, from the variables
// themselves (a system may lack the named locale and still ask for English),
// and a program's --language option overrides it for one run.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace i18n {

enum class Language { Japanese, English };

// "ja" or "en", as --language takes them, and the name of each.
std::optional<Language> LanguageNamed(std::string_view name);
std::string_view NameOf(Language language);

// The language the locale variables ask for (nullptr or "" for an unset
// variable). The first of LC_ALL, LC_MESSAGES and LANG that is set names the
// locale; under C, POSIX, C.<codeset> or none the texts are Japanese and
// LANGUAGE is ignored. Otherwise the first language LANGUAGE names, or else
// the locale's, decides: Japanese for "ja", English for any other.
Language LanguageOfLocale(const char* lcAll, const char* lcMessages, const char* lang,
                          const char* language);

// The same, read from this process's environment.
Language LanguageOfEnvironment();

// The language a browser's preferred languages ask for: `tags` as the page
// reads them (its languages in order, joined by commas, as "en-US,ja"). The
// first language named decides, as in LANGUAGE: Japanese for "ja" or "ja-*",
// English for any other; none at all is Japanese.
Language LanguageOfBrowser(std::string_view tags);

// The value of the last --language option before "--" in `arguments`
// ("--language en" or "--language=en"), if there is one; the program name
// may come first.
std::optional<std::string> LanguageOption(const std::vector<std::string>& arguments);

// The language every text of this process is written in; Japanese until set.
void SetLanguage(Language language);
Language CurrentLanguage();

// Sets the language of this run: the --language option's when it names one,
// else the environment's. When the option names no language, returns the
// message that says so, in the environment's language.
std::optional<std::string> StartLanguage(const std::vector<std::string>& arguments);

}  // namespace i18n
