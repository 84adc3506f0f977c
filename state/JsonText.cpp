#include "JsonText.h"

#include <array>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string_view>
#include <utility>
#include <vector>

namespace state {

namespace {

// printf's and strtod's decimal point follows the locale: `text` with the
// locale's point put back to '.', and the other way round.
std::string C(std::string text) {
  const std::string point = std::localeconv()->decimal_point;
  if (const std::size_t at = text.find(point); point != "." && at != std::string::npos) {
    return text.substr(0, at) + "." + text.substr(at + point.size());
  }
  return text;
}
std::string LocalePoint(std::string text) {
  const std::string point = std::localeconv()->decimal_point;
  if (const std::size_t at = text.find('.'); point != "." && at != std::string::npos) {
    return text.substr(0, at) + point + text.substr(at + 1);
  }
  return text;
}

// Reads `text`, written with a '.', in the C library's locale.
double ReadDouble(std::string text) {
  return std::strtod(LocalePoint(std::move(text)).c_str(), nullptr);
}
float ReadFloat(std::string text) {
  return std::strtof(LocalePoint(std::move(text)).c_str(), nullptr);
}

// Whether `text` reads back as `value`.
template <typename Float>
bool ReadsBack(const std::string& text, Float value) {
  return sizeof(Float) == sizeof(float) ? ReadFloat(text) == static_cast<float>(value)
                                        : ReadDouble(text) == static_cast<double>(value);
}

// The shortest digits that read back as `value`, the closest such to it, and
// the power of ten of the first digit. printf rounds exactly in every C
// library, so at each count of digits its rounding is the closest candidate;
// next to a power of two the gap below a value is half the gap above, so the
// candidate one unit in the last digit away from it may read back where the
// closest does not: both neighbours are tried, nearest first. (Not
// std::to_chars: the WebAssembly build's library has none for floating
// point.) `value` is finite and not zero.
template <typename Float>
std::pair<std::string, int> ShortestDigits(Float value) {
  constexpr int kMostDigits = std::numeric_limits<Float>::max_digits10;
  const long double exact = std::fabs(static_cast<long double>(value));
  for (int count = 1; count <= kMostDigits; ++count) {
    std::array<char, 64> text{};
    std::snprintf(text.data(), text.size(), "%.*e", count - 1,
                  std::fabs(static_cast<double>(value)));
    const std::string written = C(text.data());
    const std::size_t mark = written.find('e');
    std::string rounded;
    for (const char c : written.substr(0, mark)) {
      if (c >= '0' && c <= '9') rounded += c;
    }
    const int exponent = std::stoi(written.substr(mark + 1));
    const long long nearest = std::stoll(rounded);
    // The candidates as whole mantissas times 10^(exponent - count + 1),
    // the printed one, then its neighbours by their distance to `value`.
    const long double unit = std::pow(10.0L, exponent - count + 1);
    const bool upFirst = exact > static_cast<long double>(nearest) * unit;
    const long long order[] = {nearest, upFirst ? nearest + 1 : nearest - 1,
                               upFirst ? nearest - 1 : nearest + 1};
    for (const long long mantissa : order) {
      if (mantissa <= 0) continue;
      const std::string candidate =
          std::to_string(mantissa) + "e" + std::to_string(exponent - count + 1);
      if (!ReadsBack(candidate, static_cast<Float>(std::fabs(value)))) continue;
      std::string digits = std::to_string(mantissa);
      // 99..9 + 1 gains a digit and the power of ten grows by one.
      const int first = exponent + static_cast<int>(digits.size()) - count;
      digits.erase(digits.find_last_not_of('0') + 1);
      return {digits, first};
    }
  }
  // Unreachable: max_digits10 digits always read back.
  return {"0", 0};
}

// `value` in its shortest form: decimal or with an exponent of at least two
// digits, whichever is shorter, decimal when both are as long. A whole number
// in decimal form keeps its shortest digits padded with zeros (Qt's JSON),
// or with `exactWhole` all its digits (std::to_chars).
template <typename Float>
std::string Shortest(Float value, bool exactWhole = false) {
  if (value == 0) return std::signbit(value) ? "-0" : "0";
  const auto [digits, exponent] = ShortestDigits(value);
  const auto count = static_cast<int>(digits.size());
  const bool negative = value < 0;
  std::string decimal = negative ? "-" : "";
  const int point = exponent + 1;  // digits before the decimal point
  if (point <= 0) {
    decimal.append("0.").append(static_cast<std::size_t>(-point), '0').append(digits);
  } else if (point < count) {
    decimal.append(digits, 0, static_cast<std::size_t>(point)).append(".");
    decimal.append(digits, static_cast<std::size_t>(point));
  } else {
    decimal.append(digits).append(static_cast<std::size_t>(point - count), '0');
  }
  std::string exponential = negative ? "-" : "";
  exponential.append(digits, 0, 1);
  if (count > 1) exponential.append(".").append(digits, 1);
  std::array<char, 16> power{};
  std::snprintf(power.data(), power.size(), "e%c%02d", exponent < 0 ? '-' : '+',
                exponent < 0 ? -exponent : exponent);
  exponential.append(power.data());
  if (exponential.size() < decimal.size()) return exponential;
  if (exactWhole && point >= count) {
    std::array<char, 64> whole{};
    std::snprintf(whole.data(), whole.size(), "%.0f", static_cast<double>(value));
    return whole.data();
  }
  return decimal;
}

std::string Number(const nlohmann::json& value) {
  if (value.is_number_integer()) return value.dump();
  const double d = value.get<double>();
  if (!std::isfinite(d)) return "null";
  // Whole numbers that a double holds exactly, up to 2^53, are written as
  // integers; larger ones in the shortest form like any other.
  constexpr double kTwo53 = 9007199254740992.0;
  if (std::trunc(d) == d && d >= -kTwo53 && d <= kTwo53) {
    return std::to_string(static_cast<std::int64_t>(d));
  }
  return Shortest(d);
}

std::string String(const std::string& s) {
  std::string out = "\"";
  for (const char c : s) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\b':
        out += "\\b";
        break;
      case '\f':
        out += "\\f";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          std::array<char, 8> escaped{};
          std::snprintf(escaped.data(), escaped.size(), "\\u%04x", c);
          out += escaped.data();
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

void Write(const nlohmann::json& value, JsonFormat format, int depth, std::string& out) {
  const bool indented = format == JsonFormat::kIndented;
  const std::string inner(indented ? static_cast<std::size_t>(4 * (depth + 1)) : 0, ' ');
  const std::string outer(indented ? static_cast<std::size_t>(4 * depth) : 0, ' ');
  const char* newline = indented ? "\n" : "";
  if (value.is_object() || value.is_array()) {
    const bool object = value.is_object();
    out += object ? "{" : "[";
    out += newline;
    bool first = true;
    for (auto it = value.begin(); it != value.end(); ++it) {
      if (!first) out += std::string(",") + newline;
      first = false;
      out += inner;
      if (object) out += String(it.key()) + (indented ? ": " : ":");
      Write(it.value(), format, depth + 1, out);
    }
    if (!first) out += newline;
    out += outer + (object ? "}" : "]");
  } else if (value.is_string()) {
    out += String(value.get<std::string>());
  } else if (value.is_number()) {
    out += Number(value);
  } else {
    out += value.dump();  // true, false, null
  }
}

}  // namespace

std::string ShortestText(double value) { return Shortest(value, true); }
std::string ShortestText(float value) { return Shortest(value, true); }

std::string JsonText(const nlohmann::json& value, JsonFormat format) {
  std::string out;
  Write(value, format, 0, out);
  if (format == JsonFormat::kIndented) out += "\n";
  return out;
}

}  // namespace state
