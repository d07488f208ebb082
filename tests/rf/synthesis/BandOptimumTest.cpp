// Whether the band search finds each ladder's optimum: against an
// exhaustive search on a grid, with losses against the lossless optimum,
// with standard values against rounding; and that no design keeps a part
// that is a short or an open in the making.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>

#include "engine/PortableMath.h"
#include "rf/synthesis/LadderSearch.h"
#include "tests/support/GridBest.h"

namespace vorda::rf {
namespace {

BandRequest Request(const LoadModel& load, double start, double stop, std::size_t points) {
  BandRequest r = OneBand(FrequencyAxis::Linear(start, stop, points), load);
  r.centre = std::sqrt(start * stop);
  r.threads = 1;
  return r;
}

double ReturnLoss(double gamma2) {
  return -10 * std::log10(gamma2);
}

// Every ladder of two and three parts, for an inductive and a capacitive
// load over wide bands: the search reaches the grid's optimum to 0.2 dB
// (where the search pruned a part, the smaller network does as well).
TEST(BandOptimumTest, EachLadderReachesTheExhaustiveGridOptimum) {
  const SeriesLoad inductive(40, kTwoPi * 350e6 * 120e-9, 350e6);
  const SeriesLoad capacitive(111.8, -1 / (kTwoPi * 141.42e6 * 11.33e-12), 141.42e6);
  const std::tuple<const LoadModel*, double, double> cases[] = {{&inductive, 295e6, 405e6},
                                                                {&capacitive, 100e6, 200e6}};
  for (const auto& [load, start, stop] : cases) {
    const BandRequest r = Request(*load, start, stop, 21);
    const BandPoints points = PointsOf(LayoutOf(r));
    // A thousandth to a thousand times the level in reactance, as searched.
    const double w = kTwoPi * r.centre;
    const double level = std::sqrt(50 * std::abs(load->At(r.centre)));
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
      EXPECT_GE(ReturnLoss(found.worst), ReturnLoss(grid) - 0.2)
          << LadderCode(shape) << " from " << start;
    }
  }
}

// Every ladder of lines and stubs of two and three elements (single and
// double stubs, lines between stubs) for a capacitive and an inductive load
// over a tenth of an octave: the search, started as the band search starts
// it (the three from the two's optima), reaches the grid's optimum in the
// lengths (half a degree to half a wave) to 0.2 dB.
TEST(BandOptimumTest, EachLineLadderReachesTheExhaustiveGridOptimum) {
  const SeriesLoad loads[] = {{20, -35, 2.4e9}, {150, 90, 2.4e9}};
  for (const SeriesLoad& load : loads) {
    BandRequest r = Request(load, 2.3e9, 2.5e9, 21);
    r.elements = Elements::kLines;
    const BandPoints points = PointsOf(LayoutOf(r));
    std::map<std::string, Network> smaller;
    for (const int size : {2, 3}) {
      std::map<std::string, Network> these;
      for (const Network& family : Ladders(size, size, Elements::kLines)) {
        const Network shape = *ResolvedLines(family, 50.0, r.centre);
        // Lengths in half turns, as searched.
        const std::vector<double> lo(shape.elements.size(), 0.5 / 180);
        const std::vector<double> hi(shape.elements.size(), 1.0);
        const double grid =
            GridBest(BandObjective(shape, points.all), lo, hi, size == 2 ? 121 : 41, true);
        const Found found = SearchLadder(shape, r, points, StartsFromSmaller(shape, smaller, r));
        EXPECT_GE(ReturnLoss(found.worst), ReturnLoss(grid) - 0.2) << LadderCode(shape);
        these[LadderCode(shape)] = found.network;
      }
      smaller = std::move(these);
    }
  }
}

// With Q 40 and E12 parts, a ladder's design is never worse than its
// lossless optimum with the losses, than that optimum's own standard
// values with the losses, or than its own values rounded.
TEST(BandOptimumTest, LossesAndStandardValuesNeverLoseToTheLosslessDesign) {
  const SeriesLoad loads[] = {{20, 35, 7.1e6}, {120, -80, 145e6}};
  const double bands[][2] = {{6.8e6, 7.4e6}, {130e6, 160e6}};
  for (std::size_t c = 0; c < std::size(loads); ++c) {
    BandRequest ideal = Request(loads[c], bands[c][0], bands[c][1], 41);
    BandRequest lossy = ideal;
    lossy.parts.q_inductor = 40;
    lossy.parts.q_capacitor = 40;
    lossy.parts.series = ESeries::kE12;
    const BandPoints points = PointsOf(LayoutOf(ideal));
    const auto worst = [&](const Network& n) {
      std::vector<double> u;
      for (const Element& e : n.elements) u.push_back(std::log10(e.part.value));
      return BandObjective(LossyFor(n, lossy), points.all).Worst(u.data());
    };
    for (const Network& shape : Ladders(2, 3)) {
      const Found plain = SearchLadder(shape, ideal, points, {});
      Found with = SearchLadder(shape, lossy, points, {});
      if (LadderCode(plain.network) != LadderCode(with.network)) continue;  // pruned otherwise
      const std::string name = LadderCode(shape);
      EXPECT_LE(with.worst, worst(plain.network) * (1 + 1e-3)) << name;
      BandRequest e12 = ideal;
      e12.parts.series = ESeries::kE12;
      Found plain_copy = plain;
      const auto plain_standard = StandardFor(plain_copy, e12, points);
      const Network rounded = [&] {
        Network n = with.network;
        for (Element& e : n.elements) {
          const auto nb = *StandardNeighbours(e.part.value, ESeries::kE12);
          e.part.value = e.part.value * e.part.value < nb.below * nb.above ? nb.below : nb.above;
        }
        return n;
      }();
      const auto standard = StandardFor(with, lossy, points);
      ASSERT_TRUE(standard && plain_standard) << name;
      EXPECT_LE(worst(*standard), worst(*plain_standard) * (1 + 1e-9)) << name;
      EXPECT_LE(worst(*standard), worst(rounded) * (1 + 1e-9)) << name;
    }
  }
}

// Loads from nearly a short to nearly an open, inductive and capacitive,
// over narrow and wide bands: every part of every design is a real part
// whose reactance lies well within the short and open limits.
TEST(BandOptimumTest, NoDesignKeepsAShortOrAnOpen) {
  std::mt19937 random(29);
  std::uniform_real_distribution<double> decades(-5.5, 5.5), unit(-1, 1);
  for (int trial = 0; trial < 8; ++trial) {
    const double r = 50 * std::pow(10.0, decades(random));
    const double x = 50 * std::pow(10.0, decades(random)) * (unit(random) < 0 ? -1 : 1);
    const double f = 1e6 * std::pow(10.0, 3 * (unit(random) + 1));
    const double width = trial % 2 == 0 ? 0.01 : 0.6;
    const SeriesLoad load(r, x, f);
    BandRequest req = Request(load, f * (1 - width / 2), f * (1 + width / 2), 41);
    req.max_parts = 3;
    req.threads = 0;
    const BandResult result = OptimizeBand(req);
    for (const BandDesign& d : result.designs) {
      ASSERT_FALSE(d.ideal.elements.empty());
      for (const Element& e : d.ideal.elements) {
        ASSERT_TRUE(e.part.IsReal()) << r << " " << x << " " << f;
        const double normalized = std::fabs(e.part.Reactance(f)) / 50;
        EXPECT_GT(normalized, 1e-9) << KindName(d.kind) << " for " << r << " " << x;
        EXPECT_LT(normalized, 1e9) << KindName(d.kind) << " for " << r << " " << x;
      }
      EXPECT_TRUE(std::isfinite(d.figures.worst_gamma));
    }
  }
}

}  // namespace
}  // namespace vorda::rf
