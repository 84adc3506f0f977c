#include "Language.h"

#include <atomic>
#include <cstdlib>

#include "Tr.h"

namespace i18n {

namespace {

std::atomic<Language> current{Language::Japanese};

bool Set(const char* variable) { return variable != nullptr && *variable != '\0'; }

// "ja", "ja_JP", "ja_JP.UTF-8", "ja@..." are Japanese; any other language is not.
Language OfName(std::string_view name) {
  const std::size_t end = name.find_first_of("_.@");
  return name.substr(0, end) == "ja" ? Language::Japanese : Language::English;
}

}  // namespace

std::optional<Language> LanguageNamed(std::string_view name) {
  if (name == "ja") return Language::Japanese;
  if (name == "en") return Language::English;
  return std::nullopt;
}

Language LanguageOfLocale(const char* lcAll, const char* lcMessages, const char* lang,
                          const char* language) {
  const char* locale = Set(lcAll) ? lcAll : Set(lcMessages) ? lcMessages : Set(lang) ? lang : "";
  const std::string_view name = locale;
  if (name.empty() || name == "C" || name == "POSIX" || name.starts_with("C.")) {
    return Language::Japanese;
  }
  if (Set(language)) {
    // A list like "de:en": the first entry named decides.
    std::string_view list = language;
    while (!list.empty() && list.front() == ':') list.remove_prefix(1);
    if (!list.empty()) return OfName(list.substr(0, list.find(':')));
  }
  return OfName(name);
}

Language LanguageOfEnvironment() {
  return LanguageOfLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"),
                          std::getenv("LANGUAGE"));
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
