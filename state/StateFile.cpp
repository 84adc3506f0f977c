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
#include "JsonText.h"
#include "PathBytes.h"
#include "ReadWhole.h"
#include "StateJson.h"

namespace state {

namespace {

// A JSON value from Qt, for the Qt-free rules.
nlohmann::json FromQt(const QJsonValue& value) {
  const QByteArray text = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
  return nlohmann::json::parse(text.toStdString()).at(0);
}

}  // namespace

QJsonObject ToJson(const scene::State& state) {
  const std::string text = JsonText(StateObject(state), JsonFormat::kCompact);
  return QJsonDocument::fromJson(QByteArray::fromStdString(text)).object();
}

QByteArray StateFileBytes(const scene::State& state) {
  return QByteArray::fromStdString(StateFileText(state));
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
    return UsageError{"\"state\" の値「" + ShownJson(FromQt(member)) +
                      "」はオブジェクトではありません"};
  }
  return ReadStateObject(FromQt(member));
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
  return QString::fromStdString(StateLineText(state));
}

}  // namespace state
