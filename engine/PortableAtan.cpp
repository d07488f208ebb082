// Atan (PortableMath.h): the fast path through the tables of atan(i/64), and
// the double-double series where it cannot decide.
#include "engine/PortableMath.h"

#include "engine/DoubleDouble.h"
#include "engine/PortableMathDetail.h"
#include "engine/PortableRounding.h"
#include "engine/PortableSineKernel.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace vorda::portable {

namespace detail {

namespace {

// atan(t) for 0 < t <= 1: a rough estimate y0 corrected by the exact identity
// atan(t) = y0 + atan((t cos y0 - sin y0) / (cos y0 + t sin y0)), whose
// argument is below 0.005, so that its series is short.
DD AtanCore(DD t) {
  const double y0 = t.hi / (1.0 + 0.28125 * t.hi * t.hi);
  const DD s = SinSeries({y0, 0.0});
  const DD c = CosSeries({y0, 0.0});
  const DD d = Div(Sub(Mul(t, c), s), Add(c, Mul(t, s)));
  const DD d2 = Mul(d, d);
  DD power = d;
  DD sum = d;
  for (std::size_t k = 1; k < kSeriesTerms; ++k) {
    power = Neg(Mul(power, d2));
    const DD term = Mul(power, Factors().odd[k]);
    if (Negligible(term, sum)) break;
    sum = Add(sum, term);
  }
  return Add({y0, 0.0}, sum);
}

// Arc tangent tables: atan(i/64) and pi/2 - atan(i/64) for 0 <= i <= 64,
// from the double-double path (error below 2^-100; MPFR checks them).
constexpr int kAtanSteps = 64;
// For t > 1, the index i near 64/t comes from the bits of t rather than a
// division: t's exponent (0 to 6) and the top 7 bits of its fraction pick a
// bin, and each bin the i nearest to 64/t over it, off by at most 3/4 (from
// t = 128 on, i = 0, off by at most 1/2).
constexpr int kAtanBins = 7 * 128;
struct AtanTables {
  std::array<DD, kAtanSteps + 1> atan{};
  std::array<DD, kAtanSteps + 1> complement{};
  std::array<std::uint8_t, kAtanBins + 1> index{};
};
[[gnu::noinline]] AtanTables MakeAtanTables() {
  AtanTables t;
  t.complement[0] = kHalfPiDD;
  for (int i = 1; i <= kAtanSteps; ++i) {
    const auto k = static_cast<std::size_t>(i);
    t.atan[k] = AtanCore({static_cast<double>(i) / kAtanSteps, 0.0});
    t.complement[k] = Sub(kHalfPiDD, t.atan[k]);
  }
  for (int bin = 0; bin < kAtanBins; ++bin) {
    const double low = std::ldexp(1.0 + (bin % 128) / 128.0, bin / 128);
    const double high = std::ldexp(1.0 + (bin % 128 + 1) / 128.0, bin / 128);
    const double middle = 0.5 * (kAtanSteps / low + kAtanSteps / high);
    t.index[static_cast<std::size_t>(bin)] = static_cast<std::uint8_t>(std::lround(middle));
  }
  return t;
}
[[gnu::always_inline]] inline const AtanTables& AtanTable() {
  static const AtanTables tables = MakeAtanTables();
  return tables;
}

// atan(x) for 2^-30 <= |x| < 2^60.
//
// With c = i/64 the table point nearest to t = |x| (or to 1/t when t > 1),
//   atan(t) = atan(c) + atan(d),          d = (t - c) / (1 + t c)  (t <= 1),
//   atan(t) = pi/2 - atan(c) + atan(d),   d = (t c - 1) / (t + c)  (t > 1),
// |d| <= 2^-7 (t <= 1) or 3/256 (t > 1: the index off by 3/4 at most).
// t c is exact as a double-double (c has 7 bits),
// t - c and t.hi c - 1 are exact (Sterbenz), and d = q + ql is a
// double-double quotient, off by at most 2^-102 |q|. Then
//   atan(d) = d + q P, P = z (-1/3 + z/5 - z^2/7 + z^3/9), z = q^2 < 2^-12.8
// (Taylor's, cut off below 2^-54 z of d). The table entry H (atan(c) or
// pi/2 - atan(c)): H.hi + q is exact as h + hl, the rest is summed in
// double. The error:
//  - q P: P is off by 5.3 eps relative, q P by 7.3 eps, P <= z/3:
//    2^-51.7 |q| z; the sums' roundings 2^-53 |q| z; the series' cut
//    2^-54 |q| z;
//  - the table, the quotient and the sums of the small terms: below
//    2^-99 (|H.hi| + |q|).
// err = 2^-50 |q| z + 2^-97 (|H.hi| + |q|).
[[gnu::always_inline]] inline Estimate AtanFast(double t) {
  DD num{};
  DD den{};
  DD table{};
  const AtanTables& tables = AtanTable();
  if (t <= 1.0) {
    const auto i = static_cast<int>((t * kAtanSteps + kRoundingShifter) - kRoundingShifter);
    const double c = static_cast<double>(i) / kAtanSteps;
    const DD tc = TwoProdShort(t, c);
    num = {t - c, 0.0};
    den = QuickTwoSum(1.0, tc.hi);
    den.lo += tc.lo;
    table = tables.atan[static_cast<std::size_t>(i)];
  } else {
    // atan(t) = pi/2 - atan(1/t) = pi/2 - atan(c) - atan((1 - t c)/(t + c)).
    constexpr std::uint64_t kOne = std::bit_cast<std::uint64_t>(1.0) >> 45;
    const std::uint64_t bin =
        std::min((std::bit_cast<std::uint64_t>(t) >> 45) - kOne, std::uint64_t{kAtanBins});
    const int i = tables.index[bin];
    const double c = static_cast<double>(i) / kAtanSteps;
    const DD tc = TwoProdShort(t, c);
    num = TwoSum(tc.hi - 1.0, tc.lo);
    den = QuickTwoSum(t, c);
    table = tables.complement[static_cast<std::size_t>(i)];
  }
  // d = num / den: q, then the remainder num - q den divided again.
  // q need not be the rounded quotient: the remainder is exact all the same.
  const double inverse = 1.0 / den.hi;
  const double q = num.hi * inverse;
  const DD qd = TwoProd(q, den.hi);
  const double ql = ((((num.hi - qd.hi) - qd.lo) + num.lo) - q * den.lo) * inverse;

  const double z = q * q;
  const double poly = z * ((-1.0 / 3 + z * (1.0 / 5)) + (z * z) * (-1.0 / 7 + z * (1.0 / 9)));
  const DD h = QuickTwoSum(table.hi, q);                  // |atan(c)| >= 1/64 > |q| or c = 0
  const double lo = ((h.lo + table.lo) + q * poly) + ql;  // ql comes last
  const double err = 0x1p-50 * std::fabs(q) * z + 0x1p-97 * (std::fabs(table.hi) + std::fabs(q));
  return {h.hi, lo, err};
}

// The accurate path: the double-double series.
double AtanAccurateImpl(double x) {
  const double ax = std::fabs(x);
  double r = kHalfPi[0];  // pi/2 - atan(1/ax) rounds to it from 2^60 on
  if (ax <= 1.0) {
    r = Rounded(AtanCore({ax, 0.0}));
  } else if (ax < 0x1p60) {
    r = Rounded(Sub(kHalfPiDD, AtanCore(Div({1.0, 0.0}, {ax, 0.0}))));
  }
  return x < 0.0 ? -r : r;
}

}  // namespace

bool AtanEstimate(double x, Estimate& out) {
  const double ax = std::fabs(x);
  if (!(ax >= 0x1p-30 && ax < 0x1p60)) return false;
  out = AtanFast(ax);
  if (x < 0.0) out = {-out.hi, -out.lo, out.err};
  return true;
}

double AtanAccurate(double x) {
  return AtanAccurateImpl(x);
}

Pair AtanTableEntry(int i) {
  const DD& d = AtanTable().atan[static_cast<std::size_t>(i)];
  return {d.hi, d.lo};
}
Pair AtanComplementEntry(int i) {
  const DD& d = AtanTable().complement[static_cast<std::size_t>(i)];
  return {d.hi, d.lo};
}

}  // namespace detail

double Atan(double x) {
  if (std::isnan(x)) return x;
  const double ax = std::fabs(x);
  if (ax < 0x1p-30) return x;
  if (ax >= 0x1p60) return x < 0.0 ? -detail::kHalfPi[0] : detail::kHalfPi[0];
  double r = 0.0;
  if (detail::RoundsSurely(detail::AtanFast(ax), r)) return x < 0.0 ? -r : r;
  return detail::AtanAccurateImpl(x);
}

}  // namespace vorda::portable
