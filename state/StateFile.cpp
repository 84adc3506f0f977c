// Reading and writing a state file, the one-line form of a state, and the
// window's reach.

#include "StateFile.h"

#include <QJsonDocument>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

#include "Arithmetic.h"
#include "DivisionCounts.h"
#include "JsonText.h"
#include "PathBytes.h"
#include "StateFileLoad.h"
#include "StateJson.h"

namespace state {

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
  return LoadStateFileAt(ToBytes(path));
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
