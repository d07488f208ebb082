#include "rf/StandardValues.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "rf/Design.h"

namespace vorda::rf {
namespace {

bool Has(ESeries series, int hundredths) {
  const auto d = Decade(series);
  return std::find(d.begin(), d.end(), hundredths) != d.end();
}

TEST(StandardValuesTest, Tables) {
  const std::pair<ESeries, std::size_t> counts[] = {{ESeries::kE6, 6},   {ESeries::kE12, 12},
                                                    {ESeries::kE24, 24}, {ESeries::kE48, 48},
                                                    {ESeries::kE96, 96}, {ESeries::kE192, 192}};
  for (const auto& [series, count] : counts) {
    const auto d = Decade(series);
    EXPECT_EQ(d.size(), count) << SeriesName(series);
    EXPECT_TRUE(std::is_sorted(d.begin(), d.end())) << SeriesName(series);
    EXPECT_EQ(d.front(), 100) << SeriesName(series);
    EXPECT_EQ(ParseSeries(SeriesName(series)), series);
  }
  // E24 is not the formula: 2.7, 3.0, 3.3, 3.6, 3.9, 4.3, 4.7 and 8.2, 9.1.
  for (int m : {270, 300, 330, 360, 390, 430, 470, 820, 910}) EXPECT_TRUE(Has(ESeries::kE24, m));
  for (int m : {260, 290, 320, 350, 380, 420, 460, 830}) EXPECT_FALSE(Has(ESeries::kE24, m));
  EXPECT_TRUE(Has(ESeries::kE192, 919));
  EXPECT_FALSE(Has(ESeries::kE192, 920));
  for (int m : {100, 102, 105, 499, 976}) EXPECT_TRUE(Has(ESeries::kE96, m));
  EXPECT_FALSE(ParseSeries("E7").has_value());
}

TEST(StandardValuesTest, Neighbours) {
  struct Case {
    double value;
    ESeries series;
    double below, above;
  };
  const Case cases[] = {
      {4.7e-9, ESeries::kE12, 4.7e-9, 4.7e-9},  // exactly standard
      {5e-9, ESeries::kE12, 4.7e-9, 5.6e-9},
      {9.5e-12, ESeries::kE12, 8.2e-12, 10e-12},  // across the decade
      {1.05e-6, ESeries::kE6, 1e-6, 1.5e-6},
      {9.195, ESeries::kE192, 9.19, 9.31},
      {100e-9 * (1 + 1e-14), ESeries::kE24, 100e-9, 100e-9},  // rounding noise
  };
  for (const Case& c : cases) {
    const Neighbours n = StandardNeighbours(c.value, c.series);
    EXPECT_DOUBLE_EQ(n.below, c.below) << c.value;
    EXPECT_DOUBLE_EQ(n.above, c.above) << c.value;
  }
}

// The chosen pair beats or equals every other pair of neighbours.
TEST(StandardValuesTest, PairWithTheBestReturnLoss) {
  const double f = 14.2e6;
  const SeriesLoad load(40, 30, f);
  const Section ideal = SectionAt(*FindSectionType(1), 25, -50, f);
  const Section best = ChooseStandard(ideal, ESeries::kE12, load, 50, f);
  const double best_gamma = MatchOf(best.InputImpedance(f, load.At(f)), 50).gamma;
  const Neighbours n1 = StandardNeighbours(ideal.first.value, ESeries::kE12);
  const Neighbours n2 = StandardNeighbours(ideal.second.value, ESeries::kE12);
  for (double v1 : {n1.below, n1.above}) {
    for (double v2 : {n2.below, n2.above}) {
      const Section s{ideal.family, WithValue(ideal.first, v1), WithValue(ideal.second, v2)};
      EXPECT_LE(best_gamma, MatchOf(s.InputImpedance(f, load.At(f)), 50).gamma);
    }
  }
  EXPECT_TRUE(best.first.value == n1.below || best.first.value == n1.above);
  EXPECT_TRUE(best.second.value == n2.below || best.second.value == n2.above);
}

}  // namespace
}  // namespace vorda::rf
