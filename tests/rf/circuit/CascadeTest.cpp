// The one cascade against the chain matrices of its elements multiplied out
// by hand, the power it says reaches the load against the power that
// enters and is reflected, and the band search's inner loop against it,
// over random ladders, loads and frequencies.
#include "rf/circuit/Cascade.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

#include "rf/circuit/Network.h"
#include "rf/synthesis/BandObjective.h"

namespace vorda::rf {
namespace {

using C = std::complex<double>;

struct Case {
  Network network;
  C load;
  double hertz = 0.0;
  C source;
};

// A ladder of one to six parts of reactances around the load's level, some
// lossy (a Q everywhere or held at one frequency), some with parasitics;
// some lines and stubs among them, lossless and lossy.
Case Random(std::mt19937_64& gen) {
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  const auto log_uniform = [&](double lo, double hi) { return lo * std::pow(hi / lo, unit(gen)); };
  Case c;
  c.hertz = log_uniform(1e5, 1e10);
  c.load = {log_uniform(1.0, 1000.0), (unit(gen) - 0.5) * log_uniform(1.0, 2000.0)};
  c.source = {log_uniform(5.0, 200.0), unit(gen) < 0.5 ? 0.0 : (unit(gen) - 0.5) * 100.0};
  const int parts = 1 + static_cast<int>(unit(gen) * 6);
  const double w = kTwoPi * c.hertz;
  for (int k = 0; k < parts; ++k) {
    Element e;
    e.position = unit(gen) < 0.5 ? Position::kSeries : Position::kShunt;
    if (unit(gen) < 0.25) {
      Line l = LineOfDegrees(log_uniform(20.0, 150.0), 5.0 + 170.0 * unit(gen), c.hertz);
      if (unit(gen) < 0.4) l.conductor = {log_uniform(0.01, 1.0), c.hertz};
      if (unit(gen) < 0.3) l.dielectric = {log_uniform(0.01, 0.5), 2.0 * c.hertz};
      l.end = unit(gen) < 0.5 ? Line::End::kOpen : Line::End::kShort;
      c.network.elements.push_back(e.position == Position::kSeries ? SeriesLine(l) : ShuntStub(l));
      continue;
    }
    const double x = log_uniform(0.3, 3000.0);
    const bool inductor = unit(gen) < 0.5;
    e.part =
        inductor ? Part{Part::Kind::kInductor, x / w} : Part{Part::Kind::kCapacitor, 1 / (w * x)};
    if (unit(gen) < 0.5) e.part.q = log_uniform(5.0, 500.0);
    if (unit(gen) < 0.3) e.part.model.q_hertz = c.hertz * log_uniform(0.2, 5.0);
    if (unit(gen) < 0.3) {
      (inductor ? e.part.model.parallel_c : e.part.model.series_l) =
          inductor ? 0.02 / (w * x) : 0.02 * x / w;  // resonating well above f
    }
    c.network.elements.push_back(e);
  }
  return c;
}

// The chain matrix multiplied out from the source side, element by element.
ChainMatrix ByHand(const Network& n, double hertz) {
  ChainMatrix m;
  for (const Element& e : n.elements) {
    ChainMatrix p;
    if (e.line) {
      // gamma l = alpha + j theta: cosh and sinh from the library's complex
      // functions; a stub's impedance Zc coth or Zc tanh.
      const Line& l = *e.line;
      const C gl(l.NepersAt(hertz), l.DegreesAt(hertz) * std::numbers::pi / 180);
      if (e.position == Position::kSeries) {
        p = {std::cosh(gl), l.impedance * std::sinh(gl), std::sinh(gl) / l.impedance,
             std::cosh(gl)};
      } else {
        const C z = l.impedance * (l.end == Line::End::kOpen ? 1.0 / std::tanh(gl) : std::tanh(gl));
        p = {1.0, 0.0, 1.0 / z, 1.0};
      }
    } else {
      const C z = e.part.ImpedanceAt(hertz);
      p = e.position == Position::kSeries ? ChainMatrix{1.0, z, 0.0, 1.0}
                                          : ChainMatrix{1.0, 0.0, 1.0 / z, 1.0};
    }
    m = {m.a * p.a + m.b * p.c, m.a * p.b + m.b * p.d, m.c * p.a + m.d * p.c,
         m.c * p.b + m.d * p.d};
  }
  return m;
}

double Relative(C a, C b) {
  return std::abs(a - b) / std::max(std::abs(b), 1e-300);
}

TEST(CascadeTest, AgreesWithTheChainMatricesMultipliedOut) {
  std::mt19937_64 gen(34);
  for (int trial = 0; trial < 2000; ++trial) {
    const Case c = Random(gen);
    const ChainMatrix hand = ByHand(c.network, c.hertz);
    const auto chain = ChainOf(c.network, c.hertz);
    ASSERT_TRUE(chain);
    const double scale =
        std::abs(hand.a) + std::abs(hand.b) / 50 + std::abs(hand.c) * 50 + std::abs(hand.d);
    for (const auto& [ours, theirs, unit] :
         {std::tuple{chain->a, hand.a, 1.0}, std::tuple{chain->b, hand.b, 50.0},
          std::tuple{chain->c, hand.c, 1.0 / 50}, std::tuple{chain->d, hand.d, 1.0}}) {
      EXPECT_LT(std::abs(ours - theirs) / unit, 1e-12 * scale) << trial;
    }
    const C zin = (hand.a * c.load + hand.b) / (hand.c * c.load + hand.d);
    EXPECT_LT(Relative(c.network.InputImpedance(c.hertz, c.load), zin), 1e-10) << trial;
    // The load takes what enters and is not dissipated; what enters is what
    // the source has to give and is not reflected (a resistive source).
    const Source source(c.source.real());
    const Match m = c.network.MatchAt(c.hertz, c.load, source);
    const double gain = c.network.TransducerGain(c.hertz, c.load, source);
    const double entering = 1.0 - m.gamma_magnitude * m.gamma_magnitude;
    EXPECT_NEAR(gain, c.network.Efficiency(c.hertz, c.load) * entering, 1e-10) << trial;
    const C vs = hand.a + hand.b / c.load + source.z * (hand.c + hand.d / c.load);
    EXPECT_NEAR(gain, 4 * source.z.real() * std::real(1.0 / c.load) / std::norm(vs), 1e-10);
  }
}

TEST(CascadeTest, TheBandSearchsInnerLoopIsTheCascade) {
  std::mt19937_64 gen(35);
  for (int trial = 0; trial < 2000; ++trial) {
    const Case c = Random(gen);
    std::vector<BandPoint> points;
    std::vector<double> values;
    for (const Element& e : c.network.elements) {
      values.push_back(e.line ? e.line->degrees : e.part.value);
    }
    for (const double f : {c.hertz * 0.7, c.hertz, c.hertz * 1.9}) {
      points.push_back({f, kTwoPi * f, c.load * (f / c.hertz), c.source});
    }
    const BandObjective objective(c.network, points);
    std::vector<double> g2, gain;
    objective.GammasOf(values.data(), g2);
    // The transducer gain as the search takes it (weight 1: its inverse),
    // and a band to reject (the gain itself).
    std::vector<BandPoint> gains = points, rejects = points;
    for (BandPoint& p : gains) p.figure = PointFigure::kGain;
    for (BandPoint& p : rejects) p.figure = PointFigure::kReject;
    BandObjective(c.network, gains).GammasOf(values.data(), gain);
    std::vector<double> passed;
    BandObjective(c.network, rejects).GammasOf(values.data(), passed);
    for (std::size_t i = 0; i < points.size(); ++i) {
      const Source source(points[i].source);
      const double gamma =
          c.network.MatchAt(points[i].hertz, points[i].load, source).gamma_magnitude;
      EXPECT_NEAR(g2[i], gamma * gamma, 1e-12 * (1 + gamma * gamma)) << trial << " at " << i;
      const double g = c.network.TransducerGain(points[i].hertz, points[i].load, source);
      EXPECT_NEAR(passed[i], g, 1e-12) << trial << " at " << i;
      if (g > 1e-9) {
        EXPECT_NEAR(gain[i] * g, 1.0, 1e-9) << trial << " at " << i;
      }
    }
  }
}

// An open in series passes nothing; past it, a shunt part is all the input
// sees. A short to ground passes nothing and leaves no chain matrix.
TEST(CascadeTest, OpensAndShortsInTheWay) {
  const double f = 1e8;
  const Part l{Part::Kind::kInductor, 100e-9};
  const Part open{Part::Kind::kOpen, 0.0}, shorted{Part::Kind::kShort, 0.0};
  const Network past_open{{{Position::kShunt, l}, {Position::kSeries, open}}};
  EXPECT_FALSE(Cascade(past_open, f, 50.0).passes);
  EXPECT_LT(Relative(past_open.InputImpedance(f, 50.0), l.ImpedanceAt(f)), 1e-15);
  EXPECT_EQ(past_open.TransducerGain(f, 50.0, Source(50.0)), 0.0);
  const Network to_ground{{{Position::kSeries, l}, {Position::kShunt, shorted}}};
  EXPECT_LT(Relative(to_ground.InputImpedance(f, 50.0), l.ImpedanceAt(f)), 1e-15);
  EXPECT_FALSE(ChainOf(to_ground, f));
  // A short in series and an open in shunt are nothing at all.
  const Network nothing{{{Position::kSeries, shorted}, {Position::kShunt, open}}};
  EXPECT_EQ(nothing.InputImpedance(f, C(40, 30)), C(40, 30));
}

}  // namespace
}  // namespace vorda::rf
