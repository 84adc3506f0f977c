#include "Arithmetic.h"

#include <cmath>
#include <limits>

namespace geometry {

namespace {

constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();

std::int32_t Narrow(std::int64_t v) {
  if (v < kMin || v > kMax) throw Error(ErrorKind::Overflow);
  return static_cast<std::int32_t>(v);
}

}  // namespace

const char* Error::what() const noexcept {
  switch (kind_) {
    case ErrorKind::Overflow:
      return "overflow";
    case ErrorKind::DivisionByZero:
      return "division by zero";
    case ErrorKind::InvalidOperation:
      return "invalid operation";
    case ErrorKind::SubscriptOutOfRange:
      return "subscript out of range";
  }
  return "error";
}

const char* ErrorKindName(ErrorKind kind) {
  switch (kind) {
    case ErrorKind::Overflow:
      return "Overflow";
    case ErrorKind::DivisionByZero:
      return "DivisionByZero";
    case ErrorKind::InvalidOperation:
      return "InvalidOperation";
    case ErrorKind::SubscriptOutOfRange:
      return "SubscriptOutOfRange";
  }
  return "Error";
}

std::int32_t Add(std::int32_t a, std::int32_t b) {
  return Narrow(std::int64_t{a} + std::int64_t{b});
}

std::int32_t Sub(std::int32_t a, std::int32_t b) {
  return Narrow(std::int64_t{a} - std::int64_t{b});
}

std::int32_t Mul(std::int32_t a, std::int32_t b) {
  return Narrow(std::int64_t{a} * std::int64_t{b});
}

double Checked(double v) {
  if (std::isnan(v)) throw Error(ErrorKind::InvalidOperation);
  if (std::isinf(v)) throw Error(ErrorKind::Overflow);
  return v;
}

double Divide(double a, double b) {
  if (std::isnan(a) || std::isnan(b)) throw Error(ErrorKind::InvalidOperation);
  if (b == 0.0) throw Error(a == 0.0 ? ErrorKind::InvalidOperation : ErrorKind::DivisionByZero);
  if (std::isinf(a) && std::isinf(b)) throw Error(ErrorKind::InvalidOperation);
  return Checked(a / b);
}

double SquareRoot(double v) {
  if (std::isnan(v) || v < 0.0) throw Error(ErrorKind::InvalidOperation);
  return Checked(std::sqrt(v));
}

float ToSingle(double v) {
  // Halfway between the largest float and 2^128 and beyond, the nearest-even
  // rounding gives infinity: an overflow. The test comes before the
  // conversion, which is undefined for values outside the float range.
  constexpr double kOverflowFrom = 0x1.ffffffp127;
  if (std::fabs(Checked(v)) >= kOverflowFrom) throw Error(ErrorKind::Overflow);
  return static_cast<float>(v);
}

std::int32_t RoundToInt32(double v) {
  // Ties to even in the default rounding mode; the range test is made on the
  // rounded value, so 2147483647.4 still fits and -2147483648.5 becomes -2^31.
  const double r = std::nearbyint(Checked(v));
  if (r < static_cast<double>(kMin) || r > static_cast<double>(kMax)) {
    throw Error(ErrorKind::Overflow);
  }
  return static_cast<std::int32_t>(r);
}

void CheckSubscript(std::size_t size, std::size_t required) {
  if (size < required) throw Error(ErrorKind::SubscriptOutOfRange);
}

}  // namespace geometry
