// Sin and Cos of radians (PortableMath.h): the fast path through the table of
// sin(i pi/512) (PortableSineKernel.h), and the double-double series where it
// cannot decide.
#include "engine/PortableMath.h"

#include "engine/DoubleDouble.h"
#include "engine/PortableMathDetail.h"
#include "engine/PortableRounding.h"
#include "engine/PortableSineKernel.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <numeric>

namespace vorda::portable {

namespace detail {

namespace {

constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;

// x = n pi/2 + r with |r| <= pi/4 (a hair more): r and n mod 4.
struct Reduced {
  DD r;
  int quadrant;
};
Reduced ReduceByHalfPi(double x) {
  if (std::fabs(x) >= 0x1p30) x = std::fmod(x, 4.0 * kHalfPi[0]);
  const double n = std::floor(x * kTwoOverPi + 0.5);
  const DD r = std::accumulate(std::begin(kHalfPi), std::end(kHalfPi), DD{x, 0.0},
                               [n](DD rest, double part) { return Sub(rest, TwoProd(n, part)); });
  int quadrant = static_cast<int>(std::fmod(n, 4.0));
  if (quadrant < 0) quadrant += 4;
  return {r, quadrant};
}

// sin (cos_wanted false) or cos of x, finite and not tiny.
double SinOrCos(double x, bool cos_wanted) {
  const Reduced red = ReduceByHalfPi(x);
  const int quadrant = (red.quadrant + (cos_wanted ? 1 : 0)) % 4;
  switch (quadrant) {
    case 0:
      return Rounded(SinSeries(red.r));
    case 1:
      return Rounded(CosSeries(red.r));
    case 2:
      return Rounded(Neg(SinSeries(red.r)));
    default:
      return Rounded(Neg(CosSeries(red.r)));
  }
}

// pi/512 = kStep1 + kStep2 + kStep3 + (below 2^-117): kStep1 and kStep2 have
// 25 significant bits, so that k kStep1 and k kStep2 are exact for |k| < 2^28.
constexpr double kStep1 = 0x1.921fb5p-8;
constexpr double kStep2 = 0x1.110b46p-34;
constexpr double kStep3 = 0x1.1a62633145c07p-62;
constexpr double kStepsPerRadian = 0x1.45f306dc9c883p+7;  // 512/pi
constexpr double kSinFastLimit = 0x1p20;

// sin(x + shift pi/512) for 2^-30 <= |x| < 2^20, with shift 0 (sin) or 256
// (cos).
//
// x = k pi/512 + r with |r| <= pi/1024 (a hair more), k = round(512 x/pi):
// a = x - k kStep1 - k kStep2 is exact (k kStep1 and k kStep2 are exact, and
// each difference is a multiple of min(ulp(x), 2^-58) below 2^53 of those),
// and r = a - k kStep3 is computed as rh + rl with TwoSum, off by at most
// |k| 2^-113 (kStep3's truncation and the rounding of k kStep3): eta for
// SinOfReduced (PortableSineKernel.h), which states the rest of the bound.
[[gnu::always_inline]] inline Estimate SinFast(double x, int shift) {
  const double kd = (x * kStepsPerRadian + kRoundingShifter) - kRoundingShifter;
  const double a = (x - kd * kStep1) - kd * kStep2;
  const DD r = TwoSum(a, -(kd * kStep3));
  return SinOfReduced(static_cast<std::int64_t>(kd) + shift, r, std::fabs(kd) * 0x1p-112);
}

// The accurate paths: the double-double series.
double SinAccurateImpl(double x) {
  return SinOrCos(x, false);
}
double CosAccurateImpl(double x) {
  return SinOrCos(x, true);
}

}  // namespace

bool SinEstimate(double x, Estimate& out) {
  const double ax = std::fabs(x);
  if (!(ax >= 0x1p-30 && ax < kSinFastLimit)) return false;
  out = SinFast(x, 0);
  return true;
}
bool CosEstimate(double x, Estimate& out) {
  const double ax = std::fabs(x);
  if (!(ax >= 0x1p-30 && ax < kSinFastLimit)) return false;
  out = SinFast(x, kSinSteps);
  return true;
}

double SinAccurate(double x) {
  return SinAccurateImpl(x);
}
double CosAccurate(double x) {
  return CosAccurateImpl(x);
}

Pair SinTableEntry(int i) {
  const DD& d = SinTable()[static_cast<std::size_t>(i)];
  return {d.hi, d.lo};
}

}  // namespace detail

double Sin(double x) {
  if (!std::isfinite(x)) return x - x;  // NaN, also for an infinity
  const double ax = std::fabs(x);
  if (ax < 0x1p-30) return x;
  double r = 0.0;
  if (ax < detail::kSinFastLimit && detail::RoundsSurely(detail::SinFast(x, 0), r)) return r;
  return detail::SinAccurateImpl(x);
}

double Cos(double x) {
  if (!std::isfinite(x)) return x - x;
  const double ax = std::fabs(x);
  if (ax < 0x1p-30) return 1.0;
  double r = 0.0;
  if (ax < detail::kSinFastLimit && detail::RoundsSurely(detail::SinFast(x, detail::kSinSteps), r))
    return r;
  return detail::CosAccurateImpl(x);
}

}  // namespace vorda::portable
