#include "Inputs.h"

#include <variant>

#include "StateArguments.h"
#include "StateJson.h"
#include "StateRules.h"

namespace web {

namespace {

std::string Take(Page& page, const std::variant<scene::State, state::UsageError>& chosen) {
  if (const auto* error = std::get_if<state::UsageError>(&chosen)) return error->message;
  scene::State wanted = std::get<scene::State>(chosen);
  wanted.grabIndex = scene::kStartGrabIndex;
  if (auto error = state::CheckWindowReach(wanted)) return error->message;
  page.Take(wanted);
  return "";
}

}  // namespace

std::string TakeFragment(Page& page, std::string_view fragment) {
  const auto language = state::FragmentLanguage(fragment);
  const auto* named = std::get_if<std::optional<i18n::Language>>(&language);
  page.ChooseLanguage(named != nullptr ? *named : std::nullopt);
  Take(page, state::ParseFragment(fragment));
  return LinkProblem(fragment);
}

std::string LinkProblem(std::string_view fragment) {
  const auto parsed = state::ParseFragment(fragment);
  if (const auto* error = std::get_if<state::UsageError>(&parsed)) return error->message;
  const auto language = state::FragmentLanguage(fragment);
  if (const auto* error = std::get_if<state::UsageError>(&language)) return error->message;
  return "";
}

std::string TakeText(Page& page, std::string_view text) {
  if (auto problem = state::CheckPastedText(text)) return problem->message;
  const std::string_view trimmed = state::Trimmed(text);
  if (trimmed.starts_with('{')) return Take(page, state::ParseStateJson(trimmed));
  if (trimmed.starts_with("--")) return Take(page, state::ParseStateLine(trimmed));
  const std::size_t hash = text.find('#');
  return Take(page,
              state::ParseFragment(hash == std::string_view::npos ? text : text.substr(hash)));
}

std::string TakeFile(Page& page, std::string_view name, double size, std::string_view bytes) {
  const std::string shown = state::Shown(name);
  if (size > static_cast<double>(state::kLargestStateText)) {
    return state::StateFileTooLarge(shown).message;
  }
  auto parsed = state::ParseStateJson(bytes);
  if (const auto* error = std::get_if<state::UsageError>(&parsed)) {
    return state::InStateFile(shown, *error).message;
  }
  if (auto error = state::CheckFileWindowReach(shown, std::get<scene::State>(parsed))) {
    return error->message;
  }
  return Take(page, parsed);
}

}  // namespace web
