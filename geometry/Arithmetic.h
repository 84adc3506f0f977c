#pragma once

// The program's arithmetic rules, written down once. Every computation of the
// program goes through these helpers so that overflow, division by zero,
// invalid operations and bad subscripts all raise the same error type at the
// step where they happen, and so that the single-precision stores and the
// ties-to-even rounding are explicit instead of left to the compiler.

#include <cstddef>
#include <cstdint>
#include <exception>

namespace geometry {

enum class ErrorKind { Overflow, DivisionByZero, InvalidOperation, SubscriptOutOfRange };

// The kind's name in the programs' outputs, the same in every language:
// "Overflow", "DivisionByZero", "InvalidOperation", "SubscriptOutOfRange".
const char* ErrorKindName(ErrorKind kind);

// The one error type the program raises.
class Error : public std::exception {
 public:
  explicit Error(ErrorKind kind) noexcept : kind_(kind) {}
  ErrorKind kind() const noexcept { return kind_; }
  const char* what() const noexcept override;

 private:
  ErrorKind kind_;
};

// Checked signed 32-bit integer arithmetic: overflow raises ErrorKind::Overflow.
std::int32_t Add(std::int32_t a, std::int32_t b);
std::int32_t Sub(std::int32_t a, std::int32_t b);
std::int32_t Mul(std::int32_t a, std::int32_t b);

// Tests a double-precision result the way the floating-point state is tested
// after every step: NaN is an invalid operation, an infinity an overflow.
double Checked(double v);

// Floating-point division: x/0 is a division by zero, 0/0 an invalid
// operation, an infinite quotient an overflow.
double Divide(double a, double b);

// Square root; a negative argument is an invalid operation.
double SquareRoot(double v);

// Store to single precision: nearest, ties to even; a finite value beyond the
// float range is an overflow.
float ToSingle(double v);

// Conversion to a signed 32-bit integer: nearest, ties to even; a value
// outside the 32-bit range is an overflow, NaN an invalid operation.
std::int32_t RoundToInt32(double v);

// Subscript check: an array of `size` elements that lacks one of the indices
// 0..required-1 raises ErrorKind::SubscriptOutOfRange.
void CheckSubscript(std::size_t size, std::size_t required);

}  // namespace geometry
