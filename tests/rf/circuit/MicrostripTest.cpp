// The substrate's text at its edges, and the microstrip model's properties
// over generated lines: the solved width gives the impedance asked for, a
// wider strip has a lower impedance, er_eff lies between 1 and er, and
// length and electrical length convert both ways. The figures themselves are
// held against scikit-rf by check_microstrip_skrf.sh.
#include "rf/circuit/Microstrip.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace vorda::rf {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(ReadSubstrateTest, GoodTexts) {
  const std::pair<const char*, Substrate> good[] = {
      {"er=4.3,h=1.6mm", {4.3, 1.6e-3, 0.0, 0.0}},
      {"er=3.66,h=0.508mm,t=35um,tand=0.004", {3.66, 0.508e-3, 35e-6, 0.004}},
      {" tand = 0.02 , t=1.4mil, h=20 mil,er=2.2", {2.2, 20 * 25.4e-6, 1.4 * 25.4e-6, 0.02}},
      {"h=0.00127m,er=10.2,t=17\u00b5m", {10.2, 0.00127, 17e-6, 0.0}},
      {"er=9.8,h=635\u03bcm,t=0", {9.8, 635e-6, 0.0, 0.0}},
      {"er=2.2,h=0.127mm,t=0.5mil", {2.2, 0.127e-3, 12.7e-6, 0.0}},
      {"er=100,h=1e-3m,tand=0", {100.0, 1e-3, 0.0, 0.0}},
  };
  for (const auto& [text, substrate] : good) {
    const ReadSubstrateResult read = ReadSubstrate(text);
    ASSERT_TRUE(read.substrate) << text << ": " << read.error;
    EXPECT_EQ(*read.substrate, substrate) << text;
    EXPECT_EQ(ReadSubstrate(SubstrateText(substrate)).substrate, substrate) << text;
  }
  EXPECT_EQ(SubstrateText({4.3, 1.6e-3, 35e-6, 0.0}), "er=4.3,h=1.6mm,t=35um");
}

TEST(ReadSubstrateTest, BadTextsSayWhy) {
  const std::pair<const char*, const char*> bad[] = {
      {"", "missing"},
      {"er=4.3,h=1.6mm,", "missing"},
      {"er=4.3,h", "key=value"},
      {"er=4.3,h=1.6mm,w=2mm", "\u201cw\u201d is not a property"},
      {"er=4.3,h=1.6mm,er=4.5", "er is given twice"},
      {"er=4.3", "h is missing"},
      {"h=1.6mm", "er is missing"},
      {"er=4.3,h=1.6", "h=1.6 needs a unit"},
      {"er=4.3,h=1.6cm", "no unit"},
      {"er=4.3,h=1.6mm,t=35", "t=35 needs a unit"},
      {"er=fr4,h=1.6mm", "er=fr4 is not a number"},
      {"er=4.3x,h=1.6mm", "is not a number"},
      {"er=nan,h=1.6mm", "not a number"},
      {"er=4.3,h=infmm", "not a length"},
      {"er=1,h=1.6mm", "er must be above 1"},
      {"er=100.5,h=1.6mm", "at most 100"},
      {"er=4.3,h=0mm", "h must be a positive"},
      {"er=4.3,h=-1mm", "h must be a positive"},
      {"er=4.3,h=1.6mm,t=-1um", "t must not be negative"},
      {"er=4.3,h=1.6mm,t=1.6mm", "t must be thinner than h"},
      {"er=4.3,h=1.6mm,tand=-0.01", "tand must be"},
      {"er=4.3,h=1.6mm,tand=1", "tand must be"},
  };
  for (const auto& [text, why] : bad) {
    const ReadSubstrateResult read = ReadSubstrate(text);
    EXPECT_FALSE(read.substrate) << text;
    EXPECT_NE(read.error.find(std::string("\u201c") + text + "\u201d"), std::string::npos)
        << read.error;
    EXPECT_NE(read.error.find(why), std::string::npos) << text << ": " << read.error;
  }
}

// Lines within the model's reach: er 2 to 12, h 0.1 to 1.6 mm, a thin
// strip or copper up to 70 um, and frequencies from 100 MHz to 20 GHz with
// f h at most kMaxMicrostripGHzMm.
struct Line {
  Substrate substrate;
  double hertz;
};

std::vector<Line> GeneratedLines(int count) {
  std::mt19937 random(20240611);
  const auto uniform = [&random](double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(random);
  };
  std::vector<Line> lines;
  for (int i = 0; i < count; ++i) {
    Substrate s{uniform(2.0, 12.0), uniform(0.1e-3, 1.6e-3), 0.0, uniform(0.0, 0.02)};
    if (i % 3 != 0) s.t = uniform(5e-6, 70e-6);
    const double top = std::min(2e10, kMaxMicrostripGHzMm / (s.h * 1e-6));
    lines.push_back({s, std::exp(uniform(std::log(1e8), std::log(top)))});
  }
  return lines;
}

TEST(ReadSubstrateTest, GeneratedSubstratesReadBack) {
  for (const Line& line : GeneratedLines(200)) {
    const std::string text = SubstrateText(line.substrate);
    EXPECT_EQ(ReadSubstrate(text).substrate, line.substrate) << text;
  }
}

TEST(MicrostripTest, WidthGivesTheImpedance) {
  std::mt19937 random(7);
  for (const Line& line : GeneratedLines(300)) {
    const double z0 = std::uniform_real_distribution<double>(20.0, 120.0)(random);
    const auto width = MicrostripWidth(line.substrate, z0, line.hertz);
    ASSERT_TRUE(width) << SubstrateText(line.substrate) << " " << z0 << " " << line.hertz;
    const auto figures = AnalyseMicrostrip(line.substrate, *width, line.hertz);
    ASSERT_TRUE(figures);
    EXPECT_NEAR(figures->z0, z0, 1e-12 * z0) << SubstrateText(line.substrate);
  }
}

TEST(MicrostripTest, WiderIsLowerAndErEffLiesBetween) {
  for (const Line& line : GeneratedLines(200)) {
    double last_z0 = kInf;
    for (double u = 0.05; u <= 20.0; u *= 1.1) {
      const auto figures = AnalyseMicrostrip(line.substrate, u * line.substrate.h, line.hertz);
      ASSERT_TRUE(figures) << SubstrateText(line.substrate) << " u " << u;
      EXPECT_LT(figures->z0, last_z0) << SubstrateText(line.substrate) << " u " << u;
      EXPECT_GT(figures->er_eff, 1.0);
      EXPECT_LT(figures->er_eff, line.substrate.er);
      last_z0 = figures->z0;
    }
  }
}

// Hammerstad and Jensen build the thick strip's quasi-static line from thin
// strips: widened in air by dw1 = (t / pi) ln(1 + 4e h tanh^2(sqrt(6.517 w /
// h)) / t) to w1, and in the dielectric by dwr = dw1 (1 + 1 / cosh sqrt(er -
// 1)) / 2 to wr, with er_eff(w) = er_eff_thin(wr) (Za(w1) / Za(wr))^2 and
// z0(w) sqrt(er_eff(w)) = Za(wr). Za, the strip's impedance in air, is a
// thin strip's z0 sqrt(er_eff) at that width on the same substrate.
TEST(MicrostripTest, ThicknessWidensAsPublished) {
  const Substrate thick[] = {{4.3, 1.6e-3, 35e-6, 0.0},
                             {3.66, 0.508e-3, 17e-6, 0.0},
                             {10.2, 0.635e-3, 70e-6, 0.0},
                             {2.2, 0.127e-3, 35e-6, 0.0},
                             {40.0, 0.25e-3, 18e-6, 0.0}};
  for (const Substrate& s : thick) {
    const Substrate thin{s.er, s.h, 0.0, 0.0};
    const auto air = [&thin](double width) {
      const auto f = AnalyseMicrostrip(thin, width, 0.0);
      return f ? f->z0 * std::sqrt(f->er_eff) : kNaN;
    };
    for (const double u : {0.05, 0.3, 1.0, 3.0, 12.0}) {
      const double w = u * s.h;
      const double th = std::tanh(std::sqrt(6.517 * u));
      const double dw1 =
          s.t / std::numbers::pi * std::log(1.0 + 4.0 * std::numbers::e * s.h * th * th / s.t);
      const double w1 = w + dw1;
      const double wr = w + dw1 / 2.0 * (1.0 + 1.0 / std::cosh(std::sqrt(s.er - 1.0)));
      const auto line = AnalyseMicrostrip(s, w, 0.0);
      const auto widened = AnalyseMicrostrip(thin, wr, 0.0);
      ASSERT_TRUE(line && widened) << SubstrateText(s) << " u " << u;
      const double ratio = air(w1) / air(wr);
      EXPECT_NEAR(line->er_eff, widened->er_eff * ratio * ratio, 1e-12 * line->er_eff)
          << SubstrateText(s) << " u " << u;
      EXPECT_NEAR(line->z0 * std::sqrt(line->er_eff), air(wr), 1e-12 * air(wr))
          << SubstrateText(s) << " u " << u;
    }
  }
}

TEST(MicrostripTest, LengthAndRadiansInvert) {
  std::mt19937 random(11);
  for (const Line& line : GeneratedLines(100)) {
    const double width =
        std::uniform_real_distribution<double>(0.1, 10.0)(random) * line.substrate.h;
    const double radians = std::uniform_real_distribution<double>(0.01, 10.0)(random);
    const auto length = MicrostripLength(line.substrate, width, radians, line.hertz);
    ASSERT_TRUE(length);
    const auto back = MicrostripRadians(line.substrate, width, *length, line.hertz);
    ASSERT_TRUE(back);
    EXPECT_NEAR(*back, radians, 1e-13 * radians);
  }
  // A quarter wave in air-like er_eff 1 would be c / 4f; on a substrate it
  // is shorter.
  const auto quarter = MicrostripLength({}, 3e-3, std::numbers::pi / 2.0, 1e9);
  ASSERT_TRUE(quarter);
  EXPECT_LT(*quarter, 299792458.0 / 4e9);
  EXPECT_GT(*quarter, 299792458.0 / 4e9 / std::sqrt(4.3));
}

TEST(MicrostripTest, RefusedInputsGiveNothing) {
  const Substrate fr4;
  for (const double width : {0.0, -1e-3, kNaN, kInf}) {
    EXPECT_FALSE(AnalyseMicrostrip(fr4, width, 1e9)) << width;
    EXPECT_FALSE(MicrostripLength(fr4, width, 1.0, 1e9)) << width;
  }
  for (const double hertz : {-1.0, kNaN, kInf}) {
    EXPECT_FALSE(AnalyseMicrostrip(fr4, 3e-3, hertz)) << hertz;
    EXPECT_FALSE(MicrostripWidth(fr4, 50.0, hertz)) << hertz;
  }
  EXPECT_TRUE(AnalyseMicrostrip(fr4, 3e-3, 0.0));     // the quasi-static line
  EXPECT_TRUE(AnalyseMicrostrip(fr4, 3e-3, 15.6e9));  // 25 GHz mm on 1.6 mm is 15.625 GHz
  EXPECT_FALSE(AnalyseMicrostrip(fr4, 3e-3, 15.7e9));
  EXPECT_TRUE(AnalyseMicrostrip({9.8, 1e-3, 0.0, 0.0}, 1e-3, 24.9e9));
  EXPECT_FALSE(AnalyseMicrostrip({9.8, 1e-3, 0.0, 0.0}, 1e-3, 25.1e9));
  EXPECT_FALSE(MicrostripLength(fr4, 3e-3, 1.0, 0.0));
  EXPECT_FALSE(MicrostripRadians(fr4, 3e-3, 0.1, 0.0));
  for (const double z0 : {0.0, -50.0, kNaN, kInf}) EXPECT_FALSE(MicrostripWidth(fr4, z0, 1e9));
  // Beyond what widths from h / 1000 to 1000 h reach.
  EXPECT_FALSE(MicrostripWidth(fr4, 0.1, 1e9));
  EXPECT_FALSE(MicrostripWidth(fr4, 500.0, 1e9));
  for (const double bad : {-1.0, kNaN, kInf}) {
    EXPECT_FALSE(MicrostripLength(fr4, 3e-3, bad, 1e9));
    EXPECT_FALSE(MicrostripRadians(fr4, 3e-3, bad, 1e9));
  }
  EXPECT_FALSE(AnalyseMicrostrip({1.0, 1.6e-3, 0.0, 0.0}, 3e-3, 1e9));
  EXPECT_FALSE(AnalyseMicrostrip({4.3, 1.6e-3, 2e-3, 0.0}, 3e-3, 1e9));
  EXPECT_FALSE(MicrostripWidth({4.3, -1.0, 0.0, 0.0}, 50.0, 1e9));
}

}  // namespace
}  // namespace vorda::rf
