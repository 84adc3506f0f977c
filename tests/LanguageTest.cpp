// The language of a run, chosen from the locale variables and --language;
// the catalogue reader on good and broken catalogues; and the core's texts in
// English with the Japanese numbers.

#include <gtest/gtest.h>

#include <cstdint>
#include <regex>
#include <string>
#include <vector>

#include "AnalysisText.h"
#include "Catalogue.h"
#include "Language.h"
#include "Report.h"
#include "Tr.h"

namespace {

using i18n::Language;

// Sets the language for one test and puts Japanese back after it.
struct InLanguage {
  explicit InLanguage(Language language) { i18n::SetLanguage(language); }
  ~InLanguage() { i18n::SetLanguage(Language::Japanese); }
};

TEST(Language, FollowsTheLocaleVariablesAsGettextReadsThem) {
  struct Case {
    const char *lcAll, *lcMessages, *lang, *language;
    Language expected;
  };
  const Case cases[] = {
      {nullptr, nullptr, nullptr, nullptr, Language::Japanese},
      {nullptr, nullptr, "C.UTF-8", nullptr, Language::Japanese},
      {nullptr, nullptr, "ja_JP.UTF-8", nullptr, Language::Japanese},
      {nullptr, nullptr, "en_US.UTF-8", nullptr, Language::English},
      {nullptr, nullptr, "de_DE.UTF-8", nullptr, Language::English},
      {"en_GB.UTF-8", nullptr, "ja_JP.UTF-8", nullptr, Language::English},
      {"", "en_US.UTF-8", "ja_JP.UTF-8", nullptr, Language::English},
      // Under C, POSIX or C.<codeset> LANGUAGE is ignored, as the scripts rely on.
      {"C.UTF-8", nullptr, "en_US.UTF-8", "en", Language::Japanese},
      {"POSIX", nullptr, nullptr, "en", Language::Japanese},
      {"C", nullptr, "en_US.UTF-8", nullptr, Language::Japanese},
      // Otherwise the first language LANGUAGE names decides.
      {nullptr, nullptr, "en_US.UTF-8", "ja:en", Language::Japanese},
      {nullptr, nullptr, "ja_JP.UTF-8", "de:ja", Language::English},
      {nullptr, nullptr, "ja_JP.UTF-8", ":en_GB", Language::English},
      {nullptr, nullptr, "en_US.UTF-8", "", Language::English},
      {nullptr, nullptr, "jam_JM", nullptr, Language::English},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(i18n::LanguageOfLocale(c.lcAll, c.lcMessages, c.lang, c.language), c.expected)
        << (c.lcAll ? c.lcAll : "-") << " " << (c.lcMessages ? c.lcMessages : "-") << " "
        << (c.lang ? c.lang : "-") << " " << (c.language ? c.language : "-");
  }
}

TEST(Language, TheBrowsersFirstLanguageDecides) {
  EXPECT_EQ(i18n::LanguageOfBrowser("ja-JP,en-US"), Language::Japanese);
  EXPECT_EQ(i18n::LanguageOfBrowser("ja"), Language::Japanese);
  EXPECT_EQ(i18n::LanguageOfBrowser("en-US,ja"), Language::English);
  EXPECT_EQ(i18n::LanguageOfBrowser("de,ja-JP"), Language::English);
  EXPECT_EQ(i18n::LanguageOfBrowser("jv-ID"), Language::English);  // not "ja-*"
  EXPECT_EQ(i18n::LanguageOfBrowser("jam,ja"), Language::English);
  // No language named at all: the program's own.
  EXPECT_EQ(i18n::LanguageOfBrowser(""), Language::Japanese);
  EXPECT_EQ(i18n::LanguageOfBrowser(",en"), Language::English);
}

TEST(Language, TheOptionOverridesUntilDoubleDash) {
  using Args = std::vector<std::string>;
  EXPECT_EQ(i18n::LanguageOption({"tool", "--language", "en", "--json"}), "en");
  EXPECT_EQ(i18n::LanguageOption({"tool", "--language=ja"}), "ja");
  EXPECT_EQ(i18n::LanguageOption({"tool", "--", "--language", "en"}), std::nullopt);
  EXPECT_EQ(i18n::LanguageOption({"tool", "--language"}), std::nullopt);
  ASSERT_TRUE(i18n::StartLanguage(Args{"tool", "--language", "fr"}).has_value());
  EXPECT_EQ(i18n::StartLanguage(Args{"tool", "--language", "en"}), std::nullopt);
  EXPECT_EQ(i18n::CurrentLanguage(), Language::English);
  EXPECT_EQ(i18n::StartLanguage(Args{"tool", "--language=ja"}), std::nullopt);
  EXPECT_EQ(i18n::CurrentLanguage(), Language::Japanese);
}

// A catalogue in the .mo layout with the given (msgid, translation) pairs,
// written in little- or big-endian words.
std::vector<unsigned char> MakeCatalogue(
    const std::vector<std::pair<std::string, std::string>>& entries, bool bigEndian) {
  std::vector<unsigned char> bytes;
  const auto word = [&](std::uint32_t w) {
    for (int k = 0; k < 4; ++k) {
      bytes.push_back(static_cast<unsigned char>(w >> (8 * (bigEndian ? 3 - k : k))));
    }
  };
  const auto n = static_cast<std::uint32_t>(entries.size());
  const std::uint32_t msgids = 28;
  const std::uint32_t translations = msgids + 8 * n;
  std::uint32_t strings = translations + 8 * n;
  word(0x950412de);
  word(0);
  word(n);
  word(msgids);
  word(translations);
  word(0);
  word(0);
  std::string pool;
  for (int table = 0; table < 2; ++table) {
    for (const auto& [msgid, translation] : entries) {
      const std::string& s = table == 0 ? msgid : translation;
      word(static_cast<std::uint32_t>(s.size()));
      word(strings + static_cast<std::uint32_t>(pool.size()));
      pool += s;
      pool += '\0';
    }
  }
  bytes.insert(bytes.end(), pool.begin(), pool.end());
  return bytes;
}

TEST(Catalogue, ReadsEitherByteOrderAndRefusesBrokenOnesWhole) {
  for (const bool big : {false, true}) {
    const auto bytes = MakeCatalogue({{"", "header"}, {"長さ", "length"}, {"点", "point"}}, big);
    const i18n::Catalogue catalogue(bytes);
    EXPECT_EQ(catalogue.size(), 2u);
    EXPECT_STREQ(catalogue.Find("長さ"), "length");
    EXPECT_STREQ(catalogue.Find("点"), "point");
    EXPECT_EQ(catalogue.Find("なし"), nullptr);
  }
  auto bytes = MakeCatalogue({{"長さ", "length"}}, false);
  // Cut off anywhere, or with a string no longer ending in its NUL byte, the
  // catalogue reads as empty, without reading past its end.
  for (std::size_t size = 0; size < bytes.size(); ++size) {
    const i18n::Catalogue cut(std::span(bytes.data(), size));
    EXPECT_EQ(cut.size(), 0u) << size;
  }
  bytes.back() = 'x';
  EXPECT_EQ(i18n::Catalogue(bytes).size(), 0u);
  bytes = MakeCatalogue({{"長さ", "length"}}, false);
  bytes[32] = 0xff;  // the msgid's offset far past the end
  EXPECT_EQ(i18n::Catalogue(bytes).size(), 0u);
}

TEST(Catalogue, FormatFillsNumberedPlacesOnly) {
  EXPECT_EQ(i18n::Format("%2 of %1 (100%)", {"501", "7"}), "7 of 501 (100%)");
  EXPECT_EQ(i18n::Format("%1%、%3", {"0.5"}), "0.5%、%3");
}

// The numbers of a line, in order.
std::vector<std::string> Numbers(const std::string& line) {
  static const std::regex number("-?[0-9]+(\\.[0-9]+)?");
  std::vector<std::string> found;
  for (auto it = std::sregex_iterator(line.begin(), line.end(), number);
       it != std::sregex_iterator(); ++it) {
    found.push_back(it->str());
  }
  return found;
}

// The core speaks English with the same numbers, the same " = " before each
// figure and the same lines; ASCII lines stay as they are.
TEST(Catalogue, TheCoreTextsInEnglishKeepTheirFigures) {
  geometry::Analysis analysis;
  analysis.referenceLength = 382.84211;
  analysis.sums.push_back({10000, 10000, 382.84210, -0.00001, -2.6e-8});
  analysis.approximateDeviation = geometry::Deviation{15, 0.5};
  analysis.zeroTangent = {0.25};
  const std::vector<std::string> japanese = scene::AnalysisLines(analysis);
  const std::string jaLength = scene::CurveLengthLine(10000, 382.84211);
  {
    const InLanguage english(Language::English);
    EXPECT_EQ(scene::CurveLengthLine(10000, 382.84211), "Length(10000 div.) = 382.8421\r\n");
    EXPECT_EQ(scene::TotalLine(300), "Total Length = 300\r\n\r\n");
    const std::vector<std::string> lines = scene::AnalysisLines(analysis);
    ASSERT_EQ(lines.size(), japanese.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
      EXPECT_NE(lines[i].find(" = "), std::string::npos) << lines[i];
      EXPECT_EQ(Numbers(lines[i]), Numbers(japanese[i])) << lines[i];
      for (const unsigned char c : lines[i]) {
        // No lead byte of a kana, a kanji or a full-width form.
        EXPECT_TRUE((c < 0xE3 || c > 0xE9) && c != 0xEF) << lines[i];
      }
    }
  }
  EXPECT_EQ(scene::CurveLengthLine(10000, 382.84211), jaLength);
  EXPECT_EQ(jaLength, "Length(10000分割) = 382.8421\r\n");
}

}  // namespace
