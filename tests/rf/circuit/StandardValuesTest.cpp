#include "rf/circuit/StandardValues.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "rf/synthesis/Design.h"

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
  // IEC 60063 lists 9.20 where 10^(185/192) rounds to 9.19.
  EXPECT_TRUE(Has(ESeries::kE192, 920));
  EXPECT_FALSE(Has(ESeries::kE192, 919));
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
      {9.195, ESeries::kE192, 9.09, 9.20},
      {100e-9 * (1 + 1e-14), ESeries::kE24, 100e-9, 100e-9},  // rounding noise
  };
  for (const Case& c : cases) {
    const Neighbours n = *StandardNeighbours(c.value, c.series);
    EXPECT_DOUBLE_EQ(n.below, c.below) << c.value;
    EXPECT_DOUBLE_EQ(n.above, c.above) << c.value;
  }
  // No neighbours for what is not a part's value; never a crash or an
  // overflow in the decade's exponent.
  for (const double v : {0.0, -1e-9, HUGE_VAL, -HUGE_VAL, std::nan(""), 1e-320, 1e308}) {
    EXPECT_FALSE(StandardNeighbours(v, ESeries::kE12)) << v;
  }
}

// The chosen pair beats or equals every other pair of neighbours.
TEST(StandardValuesTest, PairWithTheBestReturnLoss) {
  const double f = 14.2e6;
  const SeriesLoad load(40, 30, f);
  const Network ideal = SectionAt(*FindSectionType(1), 25, -50, 50, f);
  const Network best = ChooseStandard(ideal, ESeries::kE12, load, 50, f);
  const double best_gamma = best.MatchAt(f, load.At(f), 50).gamma_magnitude;
  const Part& first = ideal.elements[0].part;
  const Part& second = ideal.elements[1].part;
  const Neighbours n1 = *StandardNeighbours(first.value, ESeries::kE12);
  const Neighbours n2 = *StandardNeighbours(second.value, ESeries::kE12);
  for (double v1 : {n1.below, n1.above}) {
    for (double v2 : {n2.below, n2.above}) {
      Network s = ideal;
      s.elements[0].part = WithValue(first, v1);
      s.elements[1].part = WithValue(second, v2);
      EXPECT_LE(best_gamma, s.MatchAt(f, load.At(f), 50).gamma_magnitude);
    }
  }
  const double b1 = best.elements[0].part.value, b2 = best.elements[1].part.value;
  EXPECT_TRUE(b1 == n1.below || b1 == n1.above);
  EXPECT_TRUE(b2 == n2.below || b2 == n2.above);
}

}  // namespace
}  // namespace vorda::rf
