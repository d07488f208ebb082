#include "engine/PortableMath.h"

#include <array>
#include <cmath>
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
DD TwoSum(double a, double b) {
  const double s = a + b;
  const double bb = s - a;
  return {s, (a - (s - bb)) + (b - bb)};
}
DD QuickTwoSum(double a, double b) {
  const double s = a + b;
  return {s, b - (s - a)};
}
DD Split(double a) {
  constexpr double kSplitter = 134217729.0;  // 2^27 + 1
  const double t = kSplitter * a;
  const double hi = t - (t - a);
  return {hi, a - hi};
}
DD TwoProd(double a, double b) {
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
DD Neg(DD a) {
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

}  // namespace

double Sin(double x) {
  if (!std::isfinite(x)) return x - x;  // NaN, also for an infinity
  if (std::fabs(x) < 0x1p-30) return x;
  return SinOrCos(x, false);
}

double Cos(double x) {
  if (!std::isfinite(x)) return x - x;
  if (std::fabs(x) < 0x1p-30) return 1.0;
  return SinOrCos(x, true);
}

double Atan(double x) {
  if (std::isnan(x)) return x;
  const double ax = std::fabs(x);
  if (ax < 0x1p-30) return x;
  double r = kHalfPi[0];  // pi/2 - atan(1/ax) rounds to it from 2^60 on
  if (ax <= 1.0) {
    r = Rounded(AtanCore({ax, 0.0}));
  } else if (ax < 0x1p60) {
    r = Rounded(Sub(kHalfPiDD, AtanCore(Div({1.0, 0.0}, {ax, 0.0}))));
  }
  return x < 0.0 ? -r : r;
}

double Log10(double x) {
  if (std::isnan(x) || x == std::numeric_limits<double>::infinity()) return x;
  if (x == 0.0) return -std::numeric_limits<double>::infinity();
  if (x < 0.0) return std::numeric_limits<double>::quiet_NaN();
  // x = m 2^e with 1 <= m < 2, and m = c (m / c) with c = 1 + i/128 the
  // table point at or below m: ln m = ln c + 2 atanh(s), s = (m - c) / (m + c),
  // |s| < 2^-8. The series' first two terms go in double-double; the rest lie
  // below 2^-32 of s and are summed in double.
  int e = 0;
  const double m = 2.0 * std::frexp(x, &e);
  --e;
  const int i = static_cast<int>((m - 1.0) * kLnTableSize);
  const double c = 1.0 + static_cast<double>(i) / kLnTableSize;
  const DD sd = Div({m - c, 0.0}, TwoSum(m, c));  // m - c is exact
  const DD s2 = Mul(sd, sd);
  const double z = s2.hi;
  const double tail = z * z * (1.0 / 5 + z * (1.0 / 7 + z * (1.0 / 9 + z * (1.0 / 11))));
  DD atanh = Add(sd, Mul(Mul(sd, s2), OneThird()));
  atanh = Add(atanh, {sd.hi * tail, 0.0});
  const DD ln =
      Add(Add(Mul(kLn2, {static_cast<double>(e), 0.0}), LnTable()[static_cast<std::size_t>(i)]),
          Mul(atanh, {2.0, 0.0}));
  return Rounded(Mul(ln, kInvLn10));
}

}  // namespace vorda::portable
