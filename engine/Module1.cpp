#include "engine/Module1.h"

#include <string>

#include "engine/CheckedMath.h"

namespace vorda::Module1 {

namespace {

// Body of MyAtan; a fault raised here ends MyAtan silently.
void MyAtanBody(double x, double y, double& angle) {
  FpStatement s;
  if (x != 0.0) {
    if (x > 0.0) {
      const double q = s.Div(y, x);
      Store(s, angle, s.Atan(q));
    } else {
      const double q = s.Div(y, x);
      const double a = s.Atan(q);
      Store(s, angle, s.Add(a, kPi));
    }
    if (angle > kPi) {
      const double turn = s.Mul(2.0, kPi);
      Store(s, angle, s.Sub(angle, turn));
    }
  } else if (y > 0.0) {
    Store(s, angle, s.Div(kPi, 2.0));
  } else {
    Store(s, angle, s.Div(-kPi, 2.0));
  }
}

}  // namespace

// Every argument of the module is passed by reference, inputs included: that
// is the routines' interface.
// cppcheck-suppress constParameter
void MyAtan(double& x, double& y, double& angle) {
  try {
    MyAtanBody(x, y, angle);
  } catch (const ArithmeticFault&) {
    // Trapped: return without a message; an unwritten angle keeps its value.
  }
}

void RectToPolar(double& x, double& y, double& magnitude, double& angle) {
  FpStatement s;
  const double sum = s.Add(s.Mul(y, y), s.Mul(x, x));
  Store(s, magnitude, s.Sqrt(sum));
  MyAtan(x, y, angle);
}

void CAdmittance(double& x, double& y, double& g, double& b, MessageBoxes& boxes) {
  double zmag = 0.0;
  double zangle = 0.0;
  double ymag = 0.0;
  double yangle = 0.0;

  // The routine's trap: code 11 is reported and execution resumes with the
  // next statement; any other code ends the routine silently.
  auto statement = [&boxes](auto&& body) -> bool {
    try {
      body();
      return true;
    } catch (const ArithmeticFault& fault) {
      if (fault.code() != kCodeDivisionByZero) return false;
      boxes.MsgBox(kCAdmittanceDivisionPrompt, MsgStyle::kPlain, kCAdmittanceTitle);
      return true;
    }
  };

  if (!statement([&] { RectToPolar(x, y, zmag, zangle); })) return;
  if (!statement([&] {
        FpStatement s;
        Store(s, ymag, s.Div(1.0, zmag));
      }))
    return;
  yangle = -zangle;
  if (!statement([&] {
        FpStatement s;
        Store(s, g, s.Mul(ymag, s.Cos(yangle)));
      }))
    return;
  statement([&] {
    FpStatement s;
    Store(s, b, s.Mul(ymag, s.Sin(yangle)));
  });
}

// cppcheck-suppress constParameter ; by reference like every argument here
void SolveQuadratic(double& a, double& b, double& c, double& root1, double& root2,
                    MessageBoxes& boxes) {
  if (a == 0.0) {
    boxes.MsgBox(kAIsZeroPrompt, MsgStyle::kCritical, kSolveQuadraticTitle);
    return;
  }
  // (-b +/- sqrt(b*b - 4*a*c)) / (2*a), the discriminant computed afresh for
  // each root.
  auto root = [&](double sign, double& target) {
    FpStatement s;
    const double disc = s.Sub(s.Mul(b, b), s.Mul(s.Mul(4.0, a), c));
    const double sq = s.Sqrt(disc);
    const double num = sign > 0 ? s.Add(-b, sq) : s.Sub(-b, sq);
    Store(s, target, s.Div(num, s.Mul(2.0, a)));
  };
  try {
    root(+1.0, root1);
    root(-1.0, root2);
  } catch (const ArithmeticFault& fault) {
    boxes.MsgBox(kUnexpectedErrorPrompt + std::to_string(fault.code()), MsgStyle::kCritical,
                 kSolveQuadraticTitle);
  }
}

}  // namespace vorda::Module1
