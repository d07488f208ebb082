#include "engine/PortableMath.h"

#include <gtest/gtest.h>

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
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Named(c.name)(c.x), c.expected) << c.name << "(" << c.x << ")";
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
  for (const double nan :
       {Sin(kInf), Cos(-kInf), Sin(kNaN), Atan(kNaN), Log10(-1.0), Log10(kNaN)}) {
    EXPECT_TRUE(std::isnan(nan));
  }
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
