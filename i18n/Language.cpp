#include "Language.h"

#include <atomic>
#include <cstdlib>

#include "Tr.h"

namespace i18n {

namespace {

std::atomic<Language> current{Language::Japanese};

bool Set(const char* variable) { return variable != nullptr && *variable != '\0'; }

// Japanese when the language of `name`, up to the first of `ends`, is "ja"
// ("ja_JP.UTF-8" and "ja@..." in a locale, "ja-JP" in a browser's list).
Language OfName(std::string_view name, std::string_view ends) {
  const std::size_t end = name.find_first_of(ends);
  return name.substr(0, end) == "ja" ? Language::Japanese : Language::English;
}

// The first entry of a list like "de:en" that is not empty ("" when none is).
std::string_view FirstNamed(std::string_view list, char separator) {
  while (!list.empty() && list.front() == separator) list.remove_prefix(1);
  return list.substr(0, list.find(separator));
}

constexpr std::string_view kLocaleEnds = "_.@";

}  // namespace

std::optional<Language> LanguageNamed(std::string_view name) {
  if (name == "ja") return Language::Japanese;
  if (name == "en") return Language::English;
  return std::nullopt;
}

std::string_view NameOf(Language language) { return language == Language::Japanese ? "ja" : "en"; }

Language LanguageOfLocale(const char* lcAll, const char* lcMessages, const char* lang,
                          const char* language) {
  const char* locale = Set(lcAll) ? lcAll : Set(lcMessages) ? lcMessages : Set(lang) ? lang : "";
  const std::string_view name = locale;
  if (name.empty() || name == "C" || name == "POSIX" || name.starts_with("C.")) {
    return Language::Japanese;
  }
  // A list like "de:en": the first entry named decides.
  const std::string_view first = FirstNamed(Set(language) ? language : "", ':');
  return OfName(first.empty() ? name : first, kLocaleEnds);
}

Language LanguageOfEnvironment() {
  return LanguageOfLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"),
                          std::getenv("LANGUAGE"));
}

Language LanguageOfBrowser(std::string_view tags) {
  const std::string_view first = FirstNamed(tags, ',');
  return first.empty() ? Language::Japanese : OfName(first, "-");
}

std::optional<std::string> LanguageOption(const std::vector<std::string>& arguments) {
  std::optional<std::string> value;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view a = arguments[i];
    if (a == "--") break;
    if (a == "--language" && i + 1 < arguments.size()) {
      value = arguments[++i];
    } else if (a.starts_with("--language=")) {
      value = std::string(a.substr(std::string_view("--language=").size()));
    }
  }
  return value;
}

void SetLanguage(Language language) { current = language; }

Language CurrentLanguage() { return current; }

std::optional<std::string> StartLanguage(const std::vector<std::string>& arguments) {
  SetLanguage(LanguageOfEnvironment());
  const std::optional<std::string> option = LanguageOption(arguments);
  if (!option) return std::nullopt;
  const std::optional<Language> named = LanguageNamed(*option);
  if (!named) return Format(Tr("--language は ja か en です（「%1」）"), {*option});
  SetLanguage(*named);
  return std::nullopt;
}

}  // namespace i18n
