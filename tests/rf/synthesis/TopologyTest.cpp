// Networks beyond the engine's L-sections, against values recomputed
// exactly from their closed forms.
#include "rf/synthesis/Topology.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "engine/ComputeRecord.h"
#include "rf/synthesis/LSolutions.h"

namespace vorda::rf {
namespace {

constexpr double kTwoPiF = 2 * 3.141592653589793 * 100e6;  // 100 MHz

double Value(const Network& n, std::size_t i) {
  return n.elements[i].part.value;
}

// A complex source: two L networks, both with the shunt part on the source
// side; the shunt-at-load forms need Re(1/ZL) <= 1/Re(Zs), which fails.
TEST(TopologyTest, ComplexSourcePublishedCheck) {
  const Impedance zs(150, 75), zl(75, 15);
  const double w = 2 * std::numbers::pi * 2e9;
  const std::vector<LSolution> s = SolveL(zs, zl);
  ASSERT_EQ(s.size(), 2u);
  for (const LSolution& l : s) EXPECT_EQ(l.family, Family::kSeriesAtLoad);
  // (XL + X2)^2 = RL (|Zs|^2 / Rs - RL); B1 = Xs / |Zs|^2 + (XL + X2) / |ZL + jX2|^2.
  const double root = std::sqrt(75 * (std::norm(zs) / 150 - 75));
  for (const double sign : {-1.0, 1.0}) {
    const double x2 = -15 + sign * root;
    const double b1 = 75 / std::norm(zs) + (15 + x2) / (75 * 75 + (15 + x2) * (15 + x2));
    const LSolution& l = s[sign < 0 ? 0 : 1];
    EXPECT_NEAR(l.second_ohms / x2, 1, 1e-12);
    EXPECT_NEAR(l.first_ohms * b1, -1, 1e-12);
  }
  // The published four digits: series L 6.116 nH with shunt C 0.732 pF, and
  // series C 0.7447 pF with shunt L 20.59 nH.
  EXPECT_NEAR(s[1].second_ohms / w, 6.116e-9, 0.0005e-9);
  EXPECT_NEAR(-1 / (w * s[1].first_ohms), 0.732e-12, 0.0005e-12);
  EXPECT_NEAR(-1 / (w * s[0].second_ohms), 0.7447e-12, 0.00005e-12);
  EXPECT_NEAR(s[0].first_ohms / w, 20.59e-9, 0.005e-9);
  EXPECT_EQ(s[1].type_index, 2);  // Shunt C, Series L
  EXPECT_EQ(s[0].type_index, 4);  // Shunt L, Series C
  for (const LSolution& l : s) {  // each is a conjugate match
    const Network n = LSection(l.family, PartFor(l.first_ohms, 2e9), PartFor(l.second_ohms, 2e9));
    EXPECT_LT(n.MatchAt(2e9, zl, Source(zs)).gamma_magnitude, 1e-12);
  }
}

// A resistive source: the solutions are the engine's, type for type.
TEST(TopologyTest, ResistiveSourceGivesTheEngineTypes) {
  std::mt19937_64 random(21);
  std::uniform_real_distribution<double> r(1, 300), x(-300, 300);
  int compared = 0;
  for (int i = 0; i < 500; ++i) {
    const Impedance zl(r(random), x(random));
    const std::vector<LSolution> solutions = SolveL(50, zl);
    for (std::int16_t t = 1; t <= 8; ++t) {
      const ComputeRecord e = ComputeNumbers({50, zl.real(), zl.imag()}, t);
      const LSolution* found = nullptr;
      for (const LSolution& s : solutions) found = s.type_index == t ? &s : found;
      ASSERT_EQ(e.run.outcome == Outcome::kComputed, found != nullptr) << zl << " type " << t;
      if (found == nullptr) continue;
      EXPECT_NEAR(found->first_ohms, *e.run.first * 50, 1e-9 * (1 + std::fabs(found->first_ohms)));
      EXPECT_NEAR(found->second_ohms, *e.run.second * 50,
                  1e-9 * (1 + std::fabs(found->second_ohms)));
      ++compared;
    }
  }
  EXPECT_GT(compared, 500);
}

// Pi from 100 to 1000 ohms with Q 15, and T from 10 to 50 ohms with Q 10,
// low-pass, at 100 MHz; and their high-pass twins: each a perfect match.
TEST(TopologyTest, PiAndTWorkedExamples) {
  // Pi: Rv = 1000 / (Q^2 + 1); each half's shunt X = R / Q_half, the series
  // parts add Q_half Rv.
  const double rv_pi = 1000.0 / (15 * 15 + 1);
  const double q1 = std::sqrt(100 / rv_pi - 1), q2 = std::sqrt(1000 / rv_pi - 1);
  const Synthesis pi = Synthesize({Topology::kPiLowPass, 0}, Source(100), 1000, 100e6, 100, 15.0);
  ASSERT_TRUE(pi.network) << static_cast<int>(pi.why.reason);
  EXPECT_NEAR(rv_pi, 4.425, 0.0005);
  EXPECT_NEAR(Value(*pi.network, 0), 1 / (kTwoPiF * 100 / q1), 1e-21);
  EXPECT_NEAR(Value(*pi.network, 1), (q1 + q2) * rv_pi / kTwoPiF, 1e-18);
  EXPECT_NEAR(Value(*pi.network, 2), 1 / (kTwoPiF * 1000 / q2), 1e-21);
  EXPECT_NEAR(Value(*pi.network, 0), 73.97e-12, 0.005e-12);
  EXPECT_NEAR(Value(*pi.network, 1), 138.4e-9, 0.05e-9);
  EXPECT_NEAR(Value(*pi.network, 2), 23.87e-12, 0.005e-12);
  // T: Rv = 10 (Q^2 + 1); series X = Q_half R, the shunt parts' susceptances add.
  const double rv_t = 10.0 * (10 * 10 + 1);
  const double t1 = std::sqrt(rv_t / 10 - 1), t2 = std::sqrt(rv_t / 50 - 1);
  const Synthesis t = Synthesize({Topology::kTLowPass, 0}, Source(10), 50, 100e6, 50, 10.0);
  ASSERT_TRUE(t.network) << static_cast<int>(t.why.reason);
  EXPECT_EQ(rv_t, 1010);
  EXPECT_NEAR(Value(*t.network, 0), t1 * 10 / kTwoPiF, 1e-18);
  EXPECT_NEAR(Value(*t.network, 1), (t1 / rv_t + t2 / rv_t) / kTwoPiF, 1e-21);
  EXPECT_NEAR(Value(*t.network, 2), t2 * 50 / kTwoPiF, 1e-18);
  EXPECT_NEAR(Value(*t.network, 0), 159.2e-9, 0.05e-9);
  EXPECT_NEAR(Value(*t.network, 1), 22.66e-12, 0.005e-12);
  EXPECT_NEAR(Value(*t.network, 2), 348.7e-9, 0.05e-9);
  for (const Topology top :
       {Topology::kPiLowPass, Topology::kPiHighPass, Topology::kTLowPass, Topology::kTHighPass,
        Topology::kTwoLLowPass, Topology::kTwoLHighPass}) {
    for (const Impedance zl : {Impedance(1000, 0), Impedance(10, 0), Impedance(40, 300)}) {
      const Synthesis s = Synthesize({top, 0}, Source(Impedance(100, -20)), zl, 100e6, 100, 40.0);
      ASSERT_TRUE(s.network) << KindName({top, 0}) << " " << zl << ": "
                             << static_cast<int>(s.why.reason);
      EXPECT_EQ(IsLowPass(*s.network), top == Topology::kPiLowPass || top == Topology::kTLowPass ||
                                           top == Topology::kTwoLLowPass);
      EXPECT_LT(s.network->MatchAt(100e6, zl, Source(Impedance(100, -20))).gamma_magnitude, 1e-9)
          << KindName({top, 0}) << " " << zl;
    }
  }
  // Below the least Q: refused, with the least in the message.
  const Synthesis low = Synthesize({Topology::kPiLowPass, 0}, Source(100), 1000, 100e6, 100, 2.0);
  EXPECT_FALSE(low.network);
  EXPECT_EQ(low.why.reason, Reason::kLoadedQBelowLeast);
  EXPECT_DOUBLE_EQ(low.why.value, 2.0);
  EXPECT_NEAR(low.why.bound, 3.0, 1e-12);  // sqrt(1000 / 100 - 1)
}

// At exactly its least loaded Q a Pi or T network is the L-section it
// comes down to, and so are two L-sections through a termination's own
// resistance: a design with a note, never a refusal, for any two
// resistances.
TEST(TopologyTest, AtTheLimitsTheNetworkIsAnLSection) {
  std::mt19937_64 random(10);
  std::uniform_real_distribution<double> exponent(-2, 4);
  for (int i = 0; i < 500; ++i) {
    const double rs = std::pow(10.0, exponent(random)), rl = std::pow(10.0, exponent(random));
    if (std::fabs(rs / rl - 1) < 1e-3) continue;
    for (const Topology t :
         {Topology::kPiLowPass, Topology::kPiHighPass, Topology::kTLowPass, Topology::kTHighPass}) {
      const double least = MinimumQ(t, rs, rl);
      const Synthesis s = Synthesize({t, 0}, rs, rl, 100e6, 50, least);
      ASSERT_TRUE(s.network) << rs << " to " << rl << ": " << static_cast<int>(s.why.reason);
      EXPECT_EQ(s.network->elements.size(), 2u) << rs << " to " << rl;
      EXPECT_NE(s.became, Became::kAsNamed);
      EXPECT_LT(s.network->MatchAt(100e6, rl, rs).gamma_magnitude, 1e-9);
      const Synthesis above = Synthesize({t, 0}, rs, rl, 100e6, 50, least * 1.01 + 0.01);
      ASSERT_TRUE(above.network);
      EXPECT_EQ(above.network->elements.size(), 3u);
    }
    for (const Topology t : {Topology::kTwoLLowPass, Topology::kTwoLHighPass}) {
      const Synthesis s = Synthesize({t, 0}, rs, rl, 100e6, 50, std::nullopt, rs);
      ASSERT_TRUE(s.network) << static_cast<int>(s.why.reason);
      EXPECT_EQ(s.network->elements.size(), 2u);
      EXPECT_LT(s.network->MatchAt(100e6, rl, rs).gamma_magnitude, 1e-9);
    }
  }
}

}  // namespace
}  // namespace vorda::rf
