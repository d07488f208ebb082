#include "engine/PortableMath.h"

#include "engine/PortableMathDetail.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <numeric>

namespace vorda::portable {

namespace {

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

DD Add(DD a, DD b) {
  DD s = TwoSum(a.hi, b.hi);
  const DD t = TwoSum(a.lo, b.lo);
  s = QuickTwoSum(s.hi, s.lo + t.hi);
  return QuickTwoSum(s.hi, s.lo + t.lo);
}
[[gnu::always_inline]] inline DD Neg(DD a) {
  return {-a.hi, -a.lo};
}
DD Sub(DD a, DD b) {
  return Add(a, Neg(b));
}
DD Mul(DD a, DD b) {
  const DD p = TwoProd(a.hi, b.hi);
  return QuickTwoSum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}
DD Div(DD a, DD b) {
  const double q1 = a.hi / b.hi;
  DD r = Sub(a, Mul(b, {q1, 0.0}));
  const double q2 = r.hi / b.hi;
  r = Sub(r, Mul(b, {q2, 0.0}));
  const double q3 = r.hi / b.hi;
  return Add(QuickTwoSum(q1, q2), {q3, 0.0});
}
double Rounded(DD a) {
  return a.hi + a.lo;
}
bool Negligible(DD term, DD sum) {
  return std::fabs(term.hi) <= 0x1p-110 * std::fabs(sum.hi);
}

// pi/2 in four parts (212 bits), ln 2 and 1/ln 10 in two.
constexpr double kHalfPi[] = {0x1.921fb54442d18p+0, 0x1.1a62633145c07p-54, -0x1.f1976b7ed8fbcp-110,
                              0x1.4cf98e804177dp-164};
constexpr DD kHalfPiDD = {kHalfPi[0], kHalfPi[1]};
constexpr DD kLn2 = {0x1.62e42fefa39efp-1, 0x1.abc9e3b39803fp-56};
constexpr DD kInvLn10 = {0x1.bcb7b1526e50ep-2, 0x1.95355baaafad3p-57};
constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;

// Taylor series of sin and cos around 0, for |r| below 1.
// The factors of the series' terms, -1 / ((2k)(2k + 1)) for sin and
// -1 / ((2k - 1)(2k)) for cos, worked out once: a multiplication per term
// instead of a division.
constexpr int kSeriesTerms = 30;
struct SeriesFactors {
  std::array<DD, kSeriesTerms> sin{};
  std::array<DD, kSeriesTerms> cos{};
  std::array<DD, kSeriesTerms> odd{};  // 1 / (2k + 1), for atan
};
const SeriesFactors& Factors() {
  static const SeriesFactors f = [] {
    SeriesFactors t;
    for (int k = 1; k < kSeriesTerms; ++k) {
      const auto i = static_cast<std::size_t>(k);
      t.sin[i] = Div({-1.0, 0.0}, {(2.0 * k) * (2.0 * k + 1.0), 0.0});
      t.cos[i] = Div({-1.0, 0.0}, {(2.0 * k - 1.0) * (2.0 * k), 0.0});
      t.odd[i] = Div({1.0, 0.0}, {2.0 * k + 1.0, 0.0});
    }
    return t;
  }();
  return f;
}

DD Series(DD r2, DD first, const std::array<DD, kSeriesTerms>& factors) {
  DD term = first;
  DD sum = first;
  for (std::size_t k = 1; k < kSeriesTerms && !Negligible(term, sum); ++k) {
    term = Mul(Mul(term, r2), factors[k]);
    sum = Add(sum, term);
  }
  return sum;
}
DD SinSeries(DD r) {
  return Series(Mul(r, r), r, Factors().sin);
}
DD CosSeries(DD r) {
  return Series(Mul(r, r), {1.0, 0.0}, Factors().cos);
}

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

// ln m for 1 <= m <= 2 from the series 2 atanh((m - 1) / (m + 1)), term by
// term to the last bit of a double-double: slow, for the table below.
DD LnSeries(double m) {
  const DD s = Div(TwoSum(m, -1.0), TwoSum(m, 1.0));
  const DD s2 = Mul(s, s);
  DD power = s;
  DD sum = s;
  for (int k = 1; k < 60; ++k) {
    power = Mul(power, s2);
    const DD term = Div(power, {2.0 * k + 1.0, 0.0});
    if (Negligible(term, sum)) break;
    sum = Add(sum, term);
  }
  return Mul(sum, {2.0, 0.0});
}

constexpr int kLnTableSize = 128;

// ln(1 + i/128) for i = 0 ... 127, computed once.
const std::array<DD, kLnTableSize>& LnTable() {
  static const std::array<DD, kLnTableSize> table = [] {
    std::array<DD, kLnTableSize> t{};
    for (int i = 0; i < kLnTableSize; ++i) {
      t[static_cast<std::size_t>(i)] = LnSeries(1.0 + static_cast<double>(i) / kLnTableSize);
    }
    return t;
  }();
  return table;
}

DD OneThird() {
  static const DD third = Div({1.0, 0.0}, {3.0, 0.0});
  return third;
}

// ---------------------------------------------------------------------------
// The fast paths. Each returns an estimate hi + lo of its function with a
// bound err on the error, worked out below term by term (eps = 2^-53 is the
// unit roundoff; each bound is rounded up with a margin of a factor of 1.5 or
// more, which also covers the rounding of err's own computation). The bound
// is computed for each argument from the sizes of the terms, so that it stays
// tight where the result is small. tests/engine/PortableMathMpfrCheck.cpp
// checks the bounds against MPFR on millions of arguments.

using detail::Estimate;

// Dekker's product when b has at most 26 significant bits: a alone is split.
[[gnu::always_inline]] inline DD TwoProdShort(double a, double b) {
  const double p = a * b;
  const DD x = Split(a);
  return {p, (x.hi * b - p) + x.lo * b};
}

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

// Sine table: sin(i pi/512) for 0 <= i <= 256, from the series above
// (error below 2^-100 of each entry; MPFR checks them).
constexpr int kSinSteps = 256;  // steps of pi/512 in a quarter turn
using SinTables = std::array<DD, kSinSteps + 1>;
[[gnu::noinline]] SinTables MakeSinTable() {
  SinTables t{};
  for (std::size_t i = 0; i < t.size(); ++i) {
    // Past an eighth of a turn, the cosine of the complement.
    const bool low = i <= kSinSteps / 2;
    const std::size_t j = low ? i : kSinSteps - i;
    const DD angle = Mul(kHalfPiDD, {static_cast<double>(j) / kSinSteps, 0.0});
    t[i] = low ? SinSeries(angle) : CosSeries(angle);
  }
  return t;
}
[[gnu::always_inline]] inline const SinTables& SinTable() {
  static const SinTables table = MakeSinTable();
  return table;
}

// pi/512 = kStep1 + kStep2 + kStep3 + (below 2^-117): kStep1 and kStep2 have
// 25 significant bits, so that k kStep1 and k kStep2 are exact for |k| < 2^28.
constexpr double kStep1 = 0x1.921fb5p-8;
constexpr double kStep2 = 0x1.110b46p-34;
constexpr double kStep3 = 0x1.1a62633145c07p-62;
constexpr double kStepsPerRadian = 0x1.45f306dc9c883p+7;  // 512/pi
constexpr double kRoundingShifter = 0x1.8p52;
constexpr double kSinFastLimit = 0x1p20;

// sin(x + shift pi/512) for 2^-30 <= |x| < 2^20, with shift 0 (sin) or 256
// (cos).
//
// x = k pi/512 + r with |r| <= pi/1024 (a hair more), k = round(512 x/pi):
// a = x - k kStep1 - k kStep2 is exact (k kStep1 and k kStep2 are exact, and
// each difference is a multiple of min(ulp(x), 2^-58) below 2^53 of those),
// and r = a - k kStep3 is computed as rh + rl with TwoSum, off by at most
// |k| 2^-113 (kStep3's truncation and the rounding of k kStep3): eta below.
// Then with S = sin(k pi/512), C = cos(k pi/512) from the table,
//   sin(x) = S + C r + C (sin r - r) + S (cos r - 1),
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
//  - the reduction: eta = |k| 2^-113, times |C| <= 1.
// That is below (2^-50.1 z + 2^-98)(A + B) + eta:
// err = (2^-49 z + 2^-97)(A + B) + |k| 2^-112.
//
// SinOfReduced is the part after the reduction, for SinFast and SinDegrees:
// sin(k pi/512 + r), r = rh + rl off by at most eta.
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
[[gnu::always_inline]] inline Estimate SinFast(double x, int shift) {
  const double kd = (x * kStepsPerRadian + kRoundingShifter) - kRoundingShifter;
  const double a = (x - kd * kStep1) - kd * kStep2;
  const DD r = TwoSum(a, -(kd * kStep3));
  return SinOfReduced(static_cast<std::int64_t>(kd) + shift, r, std::fabs(kd) * 0x1p-112);
}

// ---------------------------------------------------------------------------
// Sine and cosine of degrees.

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
// sin(k pi/512 + theta) as in SinFast with eta = 2^-104 |theta|.
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

// Log10's intervals: x = 2^e m with 1 <= m < 2 falls in interval i, m
// rounded to a multiple of 1/128: m = 1 + i/128 within 1/256, 0 <= i <= 128.
// From i = 53 on (m > 1.41), m/2 is used and e + 1, so that m is near 1 and
// log10(m) small. Each interval has a factor f of at most 21 bits, the
// reciprocal of its middle, and -log10(f); the intervals at 1 (i = 0 and
// 128) have f = 1, so that log10(m) has no table term there. The factor is
// stored halved where m is, so that m f needs no halving of m.
constexpr int kLogIntervals = 128;
constexpr int kLogHalved = 53;
struct Log10Tables {
  std::array<double, kLogIntervals + 1> factor{};
  std::array<DD, kLogIntervals + 1> minus_log{};
};
[[gnu::noinline]] Log10Tables MakeLog10Tables() {
  Log10Tables t;
  for (int i = 0; i <= kLogIntervals; ++i) {
    const auto k = static_cast<std::size_t>(i);
    double middle = 1.0 + static_cast<double>(i) / kLogIntervals;
    if (i >= kLogHalved) middle *= 0.5;
    const double f =
        (i == 0 || i == kLogIntervals) ? 1.0 : std::nearbyint(0x1p20 / middle) * 0x1p-20;
    t.minus_log[k] = Neg(Mul(LnSeries(f), kInvLn10));
    t.factor[k] = i >= kLogHalved ? 0.5 * f : f;
  }
  return t;
}
[[gnu::always_inline]] inline const Log10Tables& Log10Table() {
  static const Log10Tables tables = MakeLog10Tables();
  return tables;
}

// log10(2) = kLog10Of2.hi + kLog10Of2.lo + (below 2^-113).
constexpr DD kLog10Of2 = {0x1.34413509f79ffp-2, -0x1.9dc1da994fd21p-59};
constexpr DD SplitConstant(double a) {
  const double t = 134217729.0 * a;
  const double hi = t - (t - a);
  return {hi, a - hi};
}
constexpr DD kInvLn10Split = SplitConstant(kInvLn10.hi);
constexpr DD kLog10Of2Split = SplitConstant(kLog10Of2.hi);

// log10(x) for finite x > 0.
//
// x = 2^e m as above, f the factor of m's interval: m f = 1 + u exactly, u =
// uh + ul with uh = m f - 1 rounded (exact: m f is within 1% of 1) and ul
// the product's rounding error (zero when f = 1), |u| <= 2^-8 (a hair more).
// Then
//   log10(x) = e log10(2) - log10(f) + log10(1 + u),
//   ln(1 + u) = uh - uh^2/2 + uh^3 Q(uh) + ul (1 - uh)(1 + uh^2) + ...,
// Q = 1/3 - uh/4 + ... + uh^6/9 (Taylor's, cut off below 2^-59 |uh|^3, as
// is the series of ul's term). uh/ln(10) is exact as a + ae (with 1/ln(10)
// to 106 bits), e log10(2) is exact to 106 bits, and the rest is summed in
// double. The error:
//  - uh^2/2: w = uh^2 is rounded, and the sums and products that carry
//    w/2 round: 2 eps w in log10 units, 2^-52 w;
//  - uh^3 Q: off by 5 eps relative, <= |uh|^3/3, and the sums' roundings of
//    it, in log10 units: 2^-51.4 |uh|^3;
//  - the terms that do not scale with uh^2 (the table, ul's term, the
//    products by 1/ln(10), e log10(2)'s low part, the sums): below 2^-100
//    of |e log10(2)| + |log10(f)| + |a|.
// That is at most 2^-51 w + 2^-50 |uh|^3 + 2^-98 M, M = |e log10(2)| +
// |log10(f)| + |a|. As |uh| <= 2^-8 (a hair more), 2^-50 |uh|^3 is below
// 2^-58 w; and M is at most 3.1 |log10(x)| (when e != 0, |e log10(2)| >= 0.3
// and the rest below 0.154; when e = 0 and f != 1, |a| <= |log10(f)|/2; when
// f = 1, M = |a|), which is within 2^-16 of |hi|:
// err = 2^-51 (1 + 2^-7) w + 2^-96 |hi|.
// Near 1 (f = 1, |log10(x)| ~ |uh|/2.3) that is 2^-49.8 |uh| of the result,
// below 2^-57.8 (below 2^-70 for the efficiencies of 1 - 1e-6 and closer);
// where |log10(x)| > 0.15, below 2^-64.
[[gnu::always_inline]] inline Estimate Log10Fast(double x) {
  int e = 0;
  if (x < 0x1p-1022) {
    x *= 0x1p54;  // a subnormal, made normal: exact
    e = -54;
  }
  constexpr std::uint64_t kFraction = (std::uint64_t{1} << 52) - 1;
  const auto bits = std::bit_cast<std::uint64_t>(x);
  e += static_cast<int>(bits >> 52) - 1023;
  constexpr std::uint64_t kHalfStep = std::uint64_t{1} << 44;  // 1/256 in m's fraction
  const auto i = static_cast<int>(((bits & kFraction) + kHalfStep) >> 45);
  const auto m = std::bit_cast<double>((bits & kFraction) | std::bit_cast<std::uint64_t>(1.0));
  e += i >= kLogHalved ? 1 : 0;
  const auto k = static_cast<std::size_t>(i);
  const Log10Tables& table = Log10Table();
  const DD mf = TwoProdShort(m, table.factor[k]);
  const double uh = mf.hi - 1.0;
  const double ul = mf.lo;

  // a + ae = uh/ln(10) exactly.
  const DD ux = Split(uh);
  const double a = kInvLn10.hi * uh;
  const double ae =
      ((kInvLn10Split.hi * ux.hi - a) + kInvLn10Split.hi * ux.lo + kInvLn10Split.lo * ux.hi) +
      kInvLn10Split.lo * ux.lo;
  // Q by Estrin's scheme, for a short chain of dependent operations.
  const double w = uh * uh;
  const double q = ((1.0 / 3 - uh * (1.0 / 4)) + w * (1.0 / 5 - uh * (1.0 / 6))) +
                   (w * w) * ((1.0 / 7 - uh * (1.0 / 8)) + w * (1.0 / 9));
  const double cube = w * uh;
  // ln(1 + u) = uh + ln_lo, and ln(1 + u)/ln(10) = a + ae + al.
  const double ln_lo = (ul * (1.0 - uh) * (1.0 + w) - 0.5 * w) + cube * q;
  const double al = kInvLn10.lo * uh + kInvLn10.hi * ln_lo;

  // e log10(2) = big + big_lo + (e kLog10Of2.lo), big + big_lo exactly (e has
  // at most 11 bits).
  const auto ed = static_cast<double>(e);
  const double big = ed * kLog10Of2.hi;
  const double big_lo = (kLog10Of2Split.hi * ed - big) + kLog10Of2Split.lo * ed;
  const DD& minus_log = table.minus_log[k];
  // |e log10(2)| >= 0.3 > |log10(f)| or e = 0; |log10(f)| >= 2 |a| or f = 1.
  const DD t = QuickTwoSum(big, minus_log.hi);
  const DD h = QuickTwoSum(t.hi, a);
  // The terms that come last, last.
  const double lo = ((h.lo + (t.lo + (minus_log.lo + (big_lo + ed * kLog10Of2.lo)))) + al) + ae;
  const double err = 0x1.02p-51 * w + 0x1p-96 * std::fabs(h.hi);
  return {h.hi, lo, err};
}

// The accurate paths: the double-double series.
double SinAccurateImpl(double x) {
  return SinOrCos(x, false);
}
double CosAccurateImpl(double x) {
  return SinOrCos(x, true);
}
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
double Log10AccurateImpl(double x) {
  // x = m 2^e with 1 <= m < 2, and m = c (m / c) with c = 1 + i/128 the
  // table point at or below m: ln m = ln c + 2 atanh(s), s = (m - c) / (m + c),
  // |s| < 2^-8. The series' first two terms go in double-double; the rest lie
  // below 2^-32 of s and are summed in double.
  int e = 0;
  double m = 2.0 * std::frexp(x, &e);
  --e;
  const int i = static_cast<int>((m - 1.0) * kLnTableSize);
  double c = 1.0 + static_cast<double>(i) / kLnTableSize;
  DD ln_c = LnTable()[static_cast<std::size_t>(i)];
  if (i == kLnTableSize - 1) {
    // Just below a power of two, m/2 against c = 1: below 1, ln 2 and ln m
    // would cancel to a result of 2^-53 or less, which their 2^-106 errors
    // swamp.
    m *= 0.5;
    ++e;
    c = 1.0;
    ln_c = {0.0, 0.0};
  }
  const DD sd = Div({m - c, 0.0}, TwoSum(m, c));  // m - c is exact
  const DD s2 = Mul(sd, sd);
  const double z = s2.hi;
  const double tail = z * z * (1.0 / 5 + z * (1.0 / 7 + z * (1.0 / 9 + z * (1.0 / 11))));
  DD atanh = Add(sd, Mul(Mul(sd, s2), OneThird()));
  atanh = Add(atanh, {sd.hi * tail, 0.0});
  const DD ln = Add(Add(Mul(kLn2, {static_cast<double>(e), 0.0}), ln_c), Mul(atanh, {2.0, 0.0}));
  return Rounded(Mul(ln, kInvLn10));
}

// ---------------------------------------------------------------------------
// Powers of ten.

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
// (as in SinFast: both multiples of ulp(x), their difference small), the
// rest is summed with TwoSum; off by at most 2^-115 for |x| < 330.
struct TenReduced {
  DD r;
  std::int64_t k;
};
[[gnu::always_inline]] inline TenReduced ReduceForPow10(double x) {
  const double kd = (x * kTenStepsPerUnit + kRoundingShifter) - kRoundingShifter;
  const DD r0 = TwoSum(x - kd * kTenStep1, -(kd * kTenStep2));
  return {TwoSum(r0.hi, r0.lo - kd * kTenStep3), static_cast<std::int64_t>(kd)};
}

// 10^x as (hi + lo) 2^n, with the error bound err on hi + lo.
struct ScaledEstimate {
  Estimate e;
  int n;
};

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

// 2^n for -1022 <= n <= 1023.
double PowerOfTwo(int n) {
  return std::bit_cast<double>(static_cast<std::uint64_t>(n + 1023) << 52);
}

// (hi + lo) 2^n rounded once, and whether every value within err of hi + lo
// rounds the same way. Below 2^-1021 the doubles are the multiples of
// 2^-1074, and the sum is rounded to one of those directly rather than to 53
// bits first.
bool RoundsSurelyScaled(ScaledEstimate s, double& out) {
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

namespace detail {

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
bool AtanEstimate(double x, Estimate& out) {
  const double ax = std::fabs(x);
  if (!(ax >= 0x1p-30 && ax < 0x1p60)) return false;
  out = AtanFast(ax);
  if (x < 0.0) out = {-out.hi, -out.lo, out.err};
  return true;
}
bool Log10Estimate(double x, Estimate& out) {
  if (!(x > 0.0 && x < std::numeric_limits<double>::infinity())) return false;
  out = Log10Fast(x);
  return true;
}

double SinAccurate(double x) {
  return SinAccurateImpl(x);
}
double CosAccurate(double x) {
  return CosAccurateImpl(x);
}
double AtanAccurate(double x) {
  return AtanAccurateImpl(x);
}
double Log10Accurate(double x) {
  return Log10AccurateImpl(x);
}

Pair SinTableEntry(int i) {
  const DD& d = SinTable()[static_cast<std::size_t>(i)];
  return {d.hi, d.lo};
}
Pair AtanTableEntry(int i) {
  const DD& d = AtanTable().atan[static_cast<std::size_t>(i)];
  return {d.hi, d.lo};
}
Pair AtanComplementEntry(int i) {
  const DD& d = AtanTable().complement[static_cast<std::size_t>(i)];
  return {d.hi, d.lo};
}
double Log10Factor(int i) {
  const double f = Log10Table().factor[static_cast<std::size_t>(i)];
  return i >= kLogHalved ? 2.0 * f : f;
}
Pair Log10TableEntry(int i) {
  const DD& d = Log10Table().minus_log[static_cast<std::size_t>(i)];
  return {d.hi, d.lo};
}

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
Pair Pow2TableEntry(int j) {
  const DD& d = ExpTable()[static_cast<std::size_t>(j)];
  return {d.hi, d.lo};
}

}  // namespace detail

double Sin(double x) {
  if (!std::isfinite(x)) return x - x;  // NaN, also for an infinity
  const double ax = std::fabs(x);
  if (ax < 0x1p-30) return x;
  double r = 0.0;
  if (ax < kSinFastLimit && RoundsSurely(SinFast(x, 0), r)) return r;
  return SinAccurateImpl(x);
}

double Cos(double x) {
  if (!std::isfinite(x)) return x - x;
  const double ax = std::fabs(x);
  if (ax < 0x1p-30) return 1.0;
  double r = 0.0;
  if (ax < kSinFastLimit && RoundsSurely(SinFast(x, kSinSteps), r)) return r;
  return CosAccurateImpl(x);
}

double Atan(double x) {
  if (std::isnan(x)) return x;
  const double ax = std::fabs(x);
  if (ax < 0x1p-30) return x;
  if (ax >= 0x1p60) return x < 0.0 ? -kHalfPi[0] : kHalfPi[0];
  double r = 0.0;
  if (RoundsSurely(AtanFast(ax), r)) return x < 0.0 ? -r : r;
  return AtanAccurateImpl(x);
}

double Log10(double x) {
  if (std::isnan(x) || x == std::numeric_limits<double>::infinity()) return x;
  if (x == 0.0) return -std::numeric_limits<double>::infinity();
  if (x < 0.0) return std::numeric_limits<double>::quiet_NaN();
  double r = 0.0;
  if (RoundsSurely(Log10Fast(x), r)) return r;
  return Log10AccurateImpl(x);
}

double Pow10(double x) {
  if (std::isnan(x)) return x;
  // 10^x rounds to 1 below 2^-56 (10^x - 1 ~ 2.3 x), to infinity above
  // log10 of the largest double and half an ulp (308.2547...), to 0 below
  // log10(2^-1075) = -323.6...
  if (std::fabs(x) < 0x1p-56) return 1.0;
  if (x > 308.2548) return std::numeric_limits<double>::infinity();
  if (x < -324.0) return 0.0;
  double r = 0.0;
  if (RoundsSurelyScaled(Pow10Fast(x), r)) return r;
  return Pow10AccurateImpl(x);
}

namespace {

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

double SinDegrees(double x) {
  return SinOrCosDegrees(x, 0);
}

double CosDegrees(double x) {
  return SinOrCosDegrees(x, 1);
}

}  // namespace vorda::portable
