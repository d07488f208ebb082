// What the portable sines and cosines share (PortableMath.h): the Taylor
// series of sin and cos in double-double, for the accurate paths and the
// tables (Atan's too); the table of sin(i pi/512); and the fast evaluation of
// sin(k pi/512 + r) that Sin and Cos (PortableSinCos.cpp), SinDegrees and
// CosDegrees (PortableSinCosDegrees.cpp) end with.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "engine/DoubleDouble.h"
#include "engine/PortableMathDetail.h"

namespace vorda::portable::detail {

// Taylor series of sin and cos around 0, for |r| below 1.
// The factors of the series' terms, -1 / ((2k)(2k + 1)) for sin and
// -1 / ((2k - 1)(2k)) for cos, worked out once: a multiplication per term
// instead of a division.
inline constexpr int kSeriesTerms = 30;
struct SeriesFactors {
  std::array<DD, kSeriesTerms> sin{};
  std::array<DD, kSeriesTerms> cos{};
  std::array<DD, kSeriesTerms> odd{};  // 1 / (2k + 1), for atan
};
// Factors, SinSeries, CosSeries and MakeSinTable below are noexcept (none
// throws), so that the fast paths, which build their tables on their first
// call, need no unwinding path into PortableSineKernel.cpp: one would cost
// them registers, and a tenth of their speed.
const SeriesFactors& Factors() noexcept;
DD SinSeries(DD r) noexcept;
DD CosSeries(DD r) noexcept;

// Sine table: sin(i pi/512) for 0 <= i <= 256, from the series above
// (error below 2^-100 of each entry; MPFR checks them).
inline constexpr int kSinSteps = 256;  // steps of pi/512 in a quarter turn
using SinTables = std::array<DD, kSinSteps + 1>;
SinTables MakeSinTable() noexcept;
[[gnu::always_inline]] inline const SinTables& SinTable() {
  static const SinTables table = MakeSinTable();
  return table;
}

// sin(k pi/512 + r), r = rh + rl off by at most eta (|r| <= pi/1024, a hair
// more): the part after the reduction, for SinFast (PortableSinCos.cpp) and
// SinDegreesFast (PortableSinCosDegrees.cpp).
// With S = sin(k pi/512), C = cos(k pi/512) from the table,
//   sin(k pi/512 + r) = S + C r + C (sin r - r) + S (cos r - 1),
// sin r - r = r sp and cos r - 1 = cp, polynomials in z = rh^2 <= 2^-16.7
// (Taylor's, cut off below 2^-82 of the term they correct). C rh is exact
// as p + pe, S.hi + p exact as h + hl, and the rest is summed in double.
// The error, with A = |S.hi| and B = |p|:
//  - S cp: cp is off by 5 eps relative (z's rounding 3 eps, rh for r 2 eps)
//    and by 3 eps more in its evaluation and product: 2^-50.6 A z; the
//    dropped S.lo cp and the sums of lo add 4 eps A z / 2 = 2^-52 A z;
//  - C r sp: p sp is off by 8 eps relative, sp <= z/6: 2^-51.6 B z, and the
//    sums' roundings 2^-54.6 B z;
//  - the terms that do not scale with z (the table, S.lo, C.lo rh, C.hi rl,
//    pe, the sums' roundings of those): below 2^-98 (A + B);
//  - the reduction: eta, times |C| <= 1.
// That is below (2^-50.1 z + 2^-98)(A + B) + eta:
// err = (2^-49 z + 2^-97)(A + B) + eta, the callers giving eta with a margin
// of a factor of 2 (SinFast |k| 2^-112 for |k| 2^-113).
[[gnu::always_inline]] inline Estimate SinOfReduced(std::int64_t k, DD r, double eta) {
  // Quarter turn q and step i within it: sin and cos of k pi/512 are
  // +/- table[i] or +/- table[256 - i].
  const auto j = static_cast<int>(k & (4 * kSinSteps - 1));
  const int q = j / kSinSteps;
  const int i = j % kSinSteps;
  const auto& table = SinTable();
  DD s = table[static_cast<std::size_t>((q & 1) != 0 ? kSinSteps - i : i)];
  DD c = table[static_cast<std::size_t>((q & 1) != 0 ? i : kSinSteps - i)];
  if ((q & 2) != 0) s = Neg(s);
  if (((q + 1) & 2) != 0) c = Neg(c);

  const double z = r.hi * r.hi;
  const double z2 = z * z;
  const double sp = z * ((-1.0 / 6 + z * (1.0 / 120)) - z2 * (1.0 / 5040));
  const double cp = z * ((-0.5 + z * (1.0 / 24)) - z2 * (1.0 / 720));
  const DD p = TwoProd(c.hi, r.hi);
  const DD h = QuickTwoSum(s.hi, p.hi);  // |S| >= sin(pi/512) >= |p| or S = 0
  // The terms that come last (the polynomials), last.
  const double lo = ((h.lo + p.lo) + (s.lo + c.lo * r.hi + c.hi * r.lo)) + (s.hi * cp + p.hi * sp);
  const double err = (0x1p-49 * z + 0x1p-97) * (std::fabs(s.hi) + std::fabs(p.hi)) + eta;
  return {h.hi, lo, err};
}

}  // namespace vorda::portable::detail
