// The rounding shared by the portable functions' fast paths (PortableMath.h):
// an estimate is returned rounded only when the whole interval its error
// bound vouches for rounds to the same double.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>

#include "engine/DoubleDouble.h"
#include "engine/PortableMathDetail.h"

namespace vorda::portable::detail {

// The fast paths. Each returns an estimate hi + lo of its function with a
// bound err on the error, worked out term by term beside it (eps = 2^-53 is
// the unit roundoff; each bound is rounded up with a margin of a factor of 1.5
// or more, which also covers the rounding of err's own computation). The
// bound is computed for each argument from the sizes of the terms, so that it
// stays tight where the result is small. tests/engine/PortableMathMpfrCheck.cpp
// checks the bounds against MPFR on millions of arguments.
//
// Each family has its own file: PortableSinCos.cpp, PortableAtan.cpp,
// PortableLog10.cpp, PortablePow10.cpp and PortableSinCosDegrees.cpp, with
// PortableSineKernel.h for what the sines and cosines share.

// hi + lo rounded, when every value within err of hi + lo rounds to the same
// double, so that the exact value does too (rounding is monotonic). The
// additions lo +/- err round too, by at most 2^-53 (|lo| + err): each err
// here is at least 2^-50 |lo| and 1.5 times the error it bounds, which
// covers that.
[[gnu::always_inline]] inline bool RoundsSurely(const Estimate& e, double& out) {
  const double up = e.hi + (e.lo + e.err);
  const double down = e.hi + (e.lo - e.err);
  out = up;
  return up == down;
}

// Adding and subtracting it rounds x to a whole number (for |x| < 2^51).
inline constexpr double kRoundingShifter = 0x1.8p52;

// A value as (hi + lo) 2^n, with the error bound err on hi + lo: 10^x, and
// the sine of tiny angles in degrees.
struct ScaledEstimate {
  Estimate e;
  int n;
};

// 2^n for -1022 <= n <= 1023.
inline double PowerOfTwo(int n) {
  return std::bit_cast<double>(static_cast<std::uint64_t>(n + 1023) << 52);
}

// (hi + lo) 2^n rounded once, and whether every value within err of hi + lo
// rounds the same way. Below 2^-1021 the doubles are the multiples of
// 2^-1074, and the sum is rounded to one of those directly rather than to 53
// bits first.
inline bool RoundsSurelyScaled(ScaledEstimate s, double& out) {
  Estimate& e = s.e;
  const DD sum = QuickTwoSum(e.hi, e.lo);  // hi + lo rounded, and what is left
  e.hi = sum.hi;
  e.lo = sum.lo;
  if (e.hi < 1.0) {  // hi in [1, 2): all exact
    e = {2.0 * e.hi, 2.0 * e.lo, 2.0 * e.err};
    --s.n;
  } else if (e.hi >= 2.0) {
    e = {0.5 * e.hi, 0.5 * e.lo, 0.5 * e.err};
    ++s.n;
  }
  if (s.n > -1022) {
    double r = 0.0;
    const bool sure = RoundsSurely(e, r);
    if (!sure) r = e.hi + e.lo;
    // r 2^n, exact, or infinity where it overflows, as the exact value
    // rounds there too.
    out = s.n > 1023 ? (r * PowerOfTwo(1023)) * PowerOfTwo(s.n - 1023) : r * PowerOfTwo(s.n);
    return sure;
  }
  // v = (hi + lo) 2^n < 2^-1021: v 2^1074 = H + L (exact scalings, H < 2^53,
  // |L| <= 1/2) to the nearest whole number I + adjust.
  const double scale = std::ldexp(1.0, s.n + 1074);
  const double big = e.hi * scale;
  const double whole = big >= 0x1p52 ? big : (big + 0x1p52) - 0x1p52;
  const double rest = (big - whole) + e.lo * scale;  // |rest| <= 1/2 + a hair
  const double edge = std::fabs(rest) - 0.5;
  const double adjust = edge < 0.0 ? 0.0 : (rest < 0.0 ? -1.0 : 1.0);
  out = (whole + adjust) * 0x1p-1074;
  return std::fabs(edge) > e.err * scale + 0x1p-52;
}

}  // namespace vorda::portable::detail
