#include "engine/SectionSolution.h"

#include "engine/CheckedMath.h"
#include "engine/Module1.h"

namespace vorda {

double SectionSolution::LoadSide() {
  FpStatement s;
  double a = 1.0;
  double b_coef = 0.0;
  double c_coef = 0.0;
  if (type_.family == Family::kShuntAtLoad) {
    // A shunt susceptance t puts g + j(b + t) on the unit-resistance circle
    // when t^2 + 2bt + (g^2 + b^2 - g) = 0.
    Module1::CAdmittance(r_, x_, g_, b_, boxes_);
    Store(s, b_coef, s.Add(b_, b_));
    Store(s, c_coef, s.Sub(s.Add(s.Mul(g_, g_), s.Mul(b_, b_)), g_));
  } else {
    // A series reactance t puts r + j(x + t) on the unit-conductance circle
    // when t^2 + 2xt + (x^2 + r^2 - r) = 0.
    Store(s, b_coef, s.Add(x_, x_));
    Store(s, c_coef, s.Sub(s.Add(s.Mul(x_, x_), s.Mul(r_, r_)), r_));
  }
  Module1::SolveQuadratic(a, b_coef, c_coef, root1_, root2_, boxes_);
  t_ = ChooseRoot(type_.rule, root1_, root2_);
  if (type_.family == Family::kSeriesAtLoad) return t_;
  double xs = 0.0;
  Store(s, xs, s.Div(-1.0, t_));
  return xs;
}

double SectionSolution::SourceSide() const {
  FpStatement s;
  double xf = 0.0;
  if (type_.family == Family::kShuntAtLoad) {
    // Minus the imaginary part of 1 / (g + j(b + t)), cancelled in series.
    const double num = s.Add(t_, b_);
    const double den =
        s.Add(s.Add(s.Add(s.Mul(g_, g_), s.Mul(b_, b_)), s.Mul(t_, t_)), s.Mul(s.Add(b_, b_), t_));
    Store(s, xf, s.Div(num, den));
    return xf;
  }
  // B1 is the susceptance of r + j(x + t); the shunt element cancels it.
  double sum = 0.0;
  Store(s, sum, s.Add(x_, t_));
  double b1 = 0.0;
  Store(s, b1, s.Div(-sum, s.Add(s.Mul(sum, sum), s.Mul(r_, r_))));
  Store(s, xf, s.Div(1.0, b1));
  return xf;
}

}  // namespace vorda
