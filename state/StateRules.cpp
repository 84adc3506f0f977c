#include "StateRules.h"

#include <array>
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

std::optional<UsageError> CheckFileWindowReach(std::string_view shown, const scene::State& state) {
  if (auto error = CheckWindowReach(state)) return InStateFile(shown, *error);
  return std::nullopt;
}

}  // namespace state
