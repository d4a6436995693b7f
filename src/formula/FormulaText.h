// Reading pieces of a formula text (numbers, reference numbers) and the arithmetic of one
// pending operation. The literal scanner and the formula compiler share these, so both
// read the same numbers and compute the same bits.
#pragma once

#include <cmath>
#include <limits>
#include <string>
#include <string_view>

#include "formula/FormulaCodes.h"

namespace vantrel::formula {

/// An operation waiting for its right operand B (A is the accumulator).
enum class Operation {
  None,
  Add,
  Subtract,
  Multiply,
  Divide,
  Power,
  Sine,
  Cosine,
  Tangent,
  NaturalLog,
  CommonLog,
  SquareRoot
};

/// Length of the run of characters from "0123456789." at the front of `text`.
std::size_t NumberRunLength(std::u16string_view text);

/// The decimal number at the front of `text` (which starts with a digit): digits with an
/// optional point and fraction, read with the "C" convention. A second point ends it, so
/// "1.2.3" reads 1.2. There is no exponent in the formula language.
double ReadDecimalNumber(std::u16string_view text);

/// The decimal integer at the front of `text` as the C library reads one: leading blanks
/// and one sign are accepted, no digits reads 0, values beyond 32 bits saturate.
int ReadReferenceNumber(std::u16string_view text);

/// Whether the failure test of an operation refuses B: B equal to 0 or not a number for a
/// division, B below 0 or not a number for logarithms and square roots. Returns the
/// failure code, or 1 when B is acceptable.
inline int OperandCheck(Operation operation, double b) {
  switch (operation) {
    case Operation::Divide:
      return (b == 0.0 || std::isnan(b)) ? kDivisionByZero : 1;
    case Operation::NaturalLog:
    case Operation::CommonLog:
      return (b < 0.0 || std::isnan(b)) ? kLogOfNegative : 1;
    case Operation::SquareRoot:
      return (b < 0.0 || std::isnan(b)) ? kRootOfNegative : 1;
    default:
      return 1;
  }
}

/// `x`, with every not-a-number replaced by the one quiet NaN. The processor passes one
/// operand's NaN through an addition or multiplication, and which one depends on how the
/// compiler orders the operands; with one NaN every way of computing gives the same bits.
inline double CanonicalNaN(double x) {
  return std::isnan(x) ? std::numeric_limits<double>::quiet_NaN() : x;
}

/// The new accumulator when `operation` is applied to A and B, once OperandCheck accepted
/// B: add and multiply compute B op A, the others A op B; a NaN result is canonical.
inline double Combine(Operation operation, double a, double b) {
  double result = a;
  switch (operation) {
    case Operation::Add:
      result = b + a;
      break;
    case Operation::Subtract:
      result = a - b;
      break;
    case Operation::Multiply:
      result = b * a;
      break;
    case Operation::Divide:
      result = a / b;
      break;
    case Operation::Power:
      result = std::pow(a, b);
      break;
    case Operation::Sine:
      result = std::sin(b);
      break;
    case Operation::Cosine:
      result = std::cos(b);
      break;
    case Operation::Tangent:
      result = std::tan(b);
      break;
    case Operation::NaturalLog:
      result = std::log(b);
      break;
    case Operation::CommonLog:
      result = std::log10(b);
      break;
    case Operation::SquareRoot:
      result = std::sqrt(b);
      break;
    case Operation::None:
      break;
  }
  return CanonicalNaN(result);
}

/// Whether `text` begins with `prefix`.
inline bool StartsWith(std::u16string_view text, std::u16string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

}  // namespace vantrel::formula
