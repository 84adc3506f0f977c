#include "Tr.h"

#include "Catalogue.h"

namespace i18n {

// The compiled English catalogue (generated from po/en.po at build time).
extern const unsigned char kEnglishCatalogue[];
extern const std::size_t kEnglishCatalogueSize;

const char* Tr(const char* japanese) {
  if (CurrentLanguage() == Language::Japanese) return japanese;
  static const Catalogue english({kEnglishCatalogue, kEnglishCatalogueSize});
  const char* found = english.Find(japanese);
  return found != nullptr ? found : japanese;
}

std::string Format(std::string_view pattern, std::initializer_list<std::string_view> arguments) {
  std::string text;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
    const auto index = static_cast<std::size_t>(next - '1');
    if (pattern[i] == '%' && next >= '1' && next <= '9' && index < arguments.size()) {
      text += *(arguments.begin() + index);
      ++i;
    } else {
      text += pattern[i];
    }
  }
  return text;
}

}  // namespace i18n
