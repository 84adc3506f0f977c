// The Qt-free JSON writer against QJsonDocument: the same bytes, compact and
// indented, for numbers of every kind, strings with escapes and nesting.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <random>

#include "JsonText.h"

namespace {

// A random double: whole or not, tiny or huge, from random bits too, and
// powers of two, where the gap below a double is half the gap above and the
// closest rounding to fewer digits may not read back while its neighbour does.
double RandomNumber(std::mt19937_64& rng) {
  switch (rng() % 6) {
    case 0:
      return static_cast<double>(static_cast<std::int64_t>(rng()) >> (rng() % 64));
    case 1:
      return std::ldexp(static_cast<double>(rng() % 100000), static_cast<int>(rng() % 200) - 100);
    case 2:
      return static_cast<double>(static_cast<float>(static_cast<double>(rng() % 100000) / 1000));
    case 3: {
      const std::uint64_t bits = rng();
      double d = 0;
      static_assert(sizeof d == sizeof bits);
      std::memcpy(&d, &bits, sizeof d);
      return std::isfinite(d) ? d : 1.5;
    }
    case 4:
      return std::ldexp((rng() % 2) ? 1.0 : -1.0, static_cast<int>(rng() % 2097) - 1073);
    default:
      return std::pow(10.0, static_cast<int>(rng() % 50) - 25) * ((rng() % 2) ? 1 : -1);
  }
}

TEST(JsonText, WritesNumbersAsQJsonDocumentDoes) {
  std::mt19937_64 rng(20);
  for (double edge :
       {9007199254740992.0, 9007199254740994.0, -9007199254740992.0, -9007199254740994.0, 100000.0,
        1e-4, 1e-3, -0.0, 5e-324, 1e21, std::ldexp(1.0, -44)}) {
    ASSERT_EQ(state::JsonText(nlohmann::json::array({edge}), state::JsonFormat::kCompact),
              QJsonDocument(QJsonArray{edge}).toJson(QJsonDocument::Compact).toStdString());
  }
  for (int round = 0; round < 2000; ++round) {
    QJsonArray qt;
    nlohmann::json ours = nlohmann::json::array();
    for (int i = 0; i < 20; ++i) {
      const double d = RandomNumber(rng);
      qt.append(d);
      ours.push_back(d);
    }
    ASSERT_EQ(state::JsonText(ours, state::JsonFormat::kCompact),
              QJsonDocument(qt).toJson(QJsonDocument::Compact).toStdString());
  }
}

// The shortest forms against the standard library's (which the WebAssembly
// build lacks), for doubles and floats.
TEST(JsonText, ShortestFormsAreStdToCharsOnes) {
  std::mt19937_64 rng(21);
  for (int i = 0; i < 20000; ++i) {
    const double d = RandomNumber(rng);
    if (d == 0) continue;
    const auto f = static_cast<float>(std::fmod(d, 1e30));
    std::array<char, 64> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(), d).ptr;
    ASSERT_EQ(state::ShortestText(d), std::string(text.data(), end));
    if (f == 0 || !std::isfinite(f)) continue;
    const auto fend = std::to_chars(text.data(), text.data() + text.size(), f).ptr;
    ASSERT_EQ(state::ShortestText(f), std::string(text.data(), fend)) << d;
  }
}

TEST(JsonText, WritesStringsObjectsAndNestingAsQJsonDocumentDoes) {
  const std::string text = "a\"b\\c\b\f\n\r\t\x01\x1f\x7f é 分割 /";
  QJsonObject inner{{"z", 1}, {"a", QJsonArray{}}, {"m", QJsonObject{}}, {"s", text.c_str()}};
  QJsonObject qt{{"state", inner},
                 {"b", true},
                 {"n", QJsonValue::Null},
                 {"x", 12.5},
                 {"list", QJsonArray{QJsonArray{1, 2}, QJsonArray{}, false}}};
  const nlohmann::json ours = {
      {"state",
       {{"z", 1}, {"a", nlohmann::json::array()}, {"m", nlohmann::json::object()}, {"s", text}}},
      {"b", true},
      {"n", nullptr},
      {"x", 12.5},
      {"list", {{1, 2}, nlohmann::json::array(), false}}};
  EXPECT_EQ(state::JsonText(ours, state::JsonFormat::kCompact),
            QJsonDocument(qt).toJson(QJsonDocument::Compact).toStdString());
  EXPECT_EQ(state::JsonText(ours, state::JsonFormat::kIndented),
            QJsonDocument(qt).toJson(QJsonDocument::Indented).toStdString());
}

}  // namespace
