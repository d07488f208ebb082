// Matching with lines against the textbook's closed forms (Pozar's single
// stub), and as properties over random loads: every solution matches, its
// lengths are lengths, the double stub refuses exactly the loads beyond its
// bound, the quarter-wave's first line makes the load real.
#include "rf/synthesis/LineDesigns.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

#include "rf/circuit/Cascade.h"

namespace vorda::rf {
namespace {

constexpr double kF = 2e9;

double Gamma(const Network& n, Impedance load, const Source& s) {
  return n.MatchAt(kF, load, s).gamma_magnitude;
}

// Every line's length lies in [0, 180) degrees.
void ExpectLengths(const Network& n) {
  for (const Element& e : n.elements) {
    ASSERT_TRUE(e.line);
    EXPECT_GE(e.line->degrees, 0.0);
    EXPECT_LT(e.line->degrees, 180.0);
  }
}

// Pozar's closed form for a shunt open stub on a line of z0: the distances
// and stub lengths in wavelengths.
std::vector<std::pair<double, double>> Pozar(Impedance zl, double z0) {
  const double r = zl.real(), x = zl.imag(), pi = std::numbers::pi;
  std::vector<std::pair<double, double>> out;
  const double root = std::sqrt(r * ((z0 - r) * (z0 - r) + x * x) / z0);
  for (const double t : {(x + root) / (r - z0), (x - root) / (r - z0)}) {
    double d = std::atan(t) / (2 * pi);
    if (d < 0) d += 0.5;
    const double b =
        (r * r * t - (z0 - x * t) * (x + z0 * t)) / (z0 * (r * r + (x + z0 * t) * (x + z0 * t)));
    double l = -std::atan(b * z0) / (2 * pi);
    if (l < 0) l += 0.5;
    out.emplace_back(d, l);
  }
  return out;
}

TEST(LineDesignsTest, SingleStubIsThePublishedOne) {
  for (const Impedance zl : {Impedance(60, -80), Impedance(25, 40), Impedance(150, 20)}) {
    const LineDesigns d = SingleStub(StubEnd::kOpen, Source(50.0), zl, kF, 50.0);
    ASSERT_EQ(d.networks.size(), 2u);
    std::vector<std::pair<double, double>> ours;
    for (const Network& n : d.networks) {
      ASSERT_EQ(n.elements.size(), 2u);
      ours.emplace_back(n.elements[1].line->degrees / 360, n.elements[0].line->degrees / 360);
    }
    std::vector<std::pair<double, double>> theirs = Pozar(zl, 50.0);
    std::sort(theirs.begin(), theirs.end());
    std::sort(ours.begin(), ours.end());
    for (std::size_t i = 0; i < 2; ++i) {
      EXPECT_NEAR(ours[i].first, theirs[i].first, 1e-12) << zl;
      EXPECT_NEAR(ours[i].second, theirs[i].second, 1e-12) << zl;
    }
  }
}

TEST(LineDesignsTest, EverySolutionMatchesOverRandomLoads) {
  std::mt19937_64 gen(37);
  std::uniform_real_distribution<double> u(0.0, 1.0);
  int refused_double = 0, checked = 0;
  for (int trial = 0; trial < 500; ++trial) {
    const Impedance zl(1 + 300 * u(gen), 400 * (u(gen) - 0.5));
    const bool complex_source = trial % 3 == 0;
    const Source s = complex_source ? Source(Impedance(20 + 80 * u(gen), 60 * (u(gen) - 0.5)))
                                    : Source(10 + 140 * u(gen));
    const double zc = 30 + 70 * u(gen);
    const double spacing = 20 + 140 * u(gen);
    for (const StubEnd end : {StubEnd::kOpen, StubEnd::kShort}) {
      const LineDesigns single = SingleStub(end, s, zl, kF, zc);
      for (const Network& n : single.networks) {
        ExpectLengths(n);
        EXPECT_LT(Gamma(n, zl, s), 1e-9) << zl << " " << trial;
        ++checked;
      }
      const LineDesigns two = DoubleStub(end, s, zl, kF, zc, spacing);
      // The load's conductance (of the lines' admittance) against the
      // bound of stubs `spacing` apart: (1 + t^2) / (g t^2).
      const double t = std::tan(spacing * std::numbers::pi / 180);
      const double g = (zc / std::conj(s.z)).real();
      const double a = (zc / zl).real();
      const bool beyond = a > (1 + t * t) / (g * t * t) * (1 + 1e-12);
      EXPECT_EQ(two.networks.empty(), beyond) << zl << " " << spacing;
      if (two.networks.empty()) {
        EXPECT_EQ(two.why.reason, Reason::kDoubleStubCannotMatch);
        ++refused_double;
      }
      for (const Network& n : two.networks) {
        ExpectLengths(n);
        EXPECT_LT(Gamma(n, zl, s), 1e-9) << zl << " " << trial;
      }
    }
    const LineDesigns qw = QuarterWave(s, zl, kF, zc);
    if (complex_source) {
      EXPECT_EQ(qw.why.reason, Reason::kQuarterWaveComplexSource);
      continue;
    }
    ASSERT_EQ(qw.networks.size(), 2u);
    for (const Network& n : qw.networks) {
      EXPECT_LT(Gamma(n, zl, s), 1e-9) << zl;
      // The line at the load makes it real.
      std::vector<Impedance> ends;
      Cascade(n, kF, zl, &ends);
      EXPECT_NEAR(ends[1].imag(), 0.0, 1e-9 * std::abs(ends[1])) << zl;
    }
  }
  EXPECT_GT(refused_double, 10);  // the bound was reached
  EXPECT_GT(checked, 1000);       // and most loads have single stubs
}

}  // namespace
}  // namespace vorda::rf
