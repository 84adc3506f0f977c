// Reading and writing a state file, the one-line form of a state, and the
// window's reach.

#include "StateFile.h"

#include <QJsonDocument>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "Arithmetic.h"
#include "DivisionCounts.h"
#include "JsonText.h"
#include "PathBytes.h"
#include "ReadWhole.h"
#include "StateJson.h"
#include "Tr.h"

namespace state {

using i18n::Format;
using i18n::Tr;

QJsonObject ToJson(const scene::State& state) {
  const std::string text = JsonText(StateObject(state), JsonFormat::kCompact);
  return QJsonDocument::fromJson(QByteArray::fromStdString(text)).object();
}

QByteArray StateFileBytes(const scene::State& state) {
  return QByteArray::fromStdString(StateFileText(state));
}

std::variant<scene::State, UsageError> ParseStateFile(const QByteArray& bytes) {
  return ParseStateJson(
      std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

std::variant<scene::State, UsageError> LoadStateFile(const QString& path) {
  const std::string shown = Shown(path);
  const auto problem = [&](const char* pattern) { return UsageError{Format(pattern, {shown})}; };
  const files::ReadBytes read = files::ReadWhole(ToBytes(path), kLargestStateText);
  switch (read.failure) {
    case files::ReadFailure::kNone:
      break;
    case files::ReadFailure::kMissing:
      return problem(Tr("状態ファイル「%1」がありません"));
    case files::ReadFailure::kFolder:
      return problem(Tr("状態ファイル「%1」はフォルダーです"));
    case files::ReadFailure::kNotRegular:
      return problem(Tr("状態ファイル「%1」は通常のファイルではありません"));
    case files::ReadFailure::kTooLarge:
      return StateFileTooLarge(shown);
    case files::ReadFailure::kUnreadable:
      return UsageError{
          Format(Tr("状態ファイル「%1」を読めません: %2"), {shown, files::Reason(read.error)})};
  }
  auto parsed = ParseStateFile(QByteArray::fromStdString(read.bytes));
  if (auto* error = std::get_if<UsageError>(&parsed)) *error = InStateFile(shown, *error);
  return parsed;
}

std::variant<scene::State, UsageError> LoadWindowStateFile(const QString& path) {
  auto loaded = LoadStateFile(path);
  if (const auto* state = std::get_if<scene::State>(&loaded)) {
    if (auto error = CheckFileWindowReach(Shown(path), *state)) return *error;
  }
  return loaded;
}

std::variant<scene::State, UsageError> ParseStateText(const QString& text) {
  // A text of more UTF-16 units than the limit has more bytes than it too:
  // one unit past the limit is enough to refuse it, unconverted.
  const std::string bytes = text.left(static_cast<qsizetype>(kLargestStateText) + 1).toStdString();
  if (auto problem = CheckPastedText(bytes)) return *problem;
  const std::string_view trimmed = Trimmed(bytes);
  if (trimmed.starts_with('{')) {
    return ParseStateJson(trimmed);
  }
  return ParseStateLine(trimmed);
}

QString StateLine(const scene::State& state) {
  return QString::fromStdString(StateLineText(state));
}

}  // namespace state
