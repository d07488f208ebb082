#include "engine/PortableMath.h"

#include <gtest/gtest.h>

#include "engine/PortableMathDetail.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace vorda::portable {
namespace {

using Function = double (*)(double);

struct Case {
  const char* name;
  double x;
  double expected;
};

Function Named(const std::string& name) {
  if (name == "sin") return Sin;
  if (name == "cos") return Cos;
  if (name == "atan") return Atan;
  if (name == "pow10") return Pow10;
  if (name == "sind") return SinDegrees;
  if (name == "cosd") return CosDegrees;
  return Log10;
}

// Correctly rounded results from a 300-bit computation. The first inputs of
// sin, atan and log10 are ones that glibc rounds the other way.
TEST(PortableMathTest, CorrectlyRounded) {
  const Case cases[] = {
      {"sin", 0x1.7f86a2748c600p-4, 0x1.7ef73aeb7407fp-4},
      {"sin", -0x1.6478098530cbap+1, -0x1.658b65693f1e3p-2},
      {"sin", 0x1.633ee384f55b8p+2, -0x1.56611a1c8216fp-1},
      {"sin", 0.5, 0x1.eaee8744b05f0p-2},
      {"sin", -2.0, -0x1.d18f6ead1b446p-1},
      {"sin", 3.0, 0x1.210386db6d55bp-3},
      {"sin", 1e5, 0x1.24daa9c527e96p-5},
      {"sin", 0x1.921fb54442d18p-1, 0x1.6a09e667f3bccp-1},
      {"cos", 0.5, 0x1.c1528065b7d50p-1},
      {"cos", -2.0, -0x1.aa22657537205p-2},
      {"cos", 0x1.921fb54442d18p+0, 0x1.1a62633145c07p-54},
      {"cos", 0x1.921fb54442d18p+1, -1.0},
      {"cos", 0x1.7f86a2748c600p-4, 0x1.fdc1d74ec6442p-1},
      {"atan", 0x1.e9fe869dd1f33p-3, 0x1.e0f405f15ed07p-3},
      {"atan", 0x1.20cecef1ee4b0p-4, 0x1.2054a5b3e2c2ap-4},
      {"atan", 0x1.39edd94fb73e1p-4, 0x1.39510a9d582c9p-4},
      {"atan", 0.75, 0x1.4978fa3269ee1p-1},
      {"atan", -1.0, -0x1.921fb54442d18p-1},
      {"atan", 1e10, 0x1.921fb543d4de0p+0},
      {"atan", 0.1, 0x1.983e282e2cc4dp-4},
      {"atan", 5e-7, 0x1.0c6f7a0b5ec03p-21},
      {"log10", 0x1.8f32c071e7a72p-1, -0x1.bab37dfef2f00p-4},
      {"log10", 0x1.3aaf54f329313p+0, 0x1.6f26145db3fffp-4},
      {"log10", 0x1.4e6cc2db5075fp+0, 0x1.db603c129c300p-4},
      {"log10", 2.0, 0x1.34413509f79ffp-2},
      {"log10", 0.5, -0x1.34413509f79ffp-2},
      {"log10", 7.0, 0x1.b0b0b0b78cc3fp-1},
      {"log10", 1e-300, -300.0},
      {"log10", 0x0.0000000000001p-1022, -0x1.434e6420f4374p+8},
      // The edges of the fast paths: sin and cos below 2^20 and from it,
      // near multiples of pi; atan either side of 1, at the last table point
      // and below 2^60; log10 just below 1 (efficiencies), at sqrt(2), at the
      // ends of the range.
      {"sin", 0x1.fffffffffffffp+19, 0x1.526ccb2de52a8p-2},
      {"cos", 0x1.fffffffffffffp+19, 0x1.e33ada9352c61p-1},
      {"sin", 0x1p+20, 0x1.526ccb2fc8656p-2},
      {"sin", 0x1.921fb54442d18p+1, 0x1.1a62633145c07p-53},
      {"sin", 0x1.921fb54442d18p+2, -0x1.1a62633145c07p-52},
      {"cos", -0x1.921fb54442d18p+1, -1.0},
      {"atan", 0x1.0000000000001p+0, 0x1.921fb54442d19p-1},
      {"atan", 128.5, 0x1.9021b5e8f51cfp+0},
      {"atan", 0x1.fffffffffffffp+59, 0x1.921fb54442d18p+0},
      {"atan", -0x1.0000000000001p-30, -0x1.0000000000001p-30},
      {"log10", 0x1.ffffffffffffep-1, -0x1.bcb7b1526e50fp-54},
      {"log10", 0x1.fffffffffffffp-1, -0x1.bcb7b1526e50fp-55},
      {"log10", 0x1.ffffffffffff8p-1, -0x1.bcb7b1526e512p-52},
      {"log10", 0x1.fffffff768fa1p-1, -0x1.dd830699b9413p-32},
      {"log10", 0x1.6a09e667f3bcdp+0, 0x1.34413509f7ap-3},
      {"log10", 0x1.0000000000001p-1022, -0x1.33a7146f72a42p+8},
      {"log10", 0x1.fffffffffffffp+1023, 0x1.34413509f79ffp+8},
      // 10^x: decibels over 20, subnormal results, the largest results.
      {"pow10", -1.0 / 20, 0x1.c8520affa0a4bp-1},
      {"pow10", 3.0 / 20, 0x1.699c0f7e86e1p+0},
      {"pow10", -3.5 / 20, 0x1.56312c88e01cdp-1},
      {"pow10", -0.5, 0x1.43d136248490fp-2},
      {"pow10", -323.5, 0x0.0000000000001p-1022},
      {"pow10", -320.0, 0x0.00000000007e8p-1022},
      {"pow10", -0x1.361f7ced91687p+8, 0x0.00dde38c56fe3p-1022},
      {"pow10", 308.25, 0x1.fa788589d81d3p+1023},
      {"pow10", 0x1.34413509f79fep+8, 0x1.ffffffffffba1p+1023},
      // Degrees: the exact values, a Touchstone angle, near a half turn, a
      // huge and a subnormal argument, the tiny ones' scaled path.
      {"sind", 30.0, 0.5},
      {"cosd", 60.0, 0.5},
      {"sind", -45.0, -0x1.6a09e667f3bcdp-1},
      {"sind", 123.456, 0x1.ab2a9b25a9ab9p-1},
      {"cosd", 123.456, -0x1.1a43870d371f9p-1},
      {"sind", -0x1.67ff7ced91687p+7, -0x1.24d15211596efp-16},
      {"cosd", 0x1.67fffffffffffp+6, 0x1.1df46a2529d39p-52},
      {"sind", 720.5, 0x1.1df37c4954c21p-7},
      {"sind", 0x1.7e43c8800759cp+996, 0.0},
      {"sind", 0x0.012688b70e62bp-1022, 0x0.000523fda0e37p-1022},
      {"sind", 0x1p-901, 0x1.1df46a2529d39p-907},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Named(c.name)(c.x), c.expected) << c.name << "(" << c.x << ")";
  }
}

// Arguments whose fast estimate hi + lo rounds the wrong way: the rounding
// test must find it undecided and take the accurate path.
TEST(PortableMathTest, UndecidedEstimatesTakeTheAccuratePath) {
  const Case cases[] = {
      {"sin", -0x1.aa5607b4dc9ccp+0, -0x1.fdb634da4eabap-1},
      {"sin", 0x1.4c3edbe7cb07cp+0, 0x1.ed0b43a3e387dp-1},
      {"cos", 0x1.9026389c086ebp+1, -0x1.fff067a01301dp-1},
      {"cos", -0x1.220e8cc8433bfp+2, -0x1.6f287c0adef5bp-3},
      {"atan", 0x1.a30ddc4f0c783p-4, 0x1.a199e724029d2p-4},
      {"atan", 0x1.b04d7e54e891fp-8, 0x1.b04be36ad34afp-8},
      {"log10", 0x1.fe8fe5b51b04ap-1, -0x1.402e046671a3p-10},
      {"log10", 0x1.00a8800059f12p+0, 0x1.2456bdd13cf43p-10},
      {"pow10", 0x1.d837d16099712p+1, 0x1.318d0217a25e3p+12},
      {"pow10", -0x1.f5a462c514578p+1, 0x1.f9562aec06ce5p-14},
  };
  for (const Case& c : cases) {
    detail::Estimate e{};
    int n = 0;
    if (c.name == std::string("sin")) detail::SinEstimate(c.x, e);
    if (c.name == std::string("cos")) detail::CosEstimate(c.x, e);
    if (c.name == std::string("atan")) detail::AtanEstimate(c.x, e);
    if (c.name == std::string("log10")) detail::Log10Estimate(c.x, e);
    if (c.name == std::string("pow10")) detail::Pow10Estimate(c.x, e, n);
    ASSERT_NE(std::ldexp(e.hi + e.lo, n), c.expected)
        << c.name << "(" << c.x << ") is no longer a hard case";
    EXPECT_EQ(Named(c.name)(c.x), c.expected) << c.name << "(" << c.x << ")";
  }
}

// The accurate path just below 1, where the logarithms of 2 and of m ~ 2
// used to cancel (log10(1 - 2^-52) came out 77 ulps off).
TEST(PortableMathTest, AccurateLog10BelowOne) {
  EXPECT_EQ(detail::Log10Accurate(0x1.ffffffffffffep-1), -0x1.bcb7b1526e50fp-54);
  EXPECT_EQ(detail::Log10Accurate(0x1.fffffffffffffp-1), -0x1.bcb7b1526e50fp-55);
  EXPECT_EQ(detail::Log10Accurate(0x1.fffffff768fa1p-1), -0x1.dd830699b9413p-32);
}

// From 2^30 on, sin and cos are reduced by an exact remainder of a double
// 2 pi: not accurate, but the same bits as ever.
TEST(PortableMathTest, LargeArgumentsKeepTheirBits) {
  struct Large {
    double x;
    double sin;
    double cos;
  };
  const Large cases[] = {
      {0x1p+30, -0x1.3c12341c4dec9p-1, 0x1.92cb478714a3ep-1},
      {-3e9, -0x1.f958b3b760a12p-1, -0x1.491806c4f7336p-3},
      {1e15, 0x1.acdc9d9884216p-1, -0x1.17ae632761c3ap-1},
      {0x1.fffffffffffffp+1023, 0x1.18de30098ff11p-1, 0x1.ac15e48c1813ap-1},
  };
  for (const Large& c : cases) {
    EXPECT_EQ(Sin(c.x), c.sin) << c.x;
    EXPECT_EQ(Cos(c.x), c.cos) << c.x;
  }
}

TEST(PortableMathTest, SpecialValues) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  EXPECT_TRUE(std::signbit(Sin(-0.0)) && Sin(-0.0) == 0.0);
  EXPECT_TRUE(std::signbit(Atan(-0.0)) && Atan(-0.0) == 0.0);
  EXPECT_EQ(Cos(-0.0), 1.0);
  EXPECT_EQ(Sin(1e-12), 1e-12);
  EXPECT_EQ(Atan(kInf), 0x1.921fb54442d18p+0);
  EXPECT_EQ(Atan(-kInf), -0x1.921fb54442d18p+0);
  EXPECT_EQ(Atan(1e300), 0x1.921fb54442d18p+0);
  EXPECT_EQ(Log10(0.0), -kInf);
  EXPECT_EQ(Log10(kInf), kInf);
  EXPECT_EQ(Log10(1.0), 0.0);
  EXPECT_EQ(Pow10(0.0), 1.0);
  // Whole quarter turns in degrees: the sine's zeros keep x's sign, the
  // cosine's are +0.
  EXPECT_TRUE(!std::signbit(SinDegrees(180.0)) && SinDegrees(180.0) == 0.0);
  EXPECT_TRUE(std::signbit(SinDegrees(-180.0)) && SinDegrees(-180.0) == 0.0);
  EXPECT_TRUE(std::signbit(SinDegrees(-0.0)) && SinDegrees(-0.0) == 0.0);
  EXPECT_TRUE(!std::signbit(CosDegrees(-90.0)) && CosDegrees(-90.0) == 0.0);
  EXPECT_EQ(SinDegrees(-270.0), 1.0);
  EXPECT_EQ(CosDegrees(540.0), -1.0);
  EXPECT_EQ(CosDegrees(1e-300), 1.0);
  EXPECT_EQ(Pow10(-1e-300), 1.0);
  EXPECT_EQ(Pow10(kInf), kInf);
  EXPECT_EQ(Pow10(-kInf), 0.0);
  for (const double nan : {Sin(kInf), Cos(-kInf), Sin(kNaN), Atan(kNaN), Log10(-1.0), Log10(kNaN),
                           Pow10(kNaN), SinDegrees(kInf), CosDegrees(kNaN)}) {
    EXPECT_TRUE(std::isnan(nan));
  }
}

// 10^k for every k whose power is a double: as the correctly rounded
// decimal conversion has it (1e23, exactly halfway, to the even neighbour).
TEST(PortableMathTest, PowersOfTenFromWholeExponents) {
  for (int k = -323; k <= 308; ++k) {
    const std::string text = "1e" + std::to_string(k);
    double x = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), x);
    EXPECT_EQ(Pow10(k), x) << text;
  }
  EXPECT_EQ(Pow10(-324), 0.0);
  EXPECT_EQ(Pow10(309), std::numeric_limits<double>::infinity());
}

TEST(PortableMathTest, PowersOfTenHaveWholeLogarithms) {
  for (int k = -307; k <= 308; ++k) {
    const std::string text = "1e" + std::to_string(k);
    double x = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), x);
    EXPECT_EQ(Log10(x), k) << text;
  }
}

// The same bits on every platform: a digest of many results, the same number
// wherever the tests run (the Windows build runs this test too).
TEST(PortableMathTest, SameBitsEverywhere) {
  std::uint64_t state = 0x9E3779B97F4A7C15u;
  auto next = [&state] {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return static_cast<double>(state >> 11) * 0x1p-53;  // [0, 1), exactly
  };
  std::uint64_t digest = 0;
  auto mix = [&digest](double v) { digest = (digest ^ std::bit_cast<std::uint64_t>(v)) * 31; };
  for (int i = 0; i < 20000; ++i) {
    const double angle = (next() - 0.5) * 14.0;
    mix(Sin(angle));
    mix(Cos(angle));
    mix(Atan(std::ldexp(next() - 0.5, static_cast<int>(next() * 80.0) - 40)));
    mix(Log10(std::ldexp(next() + 0.5, static_cast<int>(next() * 200.0) - 100)));
  }
  EXPECT_EQ(digest, 0xE1E5E0600E451D10u);
}

TEST(PortableMathTest, OddFunctions) {
  for (const double x : {0.3, 1.0, 2.5, 7.0, 123.456, 1e6}) {
    EXPECT_EQ(Sin(-x), -Sin(x)) << x;
    EXPECT_EQ(Cos(-x), Cos(x)) << x;
    EXPECT_EQ(Atan(-x), -Atan(x)) << x;
  }
}

}  // namespace
}  // namespace vorda::portable
