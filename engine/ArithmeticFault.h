// Arithmetic faults of the matching engine and their run-time error codes.
#pragma once

#include <string>

namespace vorda {

// What went wrong in one floating-point statement.
enum class FaultKind {
  kNegativeSqrt,    // square root of a negative number
  kInvalid,         // IEEE invalid operation, e.g. 0 / 0 or inf - inf
  kDivisionByZero,  // IEEE division by zero: a non-zero number divided by 0
  kOverflow,        // IEEE overflow: a finite result too large for a double
};

// Run-time error codes as the user sees them: 5, 6 and 11.
inline constexpr int kCodeInvalidArgument = 5;
inline constexpr int kCodeOverflow = 6;
inline constexpr int kCodeDivisionByZero = 11;

constexpr int FaultCode(FaultKind kind) {
  switch (kind) {
    case FaultKind::kNegativeSqrt:
      return kCodeInvalidArgument;
    case FaultKind::kDivisionByZero:
      return kCodeDivisionByZero;
    case FaultKind::kInvalid:
    case FaultKind::kOverflow:
      break;
  }
  return kCodeOverflow;
}

// Raised at the end of a statement whose arithmetic faulted, after the
// statement has stored its IEEE result.
struct ArithmeticFault {
  FaultKind kind;
  int code() const { return FaultCode(kind); }
};

// A short English name of the fault, e.g. "division by zero".
std::string FaultName(FaultKind kind);

}  // namespace vorda
