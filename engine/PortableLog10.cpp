// Log10 (PortableMath.h): the fast path through the table of log10 of 129
// factors, and the double-double series where it cannot decide.
#include "engine/PortableMath.h"

#include "engine/DoubleDouble.h"
#include "engine/PortableMathDetail.h"
#include "engine/PortableRounding.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace vorda::portable {

namespace detail {

namespace {

// 1/ln 10 in two parts.
constexpr DD kInvLn10 = {0x1.bcb7b1526e50ep-2, 0x1.95355baaafad3p-57};

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

// The accurate path: the double-double series.
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

}  // namespace

bool Log10Estimate(double x, Estimate& out) {
  if (!(x > 0.0 && x < std::numeric_limits<double>::infinity())) return false;
  out = Log10Fast(x);
  return true;
}

double Log10Accurate(double x) {
  return Log10AccurateImpl(x);
}

double Log10Factor(int i) {
  const double f = Log10Table().factor[static_cast<std::size_t>(i)];
  return i >= kLogHalved ? 2.0 * f : f;
}
Pair Log10TableEntry(int i) {
  const DD& d = Log10Table().minus_log[static_cast<std::size_t>(i)];
  return {d.hi, d.lo};
}

}  // namespace detail

double Log10(double x) {
  if (std::isnan(x) || x == std::numeric_limits<double>::infinity()) return x;
  if (x == 0.0) return -std::numeric_limits<double>::infinity();
  if (x < 0.0) return std::numeric_limits<double>::quiet_NaN();
  double r = 0.0;
  if (detail::RoundsSurely(detail::Log10Fast(x), r)) return r;
  return detail::Log10AccurateImpl(x);
}

}  // namespace vorda::portable
