// SinDegrees and CosDegrees (PortableMath.h): an angle in degrees reduces
// exactly, to the table of sin(i pi/512) (PortableSineKernel.h) for the fast
// path and to a quarter turn for the double-double series.
#include "engine/PortableMath.h"

#include "engine/DoubleDouble.h"
#include "engine/PortableMathDetail.h"
#include "engine/PortableRounding.h"
#include "engine/PortableSineKernel.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace vorda::portable {

namespace detail {

namespace {

// x degrees = quarter turns of 90 degrees + r degrees, |r| <= 45 (a hair
// more), both exact: below 2^40, q is round(x/90) but within 2^-58 of a
// half, and x - 90 q is exact (Sterbenz); above, x is first reduced modulo
// 360 by fmod, which is exact. theta = r pi/180 as a double-double is off by
// at most 2^-105 |theta|.
constexpr DD kRadiansPerDegree = {0x1.1df46a2529d39p-6, 0x1.5c1d8becdd291p-62};
struct DegreesReduced {
  DD theta;
  int quarter;
};
[[gnu::always_inline]] inline DegreesReduced ReduceDegrees(double x) {
  const double xr = std::fabs(x) < 0x1p40 ? x : std::fmod(x, 360.0);
  const double qd = (xr * (1.0 / 90) + kRoundingShifter) - kRoundingShifter;
  const double r = xr - 90.0 * qd;
  const DD p = TwoProd(r, kRadiansPerDegree.hi);
  return {QuickTwoSum(p.hi, p.lo + r * kRadiansPerDegree.lo),
          static_cast<int>(static_cast<std::int64_t>(qd) & 3)};
}

// The fast path in degrees: the table's steps of pi/512 are 45/128 of a
// degree, exactly. Below 2^40 degrees (above, fmod(x, 360) first, exact),
// x = k 45/128 + r with k = round(128 x/45) but within 2^-11 of a half, so
// |r| <= 45/256 (a hair more), and r = x - k 45/128 is exact (k 45/128 is,
// and the difference is small: Sterbenz, or k = 0). theta = r pi/180 is a
// double-double off by at most 2^-105 |theta|, and sin(x degrees) =
// sin(k pi/512 + theta) by SinOfReduced with eta = 2^-104 |theta|.
constexpr double kStepsPerDegree = 128.0 / 45;
constexpr double kDegreesPerStep = 45.0 / 128;
struct DegreeSteps {
  std::int64_t k;  // with the quarter turn of the cosine
  double r;
};
[[gnu::always_inline]] inline DegreeSteps StepDegrees(double x, int shift) {
  const double xr = std::fabs(x) < 0x1p40 ? x : std::fmod(x, 360.0);
  const double kd = (xr * kStepsPerDegree + kRoundingShifter) - kRoundingShifter;
  const std::int64_t turn = std::int64_t{kSinSteps} * shift;
  return {static_cast<std::int64_t>(kd) + turn, xr - kd * kDegreesPerStep};
}
[[gnu::always_inline]] inline Estimate SinDegreesFast(const DegreeSteps& d) {
  const DD p = TwoProd(d.r, kRadiansPerDegree.hi);
  const DD theta = QuickTwoSum(p.hi, p.lo + d.r * kRadiansPerDegree.lo);
  return SinOfReduced(d.k, theta, std::fabs(theta.hi) * 0x1p-104);
}
// At whole quarter turns (r = 0, k a multiple of 256) the result is exact.
[[gnu::always_inline]] inline bool WholeQuarterTurn(const DegreeSteps& d) {
  return d.r == 0.0 && (d.k & (kSinSteps - 1)) == 0;
}

// The accurate path: the series of sin or cos of theta in double-double.
double SinDegreesSeries(const DegreesReduced& d, int shift) {
  switch ((d.quarter + shift) & 3) {
    case 0:
      return Rounded(SinSeries(d.theta));
    case 1:
      return Rounded(CosSeries(d.theta));
    case 2:
      return Rounded(Neg(SinSeries(d.theta)));
    default:
      return Rounded(Neg(CosSeries(d.theta)));
  }
}

// sin or cos (shift 0 or 1) of x degrees.
double SinOrCosDegrees(double x, int shift) {
  if (!std::isfinite(x)) return x - x;  // NaN, also for an infinity
  const double ax = std::fabs(x);
  if (shift == 1 && ax < 0x1p-21) return 1.0;  // 1 - theta^2/2 rounds to 1
  if (ax < 0x1p-900) {
    if (x == 0.0) return x;
    // sin(theta) rounds as theta does, theta^3/6 being below 2^-1800 of it:
    // theta 2^1000 as a double-double, rounded once at its real scale (the
    // result may be subnormal).
    const DD p = TwoProd(ax * 0x1p1000, kRadiansPerDegree.hi);
    const DD t = QuickTwoSum(p.hi, p.lo + ax * 0x1p1000 * kRadiansPerDegree.lo);
    int e = 0;
    const double m = std::frexp(t.hi, &e);
    const double scale = std::ldexp(2.0, -e);
    double r = 0.0;
    RoundsSurelyScaled({{m * 2.0, t.lo * scale, 0.0}, e - 1 - 1000}, r);
    return x < 0.0 ? -r : r;
  }
  const DegreeSteps d = StepDegrees(x, shift);
  if (WholeQuarterTurn(d)) {
    // sin(q 90 degrees) = 0, 1, 0, -1 for q = 0 to 3 mod 4 (the cosine's q
    // one more); the sine's zeros keep x's sign, the cosine's are +0.
    const auto q = (d.k / kSinSteps) & 3;
    if (q == 1) return 1.0;
    if (q == 3) return -1.0;
    return shift == 0 ? std::copysign(0.0, x) : 0.0;
  }
  double r = 0.0;
  if (RoundsSurely(SinDegreesFast(d), r)) return r;
  return SinDegreesSeries(ReduceDegrees(x), shift);
}

}  // namespace

bool SinDegreesEstimate(double x, Estimate& out) {
  if (!(std::fabs(x) >= 0x1p-900 && std::fabs(x) < std::numeric_limits<double>::infinity())) {
    return false;
  }
  const DegreeSteps d = StepDegrees(x, 0);
  if (WholeQuarterTurn(d)) return false;
  out = SinDegreesFast(d);
  return true;
}
bool CosDegreesEstimate(double x, Estimate& out) {
  if (!(std::fabs(x) >= 0x1p-21 && std::fabs(x) < std::numeric_limits<double>::infinity())) {
    return false;
  }
  const DegreeSteps d = StepDegrees(x, 1);
  if (WholeQuarterTurn(d)) return false;
  out = SinDegreesFast(d);
  return true;
}
double SinDegreesAccurate(double x) {
  return WholeQuarterTurn(StepDegrees(x, 0)) ? SinDegrees(x)
                                             : SinDegreesSeries(ReduceDegrees(x), 0);
}
double CosDegreesAccurate(double x) {
  return WholeQuarterTurn(StepDegrees(x, 1)) ? CosDegrees(x)
                                             : SinDegreesSeries(ReduceDegrees(x), 1);
}

}  // namespace detail

double SinDegrees(double x) {
  return detail::SinOrCosDegrees(x, 0);
}

double CosDegrees(double x) {
  return detail::SinOrCosDegrees(x, 1);
}

}  // namespace vorda::portable
