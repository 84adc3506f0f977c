// The values of the state options, checked against their exact forms and
// ranges: the control points as 32-bit integers, the ticked division counts,
// the distance stored in single precision as the window stores it, and the
// grabbed point.

#include <locale.h>  // newlocale, strtod_l: decimal numbers in the C locale
#include <QRegularExpression>
#include <array>
#include <charconv>
#include <clocale>
#include <cstdlib>

#include "Arithmetic.h"
#include "StateOptions.h"

namespace state {

namespace {

UsageError BadValue(const char* option, const QString& value, const std::string& why) {
  return {Dashed(option) + " の値「" + Shown(value) + "」は使えません: " + why};
}

// The exact forms the values are written in.
const QRegularExpression& IntegerForm() {
  static const QRegularExpression form(QStringLiteral("^-?[0-9]+$"));
  return form;
}

const QRegularExpression& DecimalForm() {
  static const QRegularExpression form(QStringLiteral("^-?[0-9]+(\\.[0-9]+)?([eE][-+]?[0-9]+)?$"));
  return form;
}

// A signed 32-bit integer written -?[0-9]+, or nothing.
std::optional<std::int32_t> Int32(const QString& text) {
  if (!IntegerForm().match(text).hasMatch()) return std::nullopt;
  const std::string digits = text.toStdString();
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

std::optional<UsageError> ReadPoints(const QString& value, scene::State& state) {
  const QStringList fields = value.split(QLatin1Char(','));
  if (fields.size() != 8) {
    return BadValue(
        "points", value,
        "整数がコンマ区切りで 8 個要ります（" + std::to_string(fields.size()) + " 個あります）");
  }
  for (qsizetype k = 0; k < 8; ++k) {
    if (!IntegerForm().match(fields[k]).hasMatch()) {
      return BadValue("points", value, "「" + Shown(fields[k]) + "」は整数ではありません");
    }
    const std::optional<std::int32_t> v = Int32(fields[k]);
    if (!v) {
      return BadValue("points", value,
                      "「" + Shown(fields[k]) + "」は 32 ビット整数の範囲を超えています");
    }
    geometry::IntPoint& p = state.P[static_cast<std::size_t>(k / 2)];
    (k % 2 == 0 ? p.x : p.y) = *v;
  }
  return std::nullopt;
}

std::optional<UsageError> ReadDivisions(const QString& value, scene::State& state) {
  state.divisions = {false, false, false, false};
  if (value.isEmpty()) return std::nullopt;
  static constexpr std::array<const char*, 4> kCounts{"10", "100", "1000", "10000"};
  for (const QString& field : value.split(QLatin1Char(','))) {
    bool known = false;
    for (std::size_t i = 0; i < kCounts.size(); ++i) {
      if (field == QLatin1String(kCounts[i])) {
        state.divisions[i] = true;
        known = true;
      }
    }
    if (!known) {
      return BadValue("divisions", value,
                      "分割数は 10, 100, 1000, 10000 をコンマで区切って書きます（「" +
                          Shown(field) + "」は使えません）");
    }
  }
  return std::nullopt;
}

// The decimal number, correctly rounded to double in the C locale whatever the
// user's locale, then stored in single precision as the window stores its
// distance.
std::optional<UsageError> ReadDistance(const QString& value, scene::State& state) {
  if (!DecimalForm().match(value).hasMatch()) {
    return BadValue("distance", value,
                    "小数は -?[0-9]+(.[0-9]+)?([eE][-+]?[0-9]+)? の形で書きます");
  }
  static const locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
  const std::string text = value.toStdString();
  const double d = strtod_l(text.c_str(), nullptr, c);
  try {
    state.dist = geometry::ToSingle(d);
  } catch (const geometry::Error&) {
    return BadValue("distance", value, "単精度の範囲を超えています");
  }
  return std::nullopt;
}

}  // namespace

std::optional<UsageError> ReadRange(const char* option, const QString& value, int low, int high,
                                    int& out) {
  const std::optional<std::int32_t> v = Int32(value);
  if (!v || *v < low || *v > high) {
    return BadValue(option, value,
                    std::to_string(low) + " から " + std::to_string(high) + " の整数を指定します");
  }
  out = *v;
  return std::nullopt;
}

std::optional<UsageError> ReadState(const QCommandLineParser& parser, scene::State& state) {
  const auto value = [&](const char* name) -> std::optional<QString> {
    const QString n = QString::fromLatin1(name);
    if (!parser.isSet(n)) return std::nullopt;
    return parser.value(n);
  };
  if (auto v = value("points")) {
    if (auto error = ReadPoints(*v, state)) return error;
  }
  if (auto v = value("divisions")) {
    if (auto error = ReadDivisions(*v, state)) return error;
  }
  if (auto v = value("distance")) {
    if (auto error = ReadDistance(*v, state)) return error;
  }
  if (auto v = value("grabbed")) {
    int grabbed = 0;
    if (auto error = ReadRange("grabbed", *v, -1, 3, grabbed)) return error;
    state.grabIndex = grabbed;
  }
  if (parser.isSet(QStringLiteral("no-approximate"))) state.approximate = false;
  if (parser.isSet(QStringLiteral("no-accurate"))) state.accurate = false;
  return std::nullopt;
}

}  // namespace state
