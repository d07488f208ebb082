// Several bands, goals, reject bands, load states and yield as what the
// band search makes best, each judged from outside the search: an
// exhaustive grid, the cascade's own figures, the other searches' designs.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "rf/synthesis/LadderSearch.h"
#include "rf/synthesis/YieldCentring.h"
#include "tests/support/GridBest.h"

namespace vorda::rf {
namespace {

BandRequest TwoBands(const LoadModel& load, std::optional<BandGoal> first_goal = std::nullopt) {
  BandRequest r = OneBand(FrequencyAxis::Linear(280e6, 320e6, 21), load);
  r.bands.front().goal = first_goal;
  r.bands.push_back({FrequencyAxis::Linear(380e6, 420e6, 21), std::nullopt});
  r.centre = 300e6;
  r.threads = 1;
  return r;
}

double Margin(double figure) {
  return -10 * std::log10(figure);
}

// For two bands at once (one of them with a goal), every ladder of two and
// three parts reaches the grid's optimum of the worst margin to 0.2 dB.
TEST(BandGoalsTest, TwoBandsReachTheExhaustiveGridOptimum) {
  const SeriesLoad load(40, kTwoPi * 350e6 * 60e-9, 350e6);
  for (const auto& goal : {std::optional<BandGoal>{}, std::optional(BandGoal{{}, 12.0})}) {
    const BandRequest r = TwoBands(load, goal);
    const BandPoints points = PointsOf(LayoutOf(r));
    const double w = kTwoPi * r.centre;
    const double level = std::sqrt(50 * std::abs(load.At(r.centre)));
    for (const Network& shape : Ladders(2, 3)) {
      std::vector<double> lo, hi;
      for (const Element& e : shape.elements) {
        const bool l = e.part.kind == Part::Kind::kInductor;
        lo.push_back(std::log10(l ? level * 1e-3 / w : 1 / (w * level * 1e3)));
        hi.push_back(lo.back() + 6);
      }
      const double grid =
          GridBest(BandObjective(shape, points.all), lo, hi, shape.elements.size() == 2 ? 121 : 41);
      const Found found = SearchLadder(shape, r, points, {});
      EXPECT_GE(Margin(found.worst), Margin(grid) - 0.2) << LadderCode(shape);
    }
  }
}

// With lossy parts, the design made for the transducer gain delivers at
// least as much across the band as any design made for the return loss.
TEST(BandGoalsTest, TheGainsOptimumDeliversAtLeastTheReturnLossDesigns) {
  const SeriesLoad loads[] = {{12, 40, 14e6}, {150, -90, 14e6}};
  for (const SeriesLoad& load : loads) {
    BandRequest r = OneBand(FrequencyAxis::Linear(13e6, 15e6, 41), load);
    r.centre = 14e6;
    r.parts.q_inductor = 30;
    r.parts.q_capacitor = 200;
    r.max_parts = 3;
    const BandResult by_rl = OptimizeBand(r);
    r.figure = BandFigure::kTransducerGain;
    const BandResult by_gain = OptimizeBand(r);
    ASSERT_FALSE(by_gain.designs.empty());
    const double best = *by_gain.designs.front().figures.worst_insertion_loss_db;
    for (const BandDesign& d : by_rl.designs) {
      EXPECT_LE(best, *d.figures.worst_insertion_loss_db + 1e-9) << KindName(d.kind);
    }
  }
}

// A low-pass can reject the third harmonic: the search finds a design that
// does, and the cascade agrees at every point of the band to reject.
TEST(BandGoalsTest, AHarmonicBandIsRejectedWhereALowPassCanReject) {
  const SeriesLoad load(25, 0, 100e6);
  BandRequest r = OneBand(FrequencyAxis::Linear(95e6, 105e6, 21), load);
  r.centre = 100e6;
  r.rejects.push_back({FrequencyAxis::Linear(285e6, 315e6, 21), 25.0});
  const BandResult result = OptimizeBand(r);
  ASSERT_FALSE(result.designs.empty());
  const BandDesign& best = result.designs.front();
  ASSERT_TRUE(best.goals);
  EXPECT_TRUE(best.goals->rejects.front().met);
  for (const double hz : FrequencyAxis::Linear(285e6, 315e6, 21).Frequencies()) {
    EXPECT_LE(10 * std::log10(best.evaluated.TransducerGain(hz, load.At(hz), r.source)),
              -25 + 1e-9);
  }
}

// One network for two states of the load: no better than either state's
// own optimum, and better over both than either state's own design.
TEST(BandGoalsTest, OneNetworkForTwoStates) {
  const SeriesLoad free_space(40, 60, 400e6), in_hand(25, 20, 400e6);
  const auto request = [](const LoadModel& load) {
    BandRequest r = OneBand(FrequencyAxis::Linear(380e6, 420e6, 21), load);
    r.centre = 400e6;
    r.max_parts = 3;
    return r;
  };
  BandRequest both = request(free_space);
  both.states.push_back({&in_hand, {}, "in hand"});
  const BandResult joint = OptimizeBand(both);
  const BandLayout layout = LayoutOf(both);
  ASSERT_FALSE(joint.designs.empty());
  const double margin = Margin(joint.designs.front().worst);
  for (const LoadModel* one :
       {static_cast<const LoadModel*>(&free_space), static_cast<const LoadModel*>(&in_hand)}) {
    const BandResult alone = OptimizeBand(request(*one));
    const BandDesign& own = alone.designs.front();
    EXPECT_LE(margin, Margin(own.worst) + 1e-9);
    EXPECT_GE(margin, Margin(EvaluateBands(own.evaluated, both, layout).worst_figure) - 1e-9);
  }
}

// Over random loads, bands and series, no band design has a part outside
// the values made and sold.
TEST(BandGoalsTest, NoPartOutsideTheRangeOverRandomLoads) {
  std::mt19937 random(36);
  std::uniform_real_distribution<double> log_r(0, 3), x(-2000, 2000), log_f(6, 9.5);
  for (int k = 0; k < 12; ++k) {
    const double f = std::pow(10, log_f(random));
    const SeriesLoad load(std::pow(10, log_r(random)), x(random), f);
    BandRequest r = OneBand(FrequencyAxis::Linear(0.9 * f, 1.1 * f, 31), load);
    r.centre = f;
    r.max_parts = 3;
    if (k % 2 == 1) r.parts.series = ESeries::kE12;
    for (const BandDesign& d : OptimizeBand(r).designs) {
      for (const Network* n : {&d.ideal, d.standard ? &*d.standard : &d.ideal}) {
        for (const Element& e : n->elements) {
          if (!e.IsPart()) continue;
          const ValueRange range =
              e.part.kind == Part::Kind::kInductor ? kInductorRange : kCapacitorRange;
          EXPECT_TRUE(range.Holds(e.part.value))
              << e.part.value << " in " << KindName(d.kind) << " at " << f;
        }
      }
    }
  }
}

// Centring for yield never leaves fewer builds meeting the goals (the same
// builds), repeats to the bit, and says the yield it started from.
TEST(BandGoalsTest, CentringForYieldNeverLowersItAndRepeats) {
  const SeriesLoad load(20, 10, 433e6);
  BandRequest r = OneBand(FrequencyAxis::Linear(400e6, 466e6, 41), load);
  r.centre = 433e6;
  r.max_parts = 3;
  const BandResult found = OptimizeBand(r);
  CentringRequest c;
  c.yield.tolerance = {0.2, 0.2, false};
  c.yield.builds = 400;
  const BandLayout layout = LayoutOf(r);
  c.full = layout.goal.points;
  for (BandPoint& p : c.full) p.weight = 1 / (0.2 * 0.2);  // VSWR 1.5
  c.coarse = Spread(c.full, 17);
  int improved = 0;
  for (std::size_t i = 0; i < std::min<std::size_t>(4, found.designs.size()); ++i) {
    const BandDesign& d = found.designs[i];
    const Centred once = CentreForYield(d.ideal, d.standard, c);
    const Centred again = CentreForYield(d.ideal, d.standard, c);
    EXPECT_GE(once.to, once.from);
    EXPECT_EQ(once.ideal, again.ideal);
    EXPECT_EQ(once.to, again.to);
    EXPECT_EQ(once.from, YieldOf(d.ideal, c.full, c.yield).yield);
    EXPECT_EQ(once.to, YieldOf(once.ideal, c.full, c.yield).yield);
    improved += once.to > once.from ? 1 : 0;
  }
  EXPECT_GT(improved, 0);
}

// The bands' and the bands to reject's texts read back as what they say.
TEST(BandGoalsTest, BandTextsReadBack) {
  const ReadBandsResult bands = ReadBands(" 698M:960M , 1710M:2690M:rl=10,2.4G:2.5G:tg=-1.5dB");
  ASSERT_TRUE(bands.error.empty()) << bands.error;
  ASSERT_EQ(bands.bands.size(), 3u);
  EXPECT_EQ(bands.bands[2].goal, (BandGoal{BandFigure::kTransducerGain, -1.5}));
  EXPECT_EQ(ReadBands(BandsText(bands.bands)).bands, bands.bands);
  const ReadRejectsResult rejects = ReadRejects("4.8G:5G:30, 1G:1.1G");
  ASSERT_TRUE(rejects.error.empty()) << rejects.error;
  EXPECT_EQ(rejects.rejects[1].db, kDefaultRejectDb);
  EXPECT_EQ(ReadRejects(RejectsText(rejects.rejects)).rejects, rejects.rejects);
}

}  // namespace
}  // namespace vorda::rf
