#include "rf/synthesis/Design.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <numbers>

#include "engine/ComputeRecord.h"

namespace vorda::rf {
namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

// A computed type designed at a frequency, from the window's texts.
struct Designed {
  ComputeRecord engine;
  NetworkDesign design;
};
Designed DesignFor(double z0, double r, double x, double hertz, std::int16_t type,
                   DesignOptions options = {}) {
  ComputeRecord e = ComputeNumbers({z0, r, x}, type);
  EXPECT_EQ(e.run.outcome, Outcome::kComputed) << "type " << type;
  options.hertz = hertz;
  const SeriesLoad load(r, x, hertz);
  NetworkDesign d = DesignComputed(type, e.run, load, options);
  return {std::move(e), std::move(d)};
}

double FourDigits(double v) {
  char buf[32];
  const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 4);
  return std::strtod(std::string(buf, res.ptr).c_str(), nullptr);
}

// Worked examples of L-section matching: each solution's series and shunt
// part, recomputed exactly from the closed form (shunt element at the load:
// B = (X +/- sqrt(R/Z0) sqrt(R^2 + X^2 - Z0 R)) / (R^2 + X^2),
// series X = 1/B + X Z0/R - Z0/(B R)), and the textbook's four digits.
TEST(DesignTest, PublishedWorkedExamples) {
  struct Example {
    double z0, r, x, hertz;
    std::int16_t type;
    double sign;                     // of the square root
    double book_series, book_shunt;  // henries or farads, four digits
  };
  const Example examples[] = {
      {100, 200, -100, 500e6, 1, +1, 38.98e-9, 0.9228e-12},  // series L, shunt C
      {100, 200, -100, 500e6, 3, -1, 2.599e-12, 46.14e-9},   // series C, shunt L
      {100, 1000, 0, 100e6, 1, +1, 477.5e-9, 4.775e-12},     // Q = 3, low-pass
      {100, 1000, 0, 100e6, 3, -1, 5.305e-12, 530.5e-9},     // its high-pass twin
  };
  for (const Example& ex : examples) {
    const double w = kTwoPi * ex.hertz;
    const double mag2 = ex.r * ex.r + ex.x * ex.x;
    const double b =
        (ex.x + ex.sign * std::sqrt(ex.r / ex.z0) * std::sqrt(mag2 - ex.z0 * ex.r)) / mag2;
    const double series_x = 1 / b + ex.x * ex.z0 / ex.r - ex.z0 / (b * ex.r);
    const double series = series_x > 0 ? series_x / w : -1 / (w * series_x);
    const double shunt = b > 0 ? b / w : -1 / (w * b);  // C = B / w, L = -1 / (w B)
    const Designed d = DesignFor(ex.z0, ex.r, ex.x, ex.hertz, ex.type);
    const Network& s = d.design.ideal;  // first: the series part, second: the shunt part
    const double first = s.elements[0].part.value, second = s.elements[1].part.value;
    EXPECT_NEAR(first / series, 1, 1e-9) << "type " << ex.type;
    EXPECT_NEAR(second / shunt, 1, 1e-9) << "type " << ex.type;
    EXPECT_DOUBLE_EQ(FourDigits(first), ex.book_series) << "type " << ex.type;
    EXPECT_DOUBLE_EQ(FourDigits(second), ex.book_shunt) << "type " << ex.type;
    const Match m = MatchOf(s.InputImpedance(ex.hertz, {ex.r, ex.x}), ex.z0);
    EXPECT_TRUE(m.Perfect()) << "type " << ex.type;
  }
}

// The efficiency against the power in each resistor, from the currents.
TEST(DesignTest, EfficiencyIsThePowerBalance) {
  for (std::int16_t type : {1, 2}) {
    const double f = 14.2e6;
    const Impedance zl = type == 1 ? Impedance(40, 30) : Impedance(20, -10);
    Network s = DesignFor(50, zl.real(), zl.imag(), f, type).design.ideal;
    s.elements[0].part.q = 40;
    s.elements[1].part.q = 90;
    const Impedance z1 = s.elements[0].part.ImpedanceAt(f), z2 = s.elements[1].part.ImpedanceAt(f);
    double p1 = 0, p2 = 0, pl = 0;
    if (type == 1) {  // 1 A into Z1, then Z2 across the load
      const Impedance v = z2 * zl / (z2 + zl);
      p1 = z1.real();
      p2 = std::norm(v / z2) * z2.real();
      pl = std::norm(v / zl) * zl.real();
    } else {  // 1 V across Z1 and across Z2 + ZL
      const Impedance i2 = 1.0 / (z2 + zl);
      p1 = std::norm(1.0 / z1) * z1.real();
      p2 = std::norm(i2) * z2.real();
      pl = std::norm(i2) * zl.real();
    }
    EXPECT_NEAR(s.Efficiency(f, zl), pl / (p1 + p2 + pl), 1e-12) << "type " << type;
    EXPECT_LT(s.Efficiency(f, zl), 0.99);
  }
}

TEST(DesignTest, BandEdgesAreRootsOfVswrTwo) {
  DesignOptions options;
  options.bandwidth = true;
  const double f = 100e6;  // 1000 ohms to 100 with a low-pass section: Q = 3
  const Designed d = DesignFor(100, 1000, 0, f, 1, options);
  const Band& band = *d.design.band;
  ASSERT_TRUE(band.low && band.high);
  auto vswr = [&](double hz) { return Vswr(d.design.built.InputImpedance(hz, 1000.0), 100); };
  EXPECT_LE(vswr(*band.low * (1 + 2e-9)), 2.0);
  EXPECT_GT(vswr(*band.low * (1 - 2e-9)), 2.0);
  EXPECT_LE(vswr(*band.high * (1 - 2e-9)), 2.0);
  EXPECT_GT(vswr(*band.high * (1 + 2e-9)), 2.0);
  EXPECT_DOUBLE_EQ(*band.loaded_q, f / (*band.high - *band.low));
  EXPECT_LT(band.evaluations, 200);

  // Parts so lossy that the match fails at f: no band at all.
  options.parts.q_inductor = options.parts.q_capacitor = 0.3;
  const Band none = *DesignFor(100, 1000, 0, f, 1, options).design.band;
  EXPECT_FALSE(none.low || none.high || none.loaded_q);
}

TEST(DesignTest, PerfectAndActiveMatches) {
  const Match perfect = MatchOf({50, 0}, 50);
  EXPECT_FALSE(perfect.return_loss_db.has_value());
  EXPECT_DOUBLE_EQ(*perfect.vswr, 1.0);
  const Match active = MatchOf({-30, 5}, 50);  // |gamma| > 1: no finite VSWR
  EXPECT_FALSE(active.vswr.has_value());
  EXPECT_LT(*active.return_loss_db, 0.0);
}

// 40 + j30 to 50 ohms: below f the VSWR falls towards that of the bare 40
// ohms, 1.25, and never reaches 2 down to f / 100.
TEST(DesignTest, AnEdgeBeyondTheSearchRangeIsNotFound) {
  DesignOptions options;
  options.bandwidth = true;
  const Band band = *DesignFor(50, 40, 30, 14.2e6, 1, options).design.band;
  EXPECT_FALSE(band.low.has_value());
  EXPECT_GT(*band.high, 14.2e6);
  EXPECT_FALSE(band.loaded_q.has_value());
}

}  // namespace
}  // namespace vorda::rf
