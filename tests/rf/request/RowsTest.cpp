// The rows of a design and what is made from them: every figure in the CSV
// table, the verdicts in words, tuning towards a complex source's
// conjugate, and the harmonics against a closed form.
#include "rf/request/Rows.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <sstream>

#include "engine/ComputeRecord.h"
#include "rf/request/Charts.h"
#include "rf/request/DesignTable.h"
#include "rf/request/Figures.h"
#include "rf/synthesis/LSolutions.h"
#include "rf/synthesis/Tuning.h"

namespace vorda::rf {
namespace {

// A request that gives every group of figures: standard values, losses,
// the VSWR <= 2 band, a loaded Q and a band.
DesignRequest Everything() {
  DesignRequest q;
  q.hertz = 100e6;
  q.parts.series = ESeries::kE12;
  q.parts.q_inductor = 60;
  q.parts.q_capacitor = 400;
  q.bandwidth = true;
  q.loaded_q = 5;
  q.networks = true;
  q.bands = {PassBand{FrequencyAxis::Linear(90e6, 110e6, 21), std::nullopt}};
  q.yield = YieldRequest{{0.2, 0.2, false}, 200, 1, 6.0, {}};
  q.radiation =
      std::make_shared<const EfficiencyCurve>(EfficiencyCurve{{{80e6, 0.7}, {120e6, 0.9}}});
  return q;
}

std::vector<std::string> Split(const std::string& line) {
  std::vector<std::string> cells;
  std::stringstream in(line);
  for (std::string cell; std::getline(in, cell, ',');) cells.push_back(cell);
  return cells;
}

// The CSV holds a column for each figure, and the Pi row a number in each.
TEST(RowsTest, EveryFigureIsInTheTable) {
  const DesignRequest q = Everything();
  const DesignResult r = RunDesign(q);
  const std::string csv = DesignTableCsv(q, r);
  std::istringstream lines(csv);
  std::string line, header, pi;
  while (std::getline(lines, line)) {
    if (line.rfind('#', 0) == 0) continue;  // the inputs
    if (header.empty()) header = line;
    if (line.rfind("Pi low-pass,", 0) == 0) pi = line;
  }
  const std::vector<std::string> columns = Split(header), cells = Split(pi);
  ASSERT_EQ(columns.size(), cells.size()) << pi;
  for (const Figure& f : Figures()) {
    const std::string name = f.format == FigureFormat::kImpedance
                                 ? std::string(f.csv).insert(std::string(f.csv).find(" ("), " r")
                                 : f.csv;
    const auto at = std::find(columns.begin(), columns.end(), name);
    ASSERT_NE(at, columns.end()) << name;
    // The parts take power: the Bode-Fano limit, of lossless networks, says
    // nothing of them.
    const bool lossy_limit = std::string(f.json) == "below_limit_db";
    EXPECT_EQ(cells[static_cast<std::size_t>(at - columns.begin())].empty(), lossy_limit) << name;
  }
  // The inputs that reproduce it, as the command line reads them.
  for (const char* input : {"# band (Hz): 90000000:110000000", "# loaded q (pi and t): 5",
                            "# q of inductors: 60", "# series: E12", "# source (ohms): z0"}) {
    EXPECT_NE(csv.find(input), std::string::npos) << input;
  }
}

// What the engine's run says, in words, from its facts alone.
TEST(RowsTest, VerdictsInWords) {
  struct Case {
    double r, x;
    std::int16_t type;
    const char* status;
  };
  const Case cases[] = {
      {40, 30, 1, "admitted"},
      {40, 30, 2, "refused: load in the upper half"},
      {20, 10, 1, "refused: load inside the g = 1 circle"},
      {50, 10, 1, "admitted, the load lies on a circle boundary"},  // r = 1
      {40, 30, 9, "refused: no such type"},
  };
  for (const Case& c : cases) {
    const ComputeRecord e = ComputeNumbers({50, c.r, c.x}, c.type);
    EXPECT_EQ(EngineStatus(e), c.status) << c.r << " " << c.x << " type " << c.type;
  }
  EXPECT_STREQ(VerdictName(Verdict::kNotComputable), "not computable");
}

// A drag with a complex source: the shunt part on the source side is solved
// again for the susceptance of the source's conjugate, not the chart's
// centre's (zero).
TEST(RowsTest, TuningReachesTheConjugateOfAComplexSource) {
  DesignRequest q;
  q.z0 = 75;
  q.source = Impedance(150, 75);
  q.load = {75, 15};
  q.hertz = 2e9;
  q.types = {2};
  const DesignResult r = RunDesign(q);
  ASSERT_FALSE(r.rows.empty());
  ASSERT_TRUE(r.rows[0].design) << StatusText(r.rows[0]);
  const Network& n = r.rows[0].design->ideal;
  const auto ends = PartEnds(n, q.load, q.hertz);
  const Impedance g = GammaOf(ends[1] / q.z0 + Impedance(0, 0.05), 1.0);
  const auto drag = DragPart(n, 1, q.load, q.hertz, q.z0, q.SourceOf(), g, std::nullopt);
  ASSERT_TRUE(drag);
  EXPECT_NE(drag->network.elements[1].part.value, n.elements[1].part.value);
  ASSERT_EQ(drag->network.elements[0].position, Position::kShunt);
  const Impedance yin = 1.0 / drag->network.InputImpedance(q.hertz, q.load);
  const Impedance want = 1.0 / std::conj(*q.source);
  EXPECT_NEAR(yin.imag(), want.imag(), 1e-12 * std::abs(want));
}

// A complex source can have two L-sections of one type: each is a row of
// its own, and each matches.
TEST(RowsTest, EverySolutionOfATypeIsARow) {
  std::mt19937_64 random(3);
  std::uniform_real_distribution<double> r(1, 200), x(-200, 200);
  int seconds = 0;
  for (int i = 0; i < 3000; ++i) {
    DesignRequest q;
    q.hertz = 100e6;
    q.source = Impedance(r(random), x(random));
    q.load = {r(random), x(random)};
    const DesignResult result = RunDesign(q);
    const std::vector<LSolution> solutions = SolveL(*q.source, q.load);
    for (std::int16_t type = 1; type <= 8; ++type) {
      const auto count = std::count_if(solutions.begin(), solutions.end(),
                                       [&](const LSolution& s) { return s.type_index == type; });
      const auto rows = std::count_if(result.rows.begin(), result.rows.end(), [&](const Row& t) {
        return t.kind.type == type && t.design.has_value();
      });
      ASSERT_EQ(rows, count) << "type " << type;
      seconds += count == 2;
    }
    for (const Row& t : result.rows) {
      EXPECT_TRUE(!t.design || t.design->match.Perfect()) << RowName(t);
      EXPECT_TRUE(t.solution == 0 || RowName(t).find("second solution") != std::string::npos);
    }
  }
  EXPECT_GT(seconds, 100);
}

// The chart's circles of constant VSWR with a complex source: every point
// of one has the table's |gamma| against the source.
TEST(RowsTest, VswrCirclesOfAComplexSource) {
  std::mt19937_64 random(5);
  std::uniform_real_distribution<double> r(0.05, 20), x(-20, 20), g(0.01, 0.95);
  for (int i = 0; i < 200; ++i) {
    SmithView view;
    view.z0 = 75;
    view.source = {r(random), x(random)};
    const double gamma = g(random);
    for (const Impedance z : ConstantVswrCircle(gamma, view.source, 16)) {
      EXPECT_NEAR(MatchAtPoint(z, view).gamma_magnitude, gamma, 1e-9);
    }
  }
}

// The table marks the best at the frequency and the best over the band.
TEST(RowsTest, TheTableMarksBothBests) {
  DesignRequest q;
  q.hertz = 350e6;
  q.load = {40, 75};
  q.bands = {PassBand{FrequencyAxis::Linear(295e6, 405e6, 21), std::nullopt}};
  q.max_parts = 2;
  DesignResult r = RunDesign(q);
  AddBandRows(RunBand(*r.plan), r);
  std::istringstream lines(DesignTableCsv(q, r));
  std::vector<std::string> bests;
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind('#', 0) == 0 || line.rfind("network,", 0) == 0) continue;
    // The name may be quoted, with commas in it.
    if (line.front() == '"') line.erase(0, line.find('"', 1) + 1);
    const std::vector<std::string> cells = Split(line);
    if (!cells[3].empty()) bests.push_back(cells[2] + ": " + cells[3]);
  }
  const std::vector<std::string> expected = {"at the frequency: yes",
                                             "over the band: over the band"};
  EXPECT_EQ(bests, expected);
}

// A series inductor into a resistor: |S21|^2 = 4 R0 R / ((R0 + R)^2 + X^2),
// at f and at its harmonics.
TEST(RowsTest, HarmonicsOfASeriesInductor) {
  const double l = 100e-9, f = 50e6, r0 = 50, rl = 50;
  const Network n{{{Position::kSeries, {Part::Kind::kInductor, l}}}};
  const SeriesLoad load(rl, 0, f);
  const auto loss = [&](double hz) {
    const double x = 2 * std::numbers::pi * hz * l;
    return -10 * std::log10(4 * r0 * rl / ((r0 + rl) * (r0 + rl) + x * x));
  };
  const Harmonics h = HarmonicsOf(n, load, r0, f);
  EXPECT_NEAR(*h.insertion_loss_db, loss(f), 1e-12);
  EXPECT_NEAR(*h.attenuation_2f_db, loss(2 * f) - loss(f), 1e-12);
  EXPECT_NEAR(*h.attenuation_3f_db, loss(3 * f) - loss(f), 1e-12);
  // Beyond what the load is known to (a measurement up to 2.5 f): not known.
  Measurement m;
  for (const double hz : {f, 2 * f, 2.5 * f}) m.points.push_back({hz, load.At(hz)});
  const Harmonics measured = HarmonicsOf(n, MeasuredLoad(m), r0, f);
  EXPECT_NEAR(*measured.attenuation_2f_db, *h.attenuation_2f_db, 1e-12);
  EXPECT_FALSE(measured.attenuation_3f_db);
  EXPECT_FALSE(measured.total_3f);
}

// An open stub of 135 degrees at f is a short at 2f (270 degrees): no power
// reaches the load there, which is total attenuation, not an unknown load.
TEST(RowsTest, AHarmonicAStubShortsIsTotallyAttenuated) {
  const double f = 1e9;
  const Network n{{ShuntStub(LineOfDegrees(50, 135, f))}};
  const Harmonics h = HarmonicsOf(n, SeriesLoad(50, 0, f), 50.0, f);
  EXPECT_TRUE(h.total_2f);
  EXPECT_FALSE(h.attenuation_2f_db);
  ASSERT_TRUE(h.attenuation_3f_db);  // 405 degrees: a stub like 45 at f
  EXPECT_FALSE(h.total_3f);
}

}  // namespace
}  // namespace vorda::rf
