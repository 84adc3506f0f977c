#include "Report.h"

#include <array>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "Arithmetic.h"
#include "DivisionCounts.h"
#include "Tr.h"

namespace scene {

using geometry::RoundToInt32;

std::string ControlPointLine(int i, geometry::IntPoint p) {
  return "P(" + std::to_string(i) + ") = ( " + std::to_string(p.x) + " , " + std::to_string(p.y) +
         " )\r\n";
}

double ChordLength(std::span<const geometry::IntPoint> P, int i) {
  geometry::CheckSubscript(P.size(), 4);
  if (i < 1 || i > 3) throw geometry::Error(geometry::ErrorKind::SubscriptOutOfRange);
  const double dx = geometry::Sub(P[i].x, P[i - 1].x);
  const double dy = geometry::Sub(P[i].y, P[i - 1].y);
  return geometry::SquareRoot(dx * dx + dy * dy);
}

std::string ChordLine(int i, double d) {
  return "d(P(" + std::to_string(i - 1) + "),P(" + std::to_string(i) +
         ")) = " + std::to_string(RoundToInt32(d)) + "\r\n";
}

std::string TotalLine(double total) {
  return "Total Length = " + std::to_string(RoundToInt32(total)) + "\r\n\r\n";
}

double DivisionCount(int i) { return geometry::kDivisionCounts.at(static_cast<std::size_t>(i)); }

std::string CurveLengthLine(double n, double length) {
  const double v = geometry::Divide(RoundToInt32(geometry::Checked(length * 10000)), 10000);
  return i18n::Format(i18n::Tr("Length(%1分割)"), {FormatGeneral(n)}) + " = " + FormatGeneral(v) +
         "\r\n";
}

std::string FormatGeneral(double v) {
  if (geometry::Checked(v) == 0) return "0";
  // Fifteen significant digits from the exponent form, then laid out plainly.
  const std::string s = FormatDouble(v, std::chars_format::scientific, 14);
  const std::size_t e = s.find('e');
  const int exponent = std::atoi(s.c_str() + e + 1);
  const bool negative = s[0] == '-';
  std::string digits;
  for (char c : s.substr(0, e)) {
    if (c >= '0' && c <= '9') digits += c;
  }
  // Place the decimal point: digits[0] stands for 10^exponent.
  std::string integer, fraction;
  if (exponent >= 0) {
    const std::size_t k = static_cast<std::size_t>(exponent) + 1;
    integer =
        k <= digits.size() ? digits.substr(0, k) : digits + std::string(k - digits.size(), '0');
    fraction = k < digits.size() ? digits.substr(k) : "";
  } else {
    integer = "0";
    fraction = std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
  }
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  return (negative ? "-" : "") + integer + (fraction.empty() ? "" : "." + fraction);
}

std::string FormatDouble(double v, std::chars_format format, int precision) {
  // printf rounds exactly in every C library; only its decimal point follows
  // the locale, so the locale's is put back to '.'. (Not std::to_chars: the
  // WebAssembly build's library has none for floating point.)
  std::array<char, 400> text{};
  const int length = std::snprintf(
      text.data(), text.size(), format == std::chars_format::fixed ? "%.*f" : "%.*e", precision, v);
  if (length < 0 || static_cast<std::size_t>(length) >= text.size()) return "?";
  const std::string_view raw(text.data(), static_cast<std::size_t>(length));
  const std::string_view point = std::localeconv()->decimal_point;
  const std::size_t at = raw.find(point);
  if (point == "." || at == std::string_view::npos) return std::string(raw);
  std::string out(raw.substr(0, at));
  out.push_back('.');
  out.append(raw.substr(at + point.size()));
  return out;
}

}  // namespace scene
