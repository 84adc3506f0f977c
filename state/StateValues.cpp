// The values of the state options, checked against their exact forms and
// ranges: the control points as 32-bit integers, the ticked division counts,
// the distance stored in single precision as the window stores it, and the
// grabbed point.

#include <locale.h>  // newlocale, strtod_l: decimal numbers in the C locale
#include <charconv>
#include <clocale>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "Arithmetic.h"
#include "DivisionCounts.h"
#include "StateArguments.h"
#include "StateRules.h"
#include "Tr.h"

namespace state {

using i18n::Format;
using i18n::Tr;

namespace {

UsageError BadValue(const char* option, std::string_view value, const std::string& why) {
  return {Format(Tr("%1 の値「%2」は使えません: %3"), {Dashed(option), Shown(value), why})};
}

// A value with white space before or after it (a line end pasted with it, a
// quoted space) is refused for that reason, not for its form.
std::optional<std::string> SpaceAround(std::string_view value) {
  if (Trimmed(value).size() == value.size()) return std::nullopt;
  return Format(Tr("「%1」の前後に空白か改行があります"), {Shown(value)});
}

// A decimal number: digits with an optional minus sign, fraction and
// exponent, the whole value and nothing else.
bool IsDecimal(std::string_view text) {
  std::size_t i = 0;
  const auto digits = [&] {
    const std::size_t start = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    return i > start;
  };
  if (i < text.size() && text[i] == '-') ++i;
  if (!digits()) return false;
  if (i < text.size() && text[i] == '.') {
    ++i;
    if (!digits()) return false;
  }
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    if (!digits()) return false;
  }
  return i == text.size();
}

enum class IntegerRead { kOk, kNotInteger, kOutOfRange };

// A signed 32-bit integer: decimal digits with an optional minus sign, the
// whole value and nothing else.
IntegerRead Int32(std::string_view text, std::int32_t& value) {
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (stop != end || text.empty()) return IntegerRead::kNotInteger;
  if (error == std::errc::result_out_of_range) return IntegerRead::kOutOfRange;
  return error == std::errc() ? IntegerRead::kOk : IntegerRead::kNotInteger;
}

// The fields of `value` between its commas, empty ones included.
std::vector<std::string_view> Fields(std::string_view value) {
  std::vector<std::string_view> fields;
  std::size_t comma = 0;
  while ((comma = value.find(',')) != std::string_view::npos) {
    fields.push_back(value.substr(0, comma));
    value.remove_prefix(comma + 1);
  }
  fields.push_back(value);
  return fields;
}

std::optional<UsageError> ReadPoints(std::string_view value, scene::State& state) {
  const std::vector<std::string_view> fields = Fields(value);
  if (fields.size() != 8) {
    return BadValue("points", value,
                    Format(Tr("50,50,150,50,150,150,50,150 のように整数をコンマ区切りで 8 "
                              "個書きます（%1 個あります）"),
                           {std::to_string(fields.size())}));
  }
  for (std::size_t k = 0; k < 8; ++k) {
    geometry::IntPoint& p = state.P[k / 2];
    const IntegerRead read = Int32(fields[k], k % 2 == 0 ? p.x : p.y);
    if (read == IntegerRead::kOk) continue;
    if (auto why = SpaceAround(fields[k])) return BadValue("points", value, *why);
    return BadValue("points", value,
                    Format(read == IntegerRead::kOutOfRange
                               ? Tr("「%1」は 32 ビット整数の範囲を超えています")
                               : Tr("「%1」は整数ではありません（-12 や 250 のように書きます）"),
                           {Shown(fields[k])}));
  }
  return std::nullopt;
}

std::optional<UsageError> ReadDivisions(std::string_view value, scene::State& state) {
  state.divisions = {false, false, false, false};
  if (value.empty()) return std::nullopt;
  for (const std::string_view field : Fields(value)) {
    bool known = false;
    for (std::size_t i = 0; i < geometry::kDivisionCounts.size(); ++i) {
      if (field == scene::FormatGeneral(geometry::kDivisionCounts[i])) {
        state.divisions[i] = true;
        known = true;
      }
    }
    if (!known) {
      return BadValue("divisions", value,
                      Format(Tr("分割数は %1 をコンマで区切って書きます（「%2」は使えません）"),
                             {DivisionCountList(), Shown(field)}));
    }
  }
  return std::nullopt;
}

constexpr const char* kNumber = i18n::Mark("30 や 12.5、-2.5e1 のような数で指定します");

// The decimal number, correctly rounded to double in the C locale whatever the
// user's locale, then stored in single precision as the window stores its
// distance.
std::optional<UsageError> ReadDistance(std::string_view value, scene::State& state) {
  if (auto why = SpaceAround(value)) return BadValue("distance", value, *why);
  if (!IsDecimal(value)) return BadValue("distance", value, Tr(kNumber));
  static const locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
  const std::string text(value);
  char* end = nullptr;
  const double d = strtod_l(text.c_str(), &end, c);
  if (end != text.c_str() + text.size()) return BadValue("distance", value, Tr(kNumber));
  try {
    state.dist = geometry::ToSingle(d);
  } catch (const geometry::Error&) {
    return BadValue("distance", value, Tr("単精度の範囲を超えています"));
  }
  return std::nullopt;
}

}  // namespace

std::optional<UsageError> ReadRange(const char* option, std::string_view value, int low, int high,
                                    int& out) {
  std::int32_t v = 0;
  if (Int32(value, v) != IntegerRead::kOk || v < low || v > high) {
    if (auto why = SpaceAround(value)) return BadValue(option, value, *why);
    return BadValue(
        option, value,
        Format(Tr("%1 から %2 の整数を指定します"), {std::to_string(low), std::to_string(high)}));
  }
  out = v;
  return std::nullopt;
}

std::optional<UsageError> ReadState(const FoundOptions& found, scene::State& state) {
  if (auto v = found.Value("points")) {
    if (auto error = ReadPoints(*v, state)) return error;
  }
  if (auto v = found.Value("divisions")) {
    if (auto error = ReadDivisions(*v, state)) return error;
  }
  if (auto v = found.Value("distance")) {
    if (auto error = ReadDistance(*v, state)) return error;
  }
  if (auto v = found.Value("grabbed")) {
    int grabbed = 0;
    if (auto error = ReadRange("grabbed", *v, -1, 3, grabbed)) return error;
    state.grabIndex = grabbed;
  }
  if (found.IsSet("no-approximate")) state.approximate = false;
  if (found.IsSet("no-accurate")) state.accurate = false;
  return std::nullopt;
}

}  // namespace state
