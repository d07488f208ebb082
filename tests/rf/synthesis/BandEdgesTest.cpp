// The band search at its edges: a library searched through, every network
// of the family there to be had, ties to fewer parts, and parts used as
// what they are sold as.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "rf/files/PartLibraryFile.h"
#include "rf/synthesis/BandSearch.h"

namespace vorda::rf {
namespace {

double WorstGamma(const Network& n, const LoadModel& load, const BandRequest& r) {
  double worst = 0.0;
  for (const double hz : r.Axis().Frequencies()) {
    worst = std::max(worst, n.MatchAt(hz, load.At(hz), r.source).gamma_magnitude);
  }
  return worst;
}

// Of up to three parts, the library's design is the best of every
// combination of the library's parts in its network, each tried here.
TEST(BandEdgesTest, EveryCombinationOfALibrarysPartsIsTried) {
  const auto library = ReadPartLibrary(VORDA_SOURCE_DIR "/docs/examples/parts-0402");
  const SeriesLoad load(15, -40, 2.44e9);
  BandRequest r = OneBand(FrequencyAxis::Linear(2.4e9, 2.4835e9, 21), load);
  r.centre = 2.44e9;
  r.max_parts = 3;
  r.parts.library = library;
  int judged = 0;
  for (const BandDesign& d : OptimizeBand(r).designs) {
    if (!d.standard || d.parts > 3 || !d.every_combination) continue;
    Network n = *d.standard;
    double best = HUGE_VAL;
    const auto visit = [&](const auto& self, std::size_t at) -> void {
      if (at == n.elements.size()) {
        best = std::min(best, WorstGamma(n, load, r));
        return;
      }
      for (const LibraryPart& p : library->parts) {
        if (p.part.kind != d.standard->elements[at].part.kind) continue;
        if (p.part.Reversed(r.Highest())) continue;
        n.elements[at].part = p.part;
        self(self, at + 1);
      }
    };
    visit(visit, 0);
    EXPECT_LE(d.figures.worst_gamma, best * (1 + 1e-9)) << KindName(d.kind);
    ++judged;
  }
  EXPECT_GE(judged, 3);
}

// Every network of up to four parts has a design, its own or the smaller
// one it comes to; a Chebyshev-like low-pass of four is found.
TEST(BandEdgesTest, EveryNetworkOfTheFamilyIsThere) {
  const SeriesLoad load(40, 75, 345.7e6);
  BandRequest r = OneBand(FrequencyAxis::Linear(295e6, 405e6, 201), load);
  r.centre = 345.7e6;
  const BandResult result = OptimizeBand(r);
  ASSERT_EQ(result.family.size(), Ladders(2, 4).size());
  for (const auto& [code, to] : result.family) {
    if (to.empty()) continue;
    EXPECT_TRUE(std::any_of(result.designs.begin(), result.designs.end(),
                            [&](const BandDesign& d) { return LadderCode(d.ideal) == to; }))
        << code << " came to " << to;
  }
  const auto four =
      std::find_if(result.designs.begin(), result.designs.end(),
                   [](const BandDesign& d) { return LadderCode(d.ideal) == "sL-pC-sL-pC"; });
  ASSERT_NE(four, result.designs.end());
  // "series 34.99nH, shunt 7.11pF, series 70.23nH, shunt 7.577pF" reaches 17.26 dB.
  EXPECT_GE(*four->figures.worst_return_loss_db, 17.26 - 1e-3);
}

// Within a hundredth of a dB, fewer parts rank first: a perfect match at one
// frequency is an L-section's; and no design ranks above one with fewer
// parts by less than that.
TEST(BandEdgesTest, TiesGoToFewerParts) {
  const SeriesLoad load(3, 15, 900e6);
  BandRequest one = OneBand(FrequencyAxis::Linear(900e6, 900e6, 1), load);
  one.centre = 900e6;
  const BandResult perfect = OptimizeBand(one);
  ASSERT_FALSE(perfect.designs.empty());
  EXPECT_EQ(perfect.designs.front().parts, 2);
  const SeriesLoad antenna(40, 75, 345.7e6);
  BandRequest r = OneBand(FrequencyAxis::Linear(295e6, 405e6, 101), antenna);
  r.centre = 345.7e6;
  const auto& d = OptimizeBand(r).designs;
  for (std::size_t i = 0; i + 1 < d.size(); ++i) {
    if (d[i].parts <= d[i + 1].parts) continue;
    EXPECT_GT(*d[i].figures.worst_return_loss_db - *d[i + 1].figures.worst_return_loss_db, 0.01)
        << KindName(d[i].kind) << " above " << KindName(d[i + 1].kind);
  }
}

// With chip parts, no band design has a part past its self-resonance in
// the band: a part is used as what it is sold as.
TEST(BandEdgesTest, NoPartPastItsSelfResonance) {
  std::mt19937 random(37);
  std::uniform_real_distribution<double> log_r(0.5, 2.5), x(-300, 300), log_f(8.5, 9.6);
  for (int k = 0; k < 8; ++k) {
    const double f = std::pow(10, log_f(random));
    const SeriesLoad load(std::pow(10, log_r(random)), x(random), f);
    BandRequest r = OneBand(FrequencyAxis::Linear(0.95 * f, 1.05 * f, 21), load);
    r.centre = f;
    r.max_parts = 3;
    r.parts.model.package = Package::k0402;
    if (k % 2 == 1) r.parts.series = ESeries::kE24;
    for (const BandDesign& d : OptimizeBand(r).designs) {
      for (const Element& e : d.evaluated.elements) {
        EXPECT_FALSE(e.part.Reversed(1.05 * f)) << KindName(d.kind) << " at " << f;
      }
    }
  }
}

}  // namespace
}  // namespace vorda::rf
