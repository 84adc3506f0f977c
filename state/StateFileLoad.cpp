#include "StateFileLoad.h"

#include "ReadWhole.h"
#include "StateJson.h"
#include "StateRules.h"
#include "Tr.h"

namespace state {

using i18n::Format;
using i18n::Tr;

std::variant<std::string, UsageError> ReadStateFileBytes(const std::string& path) {
  const std::string shown = Shown(path);
  const auto problem = [&](const char* pattern) { return UsageError{Format(pattern, {shown})}; };
  files::ReadBytes read = files::ReadWhole(path, kLargestStateText);
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
  return std::move(read.bytes);
}

std::variant<scene::State, UsageError> LoadStateFileAt(const std::string& path) {
  auto read = ReadStateFileBytes(path);
  if (auto* error = std::get_if<UsageError>(&read)) return *error;
  auto parsed = ParseStateJson(std::get<std::string>(read));
  if (auto* error = std::get_if<UsageError>(&parsed)) *error = InStateFile(Shown(path), *error);
  return parsed;
}

}  // namespace state
