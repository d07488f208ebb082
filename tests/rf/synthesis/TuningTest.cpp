// Lines and stubs dragged on the Smith chart: dragged to where a line (or a
// stub) of another length would end, the drag finds that length and ends
// there, over random networks, loads and lengths.
#include "rf/synthesis/Tuning.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace vorda::rf {
namespace {

TEST(TuningTest, ALineDraggedToAnotherLengthsEndHasThatLength) {
  std::mt19937_64 gen(38);
  std::uniform_real_distribution<double> u(0.0, 1.0);
  const double f = 1e9, z0 = 50;
  for (int trial = 0; trial < 300; ++trial) {
    const Impedance load(5 + 200 * u(gen), 300 * (u(gen) - 0.5));
    Line stub = LineOfDegrees(30 + 80 * u(gen), 10 + 160 * u(gen), f);
    stub.end = trial % 2 ? Line::End::kOpen : Line::End::kShort;
    const Network n{{ShuntStub(stub),
                     SeriesLine(LineOfDegrees(20 + 100 * u(gen), 10 + 160 * u(gen), f)),
                     {Position::kShunt, {Part::Kind::kCapacitor, 2e-12}}}};
    for (const std::size_t index : {std::size_t{0}, std::size_t{1}}) {
      const double wanted = 5 + 170 * u(gen);
      Network moved = n;
      Line& l = *moved.elements[index].line;
      l = WithDegrees(l, wanted);
      const Impedance end = PartEnds(moved, load, f)[index];
      const auto drag = DragPart(n, index, load, f, z0, Source(z0), GammaOf(end, z0), std::nullopt);
      ASSERT_TRUE(drag) << trial;
      EXPECT_NEAR(drag->value, wanted, 1e-7) << trial << " element " << index;
      EXPECT_LT(std::abs(drag->end - end), 1e-7 * std::abs(end)) << trial;
    }
  }
}

}  // namespace
}  // namespace vorda::rf
