// Pow10 (PortableMath.h): the fast path through the table of 2^(j/128), and
// the double-double series where it cannot decide.
#include "engine/PortableMath.h"

#include "engine/DoubleDouble.h"
#include "engine/PortableMathDetail.h"
#include "engine/PortableRounding.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace vorda::portable {

namespace detail {

namespace {

// e^s for |s| < 1, term by term to the last bit of a double-double: slow, for
// the table below and the accurate path.
DD ExpSeries(DD s) {
  DD term{1.0, 0.0};
  DD sum{1.0, 0.0};
  for (int k = 1; k < 60; ++k) {
    term = Div(Mul(term, s), {static_cast<double>(k), 0.0});
    if (Negligible(term, sum)) break;
    sum = Add(sum, term);
  }
  return sum;
}

// 2^(j/128) for 0 <= j < 128 (error below 2^-100; MPFR checks them).
constexpr int kExpSteps = 128;
using ExpTables = std::array<DD, kExpSteps>;
[[gnu::noinline]] ExpTables MakeExpTable() {
  ExpTables t{};
  for (std::size_t j = 0; j < t.size(); ++j) {
    t[j] = ExpSeries(Mul(kLn2, {static_cast<double>(j) / kExpSteps, 0.0}));
  }
  return t;
}
[[gnu::always_inline]] inline const ExpTables& ExpTable() {
  static const ExpTables table = MakeExpTable();
  return table;
}

// log10(2)/128 = kTenStep1 + kTenStep2 + kTenStep3 + (below 2^-138):
// kTenStep1 and kTenStep2 have at most 35 significant bits, so that k times
// them is exact for |k| < 2^18.
constexpr double kTenStep1 = 0x1.3441350ap-9;
constexpr double kTenStep2 = -0x1.0c0219dcp-46;
constexpr double kTenStep3 = -0x1.da994fd20dba2p-82;
constexpr double kTenStepsPerUnit = 0x1.a934f0979a371p+8;  // 128 log2(10)
constexpr DD kLn10 = {0x1.26bb1bbb55516p+1, -0x1.f48ad494ea3e9p-53};

// 10^x = 2^(k/128) 10^r: k = round(128 log2(10) x) and r = x - k log10(2)/128
// as rh + rl, |r| <= log10(2)/256 (a hair more). x - k kTenStep1 is exact
// (as in SinFast, PortableSinCos.cpp: both multiples of ulp(x), their
// difference small), the rest is summed with TwoSum; off by at most 2^-115
// for |x| < 330.
struct TenReduced {
  DD r;
  std::int64_t k;
};
[[gnu::always_inline]] inline TenReduced ReduceForPow10(double x) {
  const double kd = (x * kTenStepsPerUnit + kRoundingShifter) - kRoundingShifter;
  const DD r0 = TwoSum(x - kd * kTenStep1, -(kd * kTenStep2));
  return {TwoSum(r0.hi, r0.lo - kd * kTenStep3), static_cast<std::int64_t>(kd)};
}

// The fast estimate, for |x| < 330.
//
// With T = 2^(j/128) from the table (j = k mod 128, n = floor(k/128)) and
// s = r ln(10) = p + sl (p + pe = rh ln(10).hi exactly, |s| <= 2^-8.5),
//   10^x = 2^n T e^s,  e^s - 1 = p + sl (1 + p) + p^2 Q(p),
// Q = 1/2 + p/6 + p^2/24 + p^3/120 + p^4/720 (Taylor's, cut off below
// 2^-55 p^2). T.hi p is exact as tp + tpe, T.hi + tp exact as h + hl, and the
// rest is summed in double. The error, with z = p^2 <= 2^-17 and 1 <= T < 2:
//  - p^2 Q: off by 4 eps relative, and by 5 eps more in the products and
//    sums that carry it, |p^2 Q| <= z/2: 2^-50.8 T z;
//  - the terms that do not scale with z (the table, the reduction, ln(10)'s
//    and s's low parts, the sums of those): below 2^-99 T.
// err = (2^-49 z + 2^-97) T.hi.
[[gnu::always_inline]] inline ScaledEstimate Pow10Fast(double x) {
  const TenReduced red = ReduceForPow10(x);
  const DD ps = TwoProd(red.r.hi, kLn10.hi);
  const double p = ps.hi;
  const double sl = ps.lo + (red.r.hi * kLn10.lo + red.r.lo * kLn10.hi);
  const double z = p * p;
  const double q = (0.5 + p * (1.0 / 6)) + z * ((1.0 / 24 + p * (1.0 / 120)) + z * (1.0 / 720));
  const double e_lo = sl * (1.0 + p) + z * q;
  const DD& t = ExpTable()[static_cast<std::size_t>(red.k & (kExpSteps - 1))];
  const DD tp = TwoProd(t.hi, p);
  const DD h = QuickTwoSum(t.hi, tp.hi);  // T >= 1 > |tp|
  const double lo = h.lo + (tp.lo + (t.lo * (1.0 + p) + t.hi * e_lo));
  const double err = (0x1p-49 * z + 0x1p-97) * t.hi;
  return {{h.hi, lo, err}, static_cast<int>(red.k >> 7)};
}

// The accurate path: the same reduction, e^s by its series and the product
// in double-double, off by at most 2^-98 of the result.
ScaledEstimate Pow10Slow(double x) {
  const TenReduced red = ReduceForPow10(x);
  const DD t = ExpTable()[static_cast<std::size_t>(red.k & (kExpSteps - 1))];
  const DD y = Mul(t, ExpSeries(Mul(red.r, kLn10)));
  return {{y.hi, y.lo, 0x1p-98 * y.hi}, static_cast<int>(red.k >> 7)};
}

// 10^23 is the one power of ten that lies exactly halfway between two
// doubles (5^23 has 54 bits): it rounds to the even one.
constexpr double kTenTo23 = 0x1.52d02c7e14af6p+76;

// The accurate path's result, decided or not (it is off by 2^-98 at most).
double Pow10AccurateImpl(double x) {
  if (x == 23.0) return kTenTo23;
  double r = 0.0;
  RoundsSurelyScaled(Pow10Slow(x), r);
  return r;
}

}  // namespace

bool Pow10Estimate(double x, Estimate& out, int& n) {
  if (!(std::fabs(x) >= 0x1p-56 && std::fabs(x) < 330.0)) return false;
  const ScaledEstimate s = Pow10Fast(x);
  out = s.e;
  n = s.n;
  return true;
}
double Pow10Accurate(double x) {
  return Pow10AccurateImpl(x);
}
Pair Pow2TableEntry(int j) {
  const DD& d = ExpTable()[static_cast<std::size_t>(j)];
  return {d.hi, d.lo};
}

}  // namespace detail

double Pow10(double x) {
  if (std::isnan(x)) return x;
  // 10^x rounds to 1 below 2^-56 (10^x - 1 ~ 2.3 x), to infinity above
  // log10 of the largest double and half an ulp (308.2547...), to 0 below
  // log10(2^-1075) = -323.6...
  if (std::fabs(x) < 0x1p-56) return 1.0;
  if (x > 308.2548) return std::numeric_limits<double>::infinity();
  if (x < -324.0) return 0.0;
  double r = 0.0;
  if (detail::RoundsSurelyScaled(detail::Pow10Fast(x), r)) return r;
  return detail::Pow10AccurateImpl(x);
}

}  // namespace vorda::portable
