// Reading and writing a state file, the one-line form of a state, and the
// window's reach.

#include "StateFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "Arithmetic.h"
#include "DivisionCounts.h"
#include "PathBytes.h"
#include "ReadWhole.h"

namespace state {

namespace {

// A JSON value as it is written in the file, quoted in a message.
std::string ShownJson(const QJsonValue& value) {
  QByteArray text = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
  return Shown(QString::fromUtf8(text.mid(1, text.size() - 2)));
}

UsageError BadMember(const char* name, const QJsonValue& value, const char* why) {
  return {std::string("\"state\" の \"") + name + "\" の値「" + ShownJson(value) +
          "」は使えません: " + why};
}

std::optional<std::int32_t> WholeInt32(const QJsonValue& value) {
  if (!value.isDouble()) return std::nullopt;
  const double d = value.toDouble();
  if (std::trunc(d) != d || d < std::numeric_limits<std::int32_t>::min() ||
      d > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(d);
}

std::optional<UsageError> ReadPoints(const QJsonValue& value, scene::State& state) {
  constexpr const char* kWhy = "32 ビット整数の組 [x,y] を 4 つ並べた配列を書きます";
  const QJsonArray points = value.toArray();
  if (!value.isArray() || points.size() != 4) return BadMember("points", value, kWhy);
  for (qsizetype i = 0; i < 4; ++i) {
    const QJsonArray pair = points[i].toArray();
    if (!points[i].isArray() || pair.size() != 2) return BadMember("points", value, kWhy);
    const std::optional<std::int32_t> x = WholeInt32(pair[0]);
    const std::optional<std::int32_t> y = WholeInt32(pair[1]);
    if (!x || !y) return BadMember("points", value, kWhy);
    state.P[static_cast<std::size_t>(i)] = {*x, *y};
  }
  return std::nullopt;
}

std::optional<UsageError> ReadDivisions(const QJsonValue& value, scene::State& state) {
  static const std::string why = DivisionCountList() + " から選んだ数の配列を書きます";
  const char* kWhy = why.c_str();
  if (!value.isArray()) return BadMember("divisions", value, kWhy);
  state.divisions = {false, false, false, false};
  for (const auto& count : value.toArray()) {
    const std::optional<std::int32_t> n = WholeInt32(count);
    bool known = false;
    for (std::size_t i = 0; i < geometry::kDivisionCounts.size(); ++i) {
      if (n && *n == geometry::kDivisionCounts[i]) state.divisions[i] = known = true;
    }
    if (!known) return BadMember("divisions", value, kWhy);
  }
  return std::nullopt;
}

std::optional<UsageError> ReadMember(const QString& name, const QJsonValue& value,
                                     scene::State& state) {
  if (name == QLatin1String("points")) return ReadPoints(value, state);
  if (name == QLatin1String("divisions")) return ReadDivisions(value, state);
  if (name == QLatin1String("grabbed")) {
    const std::optional<std::int32_t> grabbed = WholeInt32(value);
    if (!grabbed || *grabbed < -1 || *grabbed > 3) {
      return BadMember("grabbed", value, "-1 から 3 の整数を書きます");
    }
    state.grabIndex = *grabbed;
  } else if (name == QLatin1String("approximate") || name == QLatin1String("accurate")) {
    const bool approximate = name == QLatin1String("approximate");
    if (!value.isBool()) {
      return BadMember(approximate ? "approximate" : "accurate", value, "true か false を書きます");
    }
    (approximate ? state.approximate : state.accurate) = value.toBool();
  } else if (name == QLatin1String("distance")) {
    if (!value.isDouble()) return BadMember("distance", value, "数を書きます");
    try {
      state.dist = geometry::ToSingle(value.toDouble());
    } catch (const geometry::Error&) {
      return BadMember("distance", value, "単精度の範囲を超えています");
    }
  } else {
    return UsageError{"\"state\" に知らないメンバー \"" + Shown(name) +
                      "\" があります（使えるのは points, grabbed, divisions, approximate, "
                      "accurate, distance）"};
  }
  return std::nullopt;
}

// The shortest decimal that reads back as the same single-precision value.
std::string Decimal(float value) {
  std::array<char, 32> text{};
  const auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() ? std::string(text.data(), end) : std::string("?");
}

}  // namespace

QJsonObject ToJson(const scene::State& state) {
  QJsonArray points;
  for (const geometry::IntPoint& p : state.P) points.append(QJsonArray{p.x, p.y});
  QJsonArray divisions;
  for (std::size_t i = 0; i < geometry::kDivisionCounts.size(); ++i) {
    if (state.divisions[i]) divisions.append(static_cast<int>(geometry::kDivisionCounts[i]));
  }
  return QJsonObject{{"points", points},           {"grabbed", state.grabIndex},
                     {"divisions", divisions},     {"approximate", state.approximate},
                     {"accurate", state.accurate}, {"distance", static_cast<double>(state.dist)}};
}

QByteArray StateFileBytes(const scene::State& state) {
  return QJsonDocument(QJsonObject{{"state", ToJson(state)}}).toJson(QJsonDocument::Indented);
}

std::variant<scene::State, UsageError> ParseStateFile(const QByteArray& bytes) {
  QJsonParseError error{};
  const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
  if (error.error != QJsonParseError::NoError) {
    return UsageError{"JSON として読めません（" + std::to_string(error.offset) + " バイト目）"};
  }
  if (!document.isObject()) return UsageError{"JSON のオブジェクトではありません"};
  const QJsonValue member = document.object().value(QStringLiteral("state"));
  if (member.isUndefined()) return UsageError{"\"state\" メンバーがありません"};
  if (!member.isObject()) {
    return UsageError{"\"state\" の値「" + ShownJson(member) + "」はオブジェクトではありません"};
  }
  scene::State chosen;
  const QJsonObject object = member.toObject();
  for (auto it = object.begin(); it != object.end(); ++it) {
    if (auto problem = ReadMember(it.key(), it.value(), chosen)) return *problem;
  }
  return chosen;
}

std::string TooLarge() { return "は大きすぎます（1 MiB まで）"; }

std::variant<scene::State, UsageError> LoadStateFile(const QString& path) {
  const std::string named = "状態ファイル「" + Shown(path) + "」";
  const files::ReadBytes read = files::ReadWhole(ToBytes(path), kLargestStateText);
  switch (read.failure) {
    case files::ReadFailure::kNone:
      break;
    case files::ReadFailure::kMissing:
      return UsageError{named + "がありません"};
    case files::ReadFailure::kFolder:
      return UsageError{named + "はフォルダーです"};
    case files::ReadFailure::kNotRegular:
      return UsageError{named + "は通常のファイルではありません"};
    case files::ReadFailure::kTooLarge:
      return UsageError{named + TooLarge()};
    case files::ReadFailure::kUnreadable:
      return UsageError{named + "を読めません: " + std::strerror(read.error)};
  }
  auto parsed = ParseStateFile(QByteArray::fromStdString(read.bytes));
  if (auto* problem = std::get_if<UsageError>(&parsed)) problem->message.insert(0, named + ": ");
  return parsed;
}

std::variant<scene::State, UsageError> ParseStateText(const QString& text) {
  if (static_cast<std::size_t>(text.size()) > kLargestStateText ||
      static_cast<std::size_t>(text.toUtf8().size()) > kLargestStateText) {
    return UsageError{"貼り付けた文字" + TooLarge()};
  }
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty()) return UsageError{"状態の行も状態ファイルの JSON もありません"};
  if (trimmed.startsWith(QLatin1Char('{'))) return ParseStateFile(trimmed.toUtf8());
  QStringList arguments = SplitLine(trimmed.toStdString());
  arguments.prepend(QStringLiteral("bezierlab"));
  return ParseState(arguments);
}

QString StateLine(const scene::State& state) {
  std::string line = "--points ";
  for (std::size_t i = 0; i < state.P.size(); ++i) {
    if (i > 0) line += ",";
    line += std::to_string(state.P[i].x) + "," + std::to_string(state.P[i].y);
  }
  std::string counts;
  for (std::size_t i = 0; i < geometry::kDivisionCounts.size(); ++i) {
    if (!state.divisions[i]) continue;
    if (!counts.empty()) counts += ',';
    counts += scene::FormatGeneral(geometry::kDivisionCounts[i]);
  }
  // An empty list is written with "=", so that it survives a split at spaces.
  line += counts.empty() ? " --divisions=" : " --divisions " + counts;
  line += " --distance " + Decimal(state.dist);
  if (!state.approximate) line += " --no-approximate";
  if (!state.accurate) line += " --no-accurate";
  if (state.grabIndex != scene::kStartGrabIndex) {
    line += " --grabbed " + std::to_string(state.grabIndex);
  }
  return QString::fromStdString(line);
}

std::optional<UsageError> CheckWindowReach(const scene::State& state) {
  for (std::size_t i = 0; i < state.P.size(); ++i) {
    for (const auto& [axis, v] : {std::pair{"x", state.P[i].x}, std::pair{"y", state.P[i].y}}) {
      if (v < kReachLow || v > kReachHigh) {
        return UsageError{"P(" + std::to_string(i) + ") の " + axis + " = " + std::to_string(v) +
                          " はウィンドウで動かせる範囲（" + std::to_string(kReachLow) + " から " +
                          std::to_string(kReachHigh) + "）の外です"};
      }
    }
  }
  return CheckWindowDistance(state.dist);
}

std::optional<UsageError> CheckWindowDistance(float d) {
  if (std::trunc(d) != d || d < kDistanceLow || d > kDistanceHigh) {
    return UsageError{"オフセット距離 " + Decimal(d) +
                      " はウィンドウでは使えません: " + std::to_string(kDistanceLow) + " から " +
                      std::to_string(kDistanceHigh) + " の整数にします"};
  }
  return std::nullopt;
}

bool SameWindowState(const scene::State& a, const scene::State& b) {
  return a.P == b.P && a.divisions == b.divisions && a.approximate == b.approximate &&
         a.accurate == b.accurate && a.dist == b.dist;
}

}  // namespace state
