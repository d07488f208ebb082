// Real parts: libraries of measured parts against the models they were
// made from, a capacitor past its self-resonance, and what tolerances do
// against a first-order estimate.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "rf/circuit/Units.h"
#include "rf/files/PartLibraryFile.h"
#include "rf/files/TwoPortFile.h"
#include "rf/request/Rows.h"
#include "rf/synthesis/LSolutions.h"

namespace vorda::rf {
namespace {

constexpr double kHertz = 433e6;

// A library folder whose parts are E12 values (1 to 82 pF and nH), each
// written as a series-thru two-port of its model at the given frequencies.
std::string Library(const std::string& name, const PartModel& model, double q_l, double q_c,
                    const std::vector<double>& hertz) {
  const auto folder = std::filesystem::path(::testing::TempDir()) / name;
  std::filesystem::create_directories(folder);
  std::ofstream index(folder / "index.csv");
  index << "kind,value,tolerance,package,file\n";
  int n = 0;
  for (const double decade : {1e-12, 1e-11}) {
    for (const double m : {1.0, 1.2, 1.5, 1.8, 2.2, 2.7, 3.3, 3.9, 4.7, 5.6, 6.8, 8.2}) {
      for (const bool inductor : {true, false}) {
        Part p{inductor ? Part::Kind::kInductor : Part::Kind::kCapacitor,
               m * decade * (inductor ? 1e3 : 1.0), inductor ? q_l : q_c};
        p.model = model.For(p);
        const std::string file = "p" + std::to_string(n++) + ".s2p";
        std::ofstream(folder / file)
            << *WriteTouchstone2Port({{{Position::kSeries, p}}}, hertz, TwoPortFormat{});
        index << (inductor ? "inductor," : "capacitor,") << ShortestText(p.value) << ",5%,," << file
              << "\n";
      }
    }
  }
  return folder.string();
}

DesignRequest Request() {
  DesignRequest r;
  r.load = {20, 10};
  r.hertz = kHertz;
  r.sweep.kind = SweepPlan::Kind::kRange;
  r.sweep.axis = FrequencyAxis::Linear(400e6, 466e6, 12);
  return r;
}

// Ideal parts as a library choose and do what the E12 series does; parts
// of a model (package parasitics, Q held at 100 MHz) do in the library what
// the same values do as models, at f, over the sweep and at 2f and 3f.
TEST(RealPartsTest, LibrariesReproduceTheModelsTheyWereMadeFrom) {
  std::vector<double> hertz = Request().sweep.axis.Frequencies();
  for (const double f : {kHertz, 2 * kHertz, 3 * kHertz}) hertz.push_back(f);
  std::sort(hertz.begin(), hertz.end());
  const PartModel modelled{Package::k0402, 0.0, 0.0, 100e6};
  for (const bool ideal : {true, false}) {
    const PartModel model = ideal ? PartModel{} : modelled;
    const double q_l = ideal ? kIdealQ : 40, q_c = ideal ? kIdealQ : 300;
    DesignRequest with = Request();
    with.parts.library =
        ReadPartLibrary(Library(ideal ? "ideal" : "modelled", model, q_l, q_c, hertz));
    with.parts.model = model;
    DesignRequest series = Request();
    series.parts.series = ESeries::kE12;
    series.parts.model = model;
    const DesignResult a = RunDesign(with), b = RunDesign(series);
    int compared = 0;
    for (std::size_t i = 0; i < a.rows.size(); ++i) {
      if (!a.rows[i].design || !a.rows[i].design->standard) continue;
      const NetworkDesign& d = *a.rows[i].design;
      // The same values as models.
      Network values = *d.standard;
      for (Element& e : values.elements) e.part.model = {};
      PartsChoice parts;
      parts.model = model;
      if (!ideal) parts.q_inductor = q_l, parts.q_capacitor = q_c;
      const Network built = WithLosses(values, parts);
      const RequestLoad load(with);
      for (const double f : hertz) {
        const double measured = d.built.MatchAt(f, load.At(f), Source(50.0)).gamma_magnitude;
        const double modelled_gamma = built.MatchAt(f, load.At(f), Source(50.0)).gamma_magnitude;
        EXPECT_NEAR(measured, modelled_gamma, 1e-9 * (1 + modelled_gamma)) << i << " at " << f;
      }
      if (ideal) {  // the library chooses as the series does
        ASSERT_TRUE(b.rows[i].design && b.rows[i].design->standard);
        for (std::size_t k = 0; k < values.elements.size(); ++k) {
          EXPECT_NEAR(values.elements[k].part.value,
                      b.rows[i].design->standard->elements[k].part.value,
                      1e-9 * values.elements[k].part.value);
        }
      }
      ++compared;
    }
    EXPECT_GE(compared, 2);
  }
}

// A capacitor whose self-resonance lies below f is an inductor there: the
// design says so, and its figures are those of what it is.
TEST(RealPartsTest, ACapacitorPastItsSelfResonanceIsInductive) {
  DesignRequest r = Request();
  r.hertz = 2.4e9;
  r.load = {20, -30};
  r.types = {2};
  r.parts.model.srf_capacitor = 1.5e9;
  const DesignResult result = RunDesign(r);
  const Row& t = result.rows.front();
  ASSERT_TRUE(t.design) << StatusText(t);
  EXPECT_NE(t.note.find("part 1 (capacitor) is inductive at 2.4 GHz, past its self-resonance at "
                        "1.5 GHz"),
            std::string::npos)
      << t.note;
  const Part& c = t.design->built.elements[0].part;
  EXPECT_GT(c.ImpedanceAt(2.4e9).imag(), 0.0);
  EXPECT_NEAR(*c.SelfResonance(), 1.5e9, 1.0);
}

// Small tolerances: the mean |gamma|^2 of the builds is the first-order
// sum of each part's |d gamma / d share|^2 t^2 / 3 (a share drawn evenly in
// [-t, t]); with no tolerance the yield is all or nothing; the same seed
// draws the same builds.
TEST(RealPartsTest, TolerancesAgreeWithFirstOrderSensitivity) {
  const SeriesLoad load(40, 30, 100e6);
  const Source source(50.0);
  const LSolution s = SolveL(50.0, load.At(100e6)).front();
  const Network n = LSection(s.family, PartFor(s.first_ohms, 100e6), PartFor(s.second_ohms, 100e6));
  const auto gamma = [&](const Network& m) {
    const std::complex<double> z = m.InputImpedance(100e6, load.At(100e6));
    return (z - 50.0) / (z + 50.0);
  };
  const double t = 1e-3, h = 1e-6;
  double predicted = 0.0;
  for (std::size_t i = 0; i < 2; ++i) {
    Network up = n, down = n;
    up.elements[i].part.value *= 1 + h;
    down.elements[i].part.value *= 1 - h;
    predicted += std::norm((gamma(up) - gamma(down)) / (2 * h)) * t * t / 3;
  }
  YieldRequest y{{t, t, false}, 4000, 7, 2.0, {}};
  const YieldFigures f = YieldOf(n, load, source, {100e6}, y);
  double mean = 0.0;
  for (const double g : f.worst_gamma) mean += g * g / static_cast<double>(f.worst_gamma.size());
  EXPECT_NEAR(mean / predicted, 1.0, 0.08) << mean << " against " << predicted;
  EXPECT_EQ(f.yield, 1.0);
  const YieldFigures again = YieldOf(n, load, source, {100e6}, y);
  EXPECT_EQ(again.worst_gamma, f.worst_gamma);
  y.seed = 8;
  EXPECT_NE(YieldOf(n, load, source, {100e6}, y).worst_gamma, f.worst_gamma);
  // No tolerance: every build is the nominal one, VSWR 5.9 here.
  const Network mismatched{{{Position::kSeries, PartFor(60, 100e6)}}};
  for (const double goal : {2.0, 10.0}) {
    const YieldFigures exact =
        YieldOf(mismatched, load, source, {100e6}, {{0, 0, false}, 50, 1, goal, {}});
    EXPECT_EQ(exact.yield, goal > 5.9 ? 1.0 : 0.0) << goal;
  }
}

// An index that is wrong says where: the index's line, or the part file's.
TEST(RealPartsTest, ALibraryThatIsWrongSaysWhere) {
  const auto folder = std::filesystem::path(::testing::TempDir()) / "broken";
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "bad.s2p") << "# Hz S RI R 50\n1e6 0 0 1 0 1 0 0\n";
  // A "10 pF" part whose file gives R = -5 ohms at 900 MHz (series-thru:
  // S11 = Z / (Z + 2 R0), S21 = 2 R0 / (Z + 2 R0)), and one with S11 = 1e308.
  {
    const std::complex<double> z(-5.0, -1 / (kTwoPi * 900e6 * 10e-12)), d = z + 100.0;
    const std::complex<double> s11 = z / d, s21 = 100.0 / d;
    std::ofstream(folder / "active.s2p")
        << "# Hz S RI R 50\n800e6 " << s11.real() << ' ' << s11.imag() << ' ' << s21.real() << ' '
        << s21.imag() << ' ' << s21.real() << ' ' << s21.imag() << ' ' << s11.real() << ' '
        << s11.imag() << "\n";
    std::ofstream(folder / "huge.s2p")
        << "# Hz S RI R 50\n! a comment\n1e9 1e308 0 0.5 0 0.5 0 0 0\n";
    std::ofstream(folder / "good.s2p") << "# Hz S RI R 50\n1e9 0 0 1 0 1 0 0 0\n";
  }
  const std::pair<const char*, const char*> cases[] = {
      {"kind,value,tolerance,package,file\ncapacitor,10p,,,active.s2p\n",
       "active.s2p:2: at 800 MHz the part is not passive: its resistance is -5"},
      {"kind,value,tolerance,package,file\ncapacitor,10p,,,huge.s2p\n",
       "huge.s2p:3: at 1 GHz the part is not passive: |S11| = 1e+308, more than 1"},
      {"kind,value,tolerance,package,file\ncapacitor,10nH,,,good.s2p\n",
       "index.csv:2: the value \u201c10nH\u201d is an inductance, of a capacitor"},
      {"kind,value\n", "index.csv:1: the first line must be"},
      {"kind,value,tolerance,package,file\n# note\nresistor,1n,,,x.s2p\n",
       "index.csv:3: the kind is inductor or capacitor"},
      {"kind,value,tolerance,package,file\ncapacitor,-1p,,,x.s2p\n", "index.csv:2: the value"},
      {"kind,value,tolerance,package,file\ncapacitor,1p,150%,,x.s2p\n",
       "index.csv:2: the tolerance"},
      {"kind,value,tolerance,package,file\ncapacitor,1p,5%,0404,x.s2p\n",
       "index.csv:2: the package"},
      {"kind,value,tolerance,package,file\ncapacitor,1p,5%,,bad.s2p\n", "bad.s2p:2:"},
  };
  for (const auto& [index, message] : cases) {
    std::ofstream(folder / "index.csv") << index;
    try {
      ReadPartLibrary(folder.string());
      ADD_FAILURE() << "read: " << index;
    } catch (const LibraryError& e) {
      EXPECT_NE(std::string(e.what()).find(message), std::string::npos) << e.what();
    }
  }
  // A spreadsheet's "CSV UTF-8" begins with a byte-order mark: it is read.
  std::ofstream(folder / "index.csv") << "\xEF\xBB\xBFkind,value,tolerance,package,file\n"
                                         "inductor,10n,,,good.s2p\n";
  EXPECT_EQ(ReadPartLibrary(folder.string())->parts.size(), 1u);
}

}  // namespace
}  // namespace vorda::rf
