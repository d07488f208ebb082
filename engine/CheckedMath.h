// Floating-point statements that watch their own IEEE exceptions.
//
// Each arithmetic operation of a statement goes through an FpStatement, which
// computes the plain IEEE result and records whether the operation would raise
// the invalid-operation, division-by-zero or overflow flag. The flags are
// derived from the operands and the result alone, so no compiler reordering
// around a status register can change them, whatever the optimisation level.
// Underflow and inexact results are not recorded: they are no faults.
//
// A statement stores its result first and then calls Raise(), which throws
// the first fault the statement met (in evaluation order). Values handed to a
// function (square root, arc tangent, sine, cosine) are checked before the
// call, as the function argument is itself a finished computation. The
// functions are the portable ones, the same to the last bit on every platform.
#pragma once

#include <cmath>
#include <optional>

#include "engine/ArithmeticFault.h"
#include "engine/PortableMath.h"

namespace vorda {

class FpStatement {
 public:
  double Add(double a, double b) { return Checked(a + b, a, b); }
  double Sub(double a, double b) { return Checked(a - b, a, b); }
  double Mul(double a, double b) { return Checked(a * b, a, b); }
  double Div(double a, double b) {
    const double r = a / b;
    if (b == 0.0 && std::isfinite(a) && a != 0.0) {
      Note(FaultKind::kDivisionByZero);
      return r;
    }
    return Checked(r, a, b);
  }

  // Square root: a negative argument is fault code 5. The argument's own
  // faults are raised first, before the function is called.
  double Sqrt(double a) {
    Raise();
    if (a < 0.0) throw ArithmeticFault{FaultKind::kNegativeSqrt};
    return std::sqrt(a);
  }
  double Atan(double a) {
    Raise();
    return portable::Atan(a);
  }
  double Sin(double a) {
    Raise();
    return Function(portable::Sin(a), a);
  }
  double Cos(double a) {
    Raise();
    return Function(portable::Cos(a), a);
  }

  // Ends the statement: throws the first recorded fault, if any.
  void Raise() {
    if (first_) {
      const FaultKind kind = *first_;
      first_.reset();
      throw ArithmeticFault{kind};
    }
  }

 private:
  void Note(FaultKind kind) {
    if (!first_) first_ = kind;
  }
  // NaN out of non-NaN operands is an invalid operation; an infinity out of
  // finite operands is an overflow.
  double Checked(double r, double a, double b) {
    if (std::isnan(r)) {
      if (!std::isnan(a) && !std::isnan(b)) Note(FaultKind::kInvalid);
    } else if (std::isinf(r) && std::isfinite(a) && std::isfinite(b)) {
      Note(FaultKind::kOverflow);
    }
    return r;
  }
  double Function(double r, double a) {
    if (std::isnan(r) && !std::isnan(a)) Note(FaultKind::kInvalid);
    return r;
  }

  std::optional<FaultKind> first_;
};

// Stores a statement's result in its target, then raises its fault, if any.
inline void Store(FpStatement& s, double& target, double value) {
  target = value;
  s.Raise();
}

}  // namespace vorda
