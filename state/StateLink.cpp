// The state in a page's address fragment: its members read by name, the
// page's language apart from the state, and the state written back.

#include <charconv>
#include <vector>

#include "DivisionCounts.h"
#include "Report.h"
#include "StateRules.h"
#include "Tr.h"

namespace state {

using i18n::Format;
using i18n::Tr;

namespace {

// The link's member that is the page's own and not part of the state.
constexpr std::string_view kLanguageMember = "lang";

UsageError BadLink(std::string_view name, std::string_view value, const std::string& why) {
  return {Format(Tr("リンクの \"%1\" の値「%2」は使えません: %3"), {name, Shown(value), why})};
}

// The comma-separated 32-bit integers of `value`.
std::optional<std::vector<std::int32_t>> Integers(std::string_view value) {
  std::vector<std::int32_t> out;
  while (true) {
    const std::size_t comma = value.find(',');
    const std::string_view field = value.substr(0, comma);
    std::int32_t n = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), n);
    if (field.empty() || error != std::errc() || end != field.data() + field.size()) {
      return std::nullopt;
    }
    out.push_back(n);
    if (comma == std::string_view::npos) return out;
    value.remove_prefix(comma + 1);
  }
}

std::optional<UsageError> ReadLinkMember(std::string_view name, std::string_view value,
                                         scene::State& state) {
  const std::optional<std::vector<std::int32_t>> n = Integers(value);
  if (name == "points") {
    if (!n || n->size() != 8) return BadLink(name, value, Tr("整数 8 つ（x,y を 4 組）を書きます"));
    for (std::size_t i = 0; i < 4; ++i) state.P[i] = {(*n)[2 * i], (*n)[2 * i + 1]};
  } else if (name == "divisions") {
    state.divisions = {false, false, false, false};
    if (value.empty()) return std::nullopt;  // no box ticked
    if (!n)
      return BadLink(name, value, Format(Tr("%1 から選んだ数を書きます"), {DivisionCountList()}));
    for (const std::int32_t count : *n) {
      bool known = false;
      for (std::size_t i = 0; i < geometry::kDivisionCounts.size(); ++i) {
        if (count == geometry::kDivisionCounts[i]) state.divisions[i] = known = true;
      }
      if (!known)
        return BadLink(name, value, Format(Tr("%1 から選んだ数を書きます"), {DivisionCountList()}));
    }
  } else if (name == "approximate" || name == "accurate") {
    if (value != "0" && value != "1") return BadLink(name, value, Tr("1 か 0 を書きます"));
    (name == "approximate" ? state.approximate : state.accurate) = value == "1";
  } else if (name == "distance") {
    if (!n || n->size() != 1) return BadLink(name, value, Tr("整数を書きます"));
    state.dist = static_cast<float>(n->front());
  } else if (name != kLanguageMember) {  // FragmentLanguage reads the page's member
    return UsageError{Format(Tr("リンクに知らないメンバー \"%1\" があります（使えるのは points, "
                                "divisions, approximate, accurate, distance, lang）"),
                             {Shown(name)})};
  }
  return std::nullopt;
}

// Calls `read(name, value)` for each member of a fragment ("#" first or not),
// in order, until it returns an error. An empty member (a "&" at either end,
// or two in a row) is passed over wherever it stands; a member without "=" is
// refused.
template <typename Read>
std::optional<UsageError> ForEachMember(std::string_view fragment, Read read) {
  if (!fragment.empty() && fragment.front() == '#') fragment.remove_prefix(1);
  for (bool more = true; more;) {
    const std::size_t amp = fragment.find('&');
    const std::string_view member = fragment.substr(0, amp);
    more = amp != std::string_view::npos;
    if (more) fragment.remove_prefix(amp + 1);
    if (member.empty()) continue;
    const std::size_t eq = member.find('=');
    if (eq == std::string_view::npos) {
      return UsageError{Format(Tr("リンクの「%1」は 名前=値 の形ではありません"), {Shown(member)})};
    }
    if (auto error = read(member.substr(0, eq), member.substr(eq + 1))) return error;
  }
  return std::nullopt;
}

}  // namespace

std::string FragmentOf(const scene::State& state, std::optional<i18n::Language> language) {
  std::string out = "points=";
  for (std::size_t i = 0; i < state.P.size(); ++i) {
    if (i > 0) out += ',';
    out += std::to_string(state.P[i].x) + ',' + std::to_string(state.P[i].y);
  }
  out += "&divisions=";
  bool first = true;
  for (std::size_t i = 0; i < geometry::kDivisionCounts.size(); ++i) {
    if (!state.divisions[i]) continue;
    if (!first) out += ',';
    out += scene::FormatGeneral(geometry::kDivisionCounts[i]);
    first = false;
  }
  out += std::string("&approximate=") + (state.approximate ? "1" : "0");
  out += std::string("&accurate=") + (state.accurate ? "1" : "0");
  out += "&distance=" + Decimal(state.dist);
  if (language) {
    out += '&';
    out += kLanguageMember;
    out += '=';
    out += i18n::NameOf(*language);
  }
  return out;
}

std::variant<scene::State, UsageError> ParseFragment(std::string_view fragment) {
  scene::State state;
  const auto read = [&](std::string_view name, std::string_view value) {
    return ReadLinkMember(name, value, state);
  };
  if (auto error = ForEachMember(fragment, read)) return *error;
  if (auto error = CheckWindowReach(state)) return *error;
  return state;
}

std::variant<std::optional<i18n::Language>, UsageError> FragmentLanguage(
    std::string_view fragment) {
  std::optional<i18n::Language> language;
  const auto read = [&](std::string_view name, std::string_view value) {
    std::optional<UsageError> error;
    if (name != kLanguageMember) return error;
    language = i18n::LanguageNamed(value);
    if (!language) error = BadLink(name, value, Tr("ja か en を書きます"));
    return error;
  };
  if (auto error = ForEachMember(fragment, read)) return *error;
  return language;
}

}  // namespace state
