// Reading the options. QCommandLineParser collects the values; before it
// runs, one pass over the arguments finds everything it would either accept
// (single-dash words, positional arguments) or report in English (unknown
// options, missing or unexpected values), and after it the values are checked
// against their exact forms and ranges.

#include "Options.h"

#include <locale.h>  // newlocale, strtod_l: decimal numbers in the C locale
#include <QCommandLineParser>
#include <QRegularExpression>
#include <array>
#include <cerrno>
#include <charconv>
#include <clocale>
#include <cstdlib>
#include <limits>

#include "Arithmetic.h"

namespace cli {

namespace {

enum class Where { Command, BatchLine };

struct KnownOption {
  const char* name;
  bool takesValue;
  bool inBatchLine;  // allowed on a line of --batch input
};

constexpr std::array<KnownOption, 15> kOptions{{
    {"points", true, true},
    {"divisions", true, true},
    {"distance", true, true},
    {"no-approximate", false, true},
    {"no-accurate", false, true},
    {"grabbed", true, true},
    {"analysis", false, true},
    {"json", false, false},
    {"crlf", false, false},
    {"png", true, false},
    {"svg", true, false},
    {"scale", true, false},
    {"batch", false, false},
    {"help", false, false},
    {"version", false, false},
}};

const KnownOption* Find(const QString& name) {
  for (const KnownOption& known : kOptions) {
    if (name == QLatin1String(known.name)) return &known;
  }
  return nullptr;
}

// The longest piece of a bad value repeated in a message.
constexpr qsizetype kShownValueLength = 60;

// A value as it is quoted in a message: control characters escaped so the
// message stays on one line, and very long values shortened.
std::string Shown(const QString& value) {
  QString shown;
  for (qsizetype i = 0; i < value.size() && i < kShownValueLength; ++i) {
    const QChar c = value[i];
    if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
      shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
    } else {
      shown += c;
    }
  }
  if (value.size() > kShownValueLength) shown += QStringLiteral("…");
  return shown.toStdString();
}

std::string Dashed(const char* name) { return std::string("--") + name; }

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

// The pass before the parser: each argument is a known long option (with its
// value, inline or next), or a mistake.
std::optional<UsageError> CheckShape(const QStringList& arguments, Where where) {
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& a = arguments[i];
    if (a == QLatin1String("--")) {
      if (i + 1 < arguments.size()) {
        return UsageError{"余分な引数「" + Shown(arguments[i + 1]) + "」があります"};
      }
      break;
    }
    if (a.startsWith(QLatin1String("--"))) {
      const qsizetype equals = a.indexOf(QLatin1Char('='));
      const QString name = a.mid(2, equals < 0 ? -1 : equals - 2);
      const KnownOption* known = Find(name);
      if (known == nullptr) return UsageError{Shown(a) + " というオプションはありません"};
      if (where == Where::BatchLine && !known->inBatchLine) {
        return UsageError{Dashed(known->name) + " は --batch の行では使えません"};
      }
      if (!known->takesValue && equals >= 0) {
        return UsageError{Dashed(known->name) + " は値をとりません（「" + Shown(a) + "」）"};
      }
      if (known->takesValue && equals < 0) {
        if (i + 1 == arguments.size()) {
          return UsageError{Dashed(known->name) + " の値がありません"};
        }
        ++i;  // the value, whatever it looks like
      }
      continue;
    }
    if (a.size() > 1 && a.startsWith(QLatin1Char('-'))) {
      return UsageError{Shown(a) +
                        " は使えません: オプションは --points のように - を 2 つ付けて書きます"};
    }
    return UsageError{"余分な引数「" + Shown(a) + "」があります"};
  }
  return std::nullopt;
}

QCommandLineParser& Parser() {
  // Built once: every parse starts afresh, and a batch of many lines should
  // not rebuild the option table each time.
  static QCommandLineParser* parser = [] {
    auto* p = new QCommandLineParser;
    for (const KnownOption& known : kOptions) {
      p->addOption(known.takesValue ? QCommandLineOption(QString::fromLatin1(known.name), QString(),
                                                         QStringLiteral("value"))
                                    : QCommandLineOption(QString::fromLatin1(known.name)));
    }
    return p;
  }();
  return *parser;
}

Parsed Parse(const QStringList& arguments, Where where) {
  if (std::optional<UsageError> error = CheckShape(arguments, where)) return *error;

  QCommandLineParser& parser = Parser();
  if (!parser.parse(arguments)) {
    // Not reached after the pass above; kept so that no English text leaks.
    return UsageError{"引数を読めません"};
  }
  const QStringList found = parser.optionNames();
  for (const KnownOption& known : kOptions) {
    if (found.count(QLatin1String(known.name)) > 1) {
      return UsageError{Dashed(known.name) + " が 2 回以上指定されています"};
    }
  }

  Request request;
  request.help = parser.isSet(QStringLiteral("help"));
  request.version = parser.isSet(QStringLiteral("version"));
  if (request.help || request.version) return request;

  request.batch = parser.isSet(QStringLiteral("batch"));
  if (request.batch && found.size() > 1) {
    const QString other = found[0] == QLatin1String("batch") ? found[1] : found[0];
    return UsageError{"--batch は他のオプションと一緒に使えません（--" + other.toStdString() +
                      "）"};
  }

  const auto value = [&](const char* name) -> std::optional<QString> {
    const QString n = QString::fromLatin1(name);
    if (!parser.isSet(n)) return std::nullopt;
    return parser.value(n);
  };
  scene::State& state = request.state;
  if (auto v = value("points")) {
    if (auto error = ReadPoints(*v, state)) return *error;
  }
  if (auto v = value("divisions")) {
    if (auto error = ReadDivisions(*v, state)) return *error;
  }
  if (auto v = value("distance")) {
    if (auto error = ReadDistance(*v, state)) return *error;
  }
  if (auto v = value("grabbed")) {
    int grabbed = 0;
    if (auto error = ReadRange("grabbed", *v, -1, 3, grabbed)) return *error;
    state.grabIndex = grabbed;
  }
  state.approximate = !parser.isSet(QStringLiteral("no-approximate"));
  state.accurate = !parser.isSet(QStringLiteral("no-accurate"));
  request.analysis = parser.isSet(QStringLiteral("analysis"));
  request.json = parser.isSet(QStringLiteral("json"));
  request.crlf = parser.isSet(QStringLiteral("crlf"));
  if (auto v = value("scale")) {
    if (auto error = ReadRange("scale", *v, 1, 4, request.scale)) return *error;
  }
  for (const char* picture : {"png", "svg"}) {
    if (auto v = value(picture)) {
      if (v->isEmpty()) return UsageError{Dashed(picture) + " のファイル名が空です"};
      (std::string_view(picture) == "png" ? request.png : request.svg) = *v;
    }
  }

  // Standard output carries one thing: the report, or one picture.
  if (IsStdout(request.png) && IsStdout(request.svg)) {
    return UsageError{"--png と --svg の両方を標準出力（-）には書けません"};
  }
  if (IsStdout(request.png) || IsStdout(request.svg)) {
    const char* picture = IsStdout(request.png) ? "--png -" : "--svg -";
    for (const char* text : {"json", "crlf", "analysis"}) {
      if (parser.isSet(QString::fromLatin1(text))) {
        return UsageError{Dashed(text) + " は " + picture +
                          " と一緒に使えません: 標準出力には画像だけを書きます"};
      }
    }
  }
  return request;
}

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

Parsed ParseArguments(const QStringList& arguments) { return Parse(arguments, Where::Command); }

Parsed ParseBatchLine(std::string_view line) {
  QStringList arguments{QStringLiteral("bezierlab-report")};
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsSpace(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && !IsSpace(line[i])) ++i;
    if (i > start) {
      arguments.append(QString::fromUtf8(line.data() + start, static_cast<qsizetype>(i - start)));
    }
  }
  if (arguments.size() == 1) return UsageError{"空の行です"};
  return Parse(arguments, Where::BatchLine);
}

}  // namespace cli
