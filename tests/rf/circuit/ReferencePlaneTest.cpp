// A measured load moved to where the part sits: along a line there and back
// it is the measurement again; behind a fixture it is the load the fixture
// was measured with, a fixture that is a line takes the plane where the line
// does, and a fixture that does not cover the measurement is refused.
#include "rf/circuit/ReferencePlane.h"

#include <gtest/gtest.h>

#include <random>

#include "rf/circuit/Network.h"
#include "rf/circuit/TwoPort.h"

namespace vorda::rf {
namespace {

Measurement Random(std::mt19937_64& gen) {
  std::uniform_real_distribution<double> u(0.0, 1.0);
  Measurement m;
  double f = 1e8 * (1 + u(gen));
  for (int i = 0; i < 12; ++i, f *= 1.0 + 0.5 * u(gen)) {
    m.points.push_back({f, {1 + 300 * u(gen), 400 * (u(gen) - 0.5)}});
  }
  return m;
}

double Relative(std::complex<double> a, std::complex<double> b) {
  return std::abs(a - b) / std::abs(b);
}

TEST(ReferencePlaneTest, ThereAndBackIsTheMeasurement) {
  std::mt19937_64 gen(35);
  for (int trial = 0; trial < 200; ++trial) {
    const Measurement m = Random(gen);
    Line line = LineOfDelay(trial % 2 ? 0.0 : 35.0 + trial, 1e-12 * (5 + trial));
    if (trial % 3 == 0) line.conductor = {0.3, 1e9};
    if (trial % 5 == 0) line.dielectric = {0.1, 2e9};
    Line back = line;
    back.degrees = -line.degrees;
    back.given = -line.given;
    const Measurement again = Extended(Extended(m, line), back);
    for (std::size_t i = 0; i < m.points.size(); ++i) {
      EXPECT_LT(Relative(again.points[i].z, m.points[i].z), 1e-12) << trial << " " << i;
    }
  }
}

// A fixture measured as the two-port of a known network, closed by a load:
// taken off again, the load is what it was; a fixture that is a line is the
// line's extension.
TEST(ReferencePlaneTest, AFixtureComesOffAsItWentOn) {
  std::mt19937_64 gen(36);
  const Line feed = LineOfLength(60.0, 0.02, 0.7);
  const Network fixtures[] = {
      Network{{SeriesLine(feed)}},
      Network{{{Position::kShunt, {Part::Kind::kCapacitor, 0.4e-12}},
               SeriesLine(LineOfDelay(45.0, 70e-12)),
               {Position::kSeries, {Part::Kind::kInductor, 1.2e-9}}}},
  };
  for (const Network& fixture : fixtures) {
    const Measurement loads = Random(gen);
    TwoPortData data;
    Measurement measured = loads;
    for (LoadPoint& p : measured.points) {
      const auto s = *SParametersOf(fixture, p.hertz, 50.0, 50.0);
      data.points.push_back({p.hertz, s[0], s[1], s[2], s[3]});
      p.z = fixture.InputImpedance(p.hertz, p.z);
    }
    const Deembedded off = Deembed(measured, data, "fixture.s2p");
    ASSERT_TRUE(off.measurement) << off.error;
    for (std::size_t i = 0; i < loads.points.size(); ++i) {
      EXPECT_LT(Relative(off.measurement->points[i].z, loads.points[i].z), 1e-9) << i;
    }
    if (&fixture == &fixtures[0]) {
      const Measurement extended = Extended(measured, feed);
      for (std::size_t i = 0; i < loads.points.size(); ++i) {
        EXPECT_LT(Relative(extended.points[i].z, loads.points[i].z), 1e-12) << i;
      }
    }
    data.points.pop_back();  // no longer reaching the last measured point
    const Deembedded short_of = Deembed(measured, data, "fixture.s2p");
    EXPECT_FALSE(short_of.measurement);
    EXPECT_NE(short_of.error.find("lies outside the fixture fixture.s2p's"), std::string::npos)
        << short_of.error;
  }
}

}  // namespace
}  // namespace vorda::rf
