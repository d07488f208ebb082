// The band search: the physical limit, zero-width bands, standard values,
// and the same result for the same input.
#include "rf/synthesis/BandSearch.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <numbers>

#include "rf/synthesis/LSolutions.h"

namespace vorda::rf {
namespace {

BandRequest Request(const LoadModel& load, double start, double stop) {
  BandRequest r = OneBand(FrequencyAxis::Linear(start, stop, 101), load);
  r.centre = std::sqrt(start * stop);
  return r;
}

// A parallel R-C load.
class ParallelRc : public LoadModel {
 public:
  ParallelRc(double r, double c) : r_(r), c_(c) {}
  Impedance At(double hertz) const override {
    return 1.0 / Impedance(1.0 / r_, kTwoPi * hertz * c_);
  }

 private:
  double r_, c_;
};

// 40 ohms and 120 nH, 295 to 405 MHz, from 50 ohms: the Bode-Fano limit
// exp(-pi R / (L dw)) is about 13.16 dB. No lossless design beats the limit,
// for it or for other R-L and R-C loads and bands.
TEST(BandSearchTest, NoLosslessDesignBeatsTheBodeFanoLimit) {
  const SeriesLoad published(40, kTwoPi * 350e6 * 120e-9, 350e6);
  const BandResult r = OptimizeBand(Request(published, 295e6, 405e6));
  ASSERT_TRUE(r.bode_fano);
  const double exact =
      20 * std::log10(std::exp(1.0)) * std::numbers::pi * 40 / 120e-9 / (kTwoPi * 110e6);
  EXPECT_NEAR(r.bode_fano->worst_return_loss_db, exact, 1e-9);
  EXPECT_NEAR(r.bode_fano->worst_return_loss_db, 13.16, 0.005);
  EXPECT_EQ(r.bode_fano->fit.circuit, LoadCircuit::kSeriesRL);
  EXPECT_LT(r.bode_fano->fit.error, 1e-12);

  const SeriesLoad rl(10, kTwoPi * 100e6 * 50e-9, 100e6);
  const SeriesLoad rc(25, -1 / (kTwoPi * 14e6 * 200e-12), 14e6);
  const ParallelRc prc(300, 8e-12);
  const std::tuple<const LoadModel*, double, double, LoadCircuit> cases[] = {
      {&published, 295e6, 405e6, LoadCircuit::kSeriesRL},
      {&rl, 90e6, 110e6, LoadCircuit::kSeriesRL},
      {&rc, 12e6, 16e6, LoadCircuit::kSeriesRC},
      {&prc, 140e6, 160e6, LoadCircuit::kParallelRC},
  };
  for (const auto& [load, start, stop, circuit] : cases) {
    const BandResult result = OptimizeBand(Request(*load, start, stop));
    ASSERT_TRUE(result.bode_fano) << start;
    EXPECT_EQ(result.bode_fano->fit.circuit, circuit) << start;
    ASSERT_FALSE(result.designs.empty());
    for (const BandDesign& d : result.designs) {
      // The worst of the points sampled may miss the band's true worst by a
      // hair; 0.01 dB is far below what any design comes near.
      EXPECT_LE(*d.figures.worst_return_loss_db, result.bode_fano->worst_return_loss_db + 0.01)
          << KindName(d.kind) << " " << start;
    }
  }
}

// A band of no width gives back the single-frequency L-sections: 100 ohms
// to 200 - j100 at 500 MHz, series L 38.98 nH with shunt C 0.9228 pF (type
// 1), series C 2.599 pF with shunt L 46.14 nH (type 3).
TEST(BandSearchTest, AZeroWidthBandGivesTheSingleFrequencySolutions) {
  const SeriesLoad load(200, -100, 500e6);
  BandRequest r = Request(load, 500e6, 500e6);
  r.source = Source(100.0);
  r.z0 = 100;
  const BandResult result = OptimizeBand(r);
  int found = 0;
  for (const BandDesign& d : result.designs) {
    if (d.kind.topology != Topology::kL) continue;
    for (const LSolution& s : SolveL(100, {200, -100})) {
      if (s.type_index != d.kind.type) continue;
      ++found;
      const Network n =
          LSection(s.family, PartFor(s.first_ohms, 500e6), PartFor(s.second_ohms, 500e6));
      for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_NEAR(d.ideal.elements[i].part.value / n.elements[i].part.value, 1, 1e-9);
      }
      EXPECT_LT(d.figures.worst_gamma, 1e-9);
    }
  }
  EXPECT_EQ(found, 2);
  const auto value = [&](std::int16_t type, std::size_t i) {
    for (const BandDesign& d : result.designs) {
      if (KindMatches(d.kind, {Topology::kL, type})) return d.ideal.elements[i].part.value;
    }
    return 0.0;
  };
  EXPECT_NEAR(value(1, 0), 38.98e-9, 0.005e-9);
  EXPECT_NEAR(value(1, 1), 0.9228e-12, 0.00005e-12);
  EXPECT_NEAR(value(3, 0), 2.599e-12, 0.0005e-12);
  EXPECT_NEAR(value(3, 1), 46.14e-9, 0.005e-9);
}

// Standard values never report better than the ideal values they come
// from, losses alike; and the same input gives the same bits.
TEST(BandSearchTest, StandardValuesNeverBeatTheirIdealAndResultsRepeat) {
  const SeriesLoad loads[] = {{20, 35, 7.1e6}, {120, -80, 145e6}, {30, 5, 433e6}};
  const double bands[][2] = {{7e6, 7.3e6}, {140e6, 150e6}, {420e6, 450e6}};
  for (std::size_t i = 0; i < std::size(loads); ++i) {
    BandRequest r = Request(loads[i], bands[i][0], bands[i][1]);
    r.parts.series = i == 0 ? ESeries::kE6 : ESeries::kE12;
    if (i == 1) r.parts.q_inductor = 60;
    const BandResult result = OptimizeBand(r);
    ASSERT_FALSE(result.designs.empty());
    for (const BandDesign& d : result.designs) {
      ASSERT_TRUE(d.standard) << KindName(d.kind);
      EXPECT_GE(d.figures.worst_gamma, d.ideal_figures.worst_gamma) << KindName(d.kind);
    }
    const BandResult again = OptimizeBand(r);
    ASSERT_EQ(again.designs.size(), result.designs.size());
    for (std::size_t k = 0; k < result.designs.size(); ++k) {
      EXPECT_EQ(std::bit_cast<std::uint64_t>(again.designs[k].figures.worst_gamma),
                std::bit_cast<std::uint64_t>(result.designs[k].figures.worst_gamma));
    }
  }
}

}  // namespace
}  // namespace vorda::rf
