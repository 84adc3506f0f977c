#include "StateRules.h"

#include <array>
#include <charconv>
#include <cmath>
#include <utility>
#include <vector>

#include "DivisionCounts.h"
#include "JsonText.h"
#include "Readable.h"
#include "Report.h"
#include "Tr.h"

namespace state {

using i18n::Format;
using i18n::Tr;

namespace {

// The longest piece of a value repeated in a message, in UTF-16 units as a
// text field counts them.
constexpr std::size_t kShownUnits = 60;

// The white space Trimmed takes off.
constexpr std::array<char32_t, 25> kSpaces{0x09,   0x0A,   0x0B,   0x0C,   0x0D,   0x20,   0x85,
                                           0xA0,   0x1680, 0x2000, 0x2001, 0x2002, 0x2003, 0x2004,
                                           0x2005, 0x2006, 0x2007, 0x2008, 0x2009, 0x200A, 0x2028,
                                           0x2029, 0x202F, 0x205F, 0x3000};

// kSpaces in UTF-8 (none is beyond U+FFFF). No UTF-8 character ends inside
// another, so comparing the bytes at either end of a text finds them.
const std::vector<std::string>& SpaceBytes() {
  static const std::vector<std::string> bytes = [] {
    std::vector<std::string> all;
    for (const char32_t c : kSpaces) {
      const auto byte = [](char32_t b) { return static_cast<char>(b); };
      if (c < 0x80) {
        all.push_back({byte(c)});
      } else if (c < 0x800) {
        all.push_back({byte(0xC0 | c >> 6), byte(0x80 | (c & 0x3F))});
      } else {
        all.push_back(
            {byte(0xE0 | c >> 12), byte(0x80 | (c >> 6 & 0x3F)), byte(0x80 | (c & 0x3F))});
      }
    }
    return all;
  }();
  return bytes;
}

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
// in order, until it returns an error; a member without "=" is refused.
template <typename Read>
std::optional<UsageError> ForEachMember(std::string_view fragment, Read read) {
  if (!fragment.empty() && fragment.front() == '#') fragment.remove_prefix(1);
  while (!fragment.empty()) {
    const std::size_t amp = fragment.find('&');
    const std::string_view member = fragment.substr(0, amp);
    const std::size_t eq = member.find('=');
    if (eq == std::string_view::npos) {
      return UsageError{Format(Tr("リンクの「%1」は 名前=値 の形ではありません"), {Shown(member)})};
    }
    if (auto error = read(member.substr(0, eq), member.substr(eq + 1))) return error;
    if (amp == std::string_view::npos) break;
    fragment.remove_prefix(amp + 1);
  }
  return std::nullopt;
}

}  // namespace

std::optional<UsageError> CheckWindowReach(const scene::State& state) {
  for (std::size_t i = 0; i < state.P.size(); ++i) {
    for (const auto& [axis, v] : {std::pair{"x", state.P[i].x}, std::pair{"y", state.P[i].y}}) {
      if (v < kReachLow || v > kReachHigh) {
        return UsageError{
            Format(Tr("P(%1) の %2 = %3 はウィンドウで動かせる範囲（%4 から %5）の外です"),
                   {std::to_string(i), axis, std::to_string(v), std::to_string(kReachLow),
                    std::to_string(kReachHigh)})};
      }
    }
  }
  return CheckWindowDistance(state.dist);
}

std::optional<UsageError> CheckWindowDistance(float d) {
  if (std::trunc(d) != d || d < kDistanceLow || d > kDistanceHigh) {
    return UsageError{
        Format(Tr("オフセット距離 %1 はウィンドウでは使えません: %2 から %3 の整数にします"),
               {Decimal(d), std::to_string(kDistanceLow), std::to_string(kDistanceHigh)})};
  }
  return std::nullopt;
}

bool SameWindowState(const scene::State& a, const scene::State& b) {
  return a.P == b.P && a.divisions == b.divisions && a.approximate == b.approximate &&
         a.accurate == b.accurate && a.dist == b.dist;
}

std::string_view Trimmed(std::string_view text) {
  bool cut = true;
  while (cut) {
    cut = false;
    for (const std::string& space : SpaceBytes()) {
      if (text.starts_with(space)) {
        text.remove_prefix(space.size());
        cut = true;
      }
      if (text.ends_with(space)) {
        text.remove_suffix(space.size());
        cut = true;
      }
    }
  }
  return text;
}

std::string Shown(std::string_view value) {
  std::size_t units = 0;
  std::size_t cut = 0;
  while (cut < value.size() && units < kShownUnits) {
    const std::size_t length = files::Utf8Length(value.substr(cut));
    units += length == 4 ? 2 : 1;  // beyond the BMP: a surrogate pair
    cut += length == 0 ? 1 : length;
  }
  std::string shown = files::Readable(value.substr(0, cut));
  if (cut < value.size()) shown += "…";
  return shown;
}

std::string Decimal(float value) { return std::isfinite(value) ? ShortestText(value) : "?"; }

std::string DivisionCountList() {
  std::string list;
  for (double n : geometry::kDivisionCounts) {
    if (!list.empty()) list += ", ";
    list += scene::FormatGeneral(n);
  }
  return list;
}

std::string StateLineText(const scene::State& state) {
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
  return line;
}

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

std::string LargestStateTextShown() { return std::to_string(kLargestStateText >> 20) + " MiB"; }

std::optional<UsageError> CheckPastedText(std::string_view text) {
  if (text.size() > kLargestStateText) {
    return UsageError{
        Format(Tr("貼り付けた文字は大きすぎます（%1 まで）"), {LargestStateTextShown()})};
  }
  if (Trimmed(text).empty()) return UsageError{Tr("状態の行も状態ファイルの JSON もありません")};
  return std::nullopt;
}

UsageError StateFileTooLarge(std::string_view shown) {
  return {
      Format(Tr("状態ファイル「%1」は大きすぎます（%2 まで）"), {shown, LargestStateTextShown()})};
}

UsageError InStateFile(std::string_view shown, const UsageError& error) {
  return {Format(Tr("状態ファイル「%1」: %2"), {shown, error.message})};
}

}  // namespace state
