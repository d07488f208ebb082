// Double-double arithmetic for the portable functions (PortableMath.h): a
// value held as the unevaluated sum of two doubles, about 106 bits, from the
// basic IEEE operations alone; and the constants the function families share.
#pragma once

#include <cmath>

namespace vorda::portable::detail {

// A double-double: the unevaluated sum hi + lo, |lo| <= half an ulp of hi.
struct DD {
  double hi;
  double lo;
};

// The basic error-free transformations (Knuth, Dekker). They rely on every
// operation being rounded on its own: no contraction into fused
// multiply-adds, which the build forbids.
[[gnu::always_inline]] inline DD TwoSum(double a, double b) {
  const double s = a + b;
  const double bb = s - a;
  return {s, (a - (s - bb)) + (b - bb)};
}
// Exact when |a| >= |b| or a = 0.
[[gnu::always_inline]] inline DD QuickTwoSum(double a, double b) {
  const double s = a + b;
  return {s, b - (s - a)};
}
[[gnu::always_inline]] inline DD Split(double a) {
  constexpr double kSplitter = 134217729.0;  // 2^27 + 1
  const double t = kSplitter * a;
  const double hi = t - (t - a);
  return {hi, a - hi};
}
[[gnu::always_inline]] inline DD TwoProd(double a, double b) {
  const double p = a * b;
  const DD x = Split(a);
  const DD y = Split(b);
  return {p, ((x.hi * y.hi - p) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo};
}
// Dekker's product when b has at most 26 significant bits: a alone is split.
[[gnu::always_inline]] inline DD TwoProdShort(double a, double b) {
  const double p = a * b;
  const DD x = Split(a);
  return {p, (x.hi * b - p) + x.lo * b};
}

inline DD Add(DD a, DD b) {
  DD s = TwoSum(a.hi, b.hi);
  const DD t = TwoSum(a.lo, b.lo);
  s = QuickTwoSum(s.hi, s.lo + t.hi);
  return QuickTwoSum(s.hi, s.lo + t.lo);
}
[[gnu::always_inline]] inline DD Neg(DD a) {
  return {-a.hi, -a.lo};
}
inline DD Sub(DD a, DD b) {
  return Add(a, Neg(b));
}
inline DD Mul(DD a, DD b) {
  const DD p = TwoProd(a.hi, b.hi);
  return QuickTwoSum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}
inline DD Div(DD a, DD b) {
  const double q1 = a.hi / b.hi;
  DD r = Sub(a, Mul(b, {q1, 0.0}));
  const double q2 = r.hi / b.hi;
  r = Sub(r, Mul(b, {q2, 0.0}));
  const double q3 = r.hi / b.hi;
  return Add(QuickTwoSum(q1, q2), {q3, 0.0});
}
inline double Rounded(DD a) {
  return a.hi + a.lo;
}
inline bool Negligible(DD term, DD sum) {
  return std::fabs(term.hi) <= 0x1p-110 * std::fabs(sum.hi);
}

// pi/2 in four parts (212 bits) and ln 2 in two.
inline constexpr double kHalfPi[] = {0x1.921fb54442d18p+0, 0x1.1a62633145c07p-54,
                                     -0x1.f1976b7ed8fbcp-110, 0x1.4cf98e804177dp-164};
inline constexpr DD kHalfPiDD = {kHalfPi[0], kHalfPi[1]};
inline constexpr DD kLn2 = {0x1.62e42fefa39efp-1, 0x1.abc9e3b39803fp-56};

}  // namespace vorda::portable::detail
