#include "JsonText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string_view>

namespace state {

namespace {

// A double in its shortest form, as QByteArray::number(d, 'g', shortest).
std::string ShortestNumber(double d) {
  std::array<char, 64> buffer{};
  const auto end =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), d, std::chars_format::scientific)
          .ptr;
  const std::string_view scientific(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
  // scientific is [-]d[.ddd]e(+|-)XX: its digits and the decimal exponent.
  const bool negative = scientific.front() == '-';
  const std::size_t e = scientific.find('e');
  std::string digits;
  for (char c : scientific.substr(negative ? 1 : 0, e - (negative ? 1 : 0))) {
    if (c != '.') digits += c;
  }
  const int exponent = std::stoi(std::string(scientific.substr(e + 1)));
  const auto count = static_cast<int>(digits.size());

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
  return exponential.size() < decimal.size() ? exponential : decimal;
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
  return ShortestNumber(d);
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

std::string JsonText(const nlohmann::json& value, JsonFormat format) {
  std::string out;
  Write(value, format, 0, out);
  if (format == JsonFormat::kIndented) out += "\n";
  return out;
}

}  // namespace state
