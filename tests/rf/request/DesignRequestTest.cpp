// The design request at its edges: what it refuses, and that whatever it
// does not refuse comes out as numbers.
#include "rf/request/DesignRequest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "rf/circuit/Bandwidth.h"
#include "rf/files/MeasurementReader.h"
#include "rf/request/DesignTexts.h"
#include "rf/request/Rows.h"

namespace vorda::rf {
namespace {

bool Finite(double v) {
  return std::isfinite(v);
}
bool Finite(const std::optional<double>& v) {
  return !v || std::isfinite(*v);
}
bool Finite(const Match& m) {
  return m.Finite() && Finite(m.return_loss_db) && Finite(m.vswr);
}
bool Finite(const Network& n) {
  for (const Element& e : n.elements) {
    if (e.part.IsReal() && !(Finite(e.part.value) && e.part.value > 0)) return false;
  }
  return true;
}

// Every figure a designed type carries is a number.
void ExpectFinite(const Row& t, const std::string& where) {
  ASSERT_TRUE(t.design) << where;
  const NetworkDesign& d = *t.design;
  EXPECT_TRUE(Finite(d.match)) << where;
  EXPECT_TRUE(Finite(d.ideal) && Finite(d.built)) << where;
  if (d.standard) {
    EXPECT_TRUE(Finite(*d.standard) && Finite(*d.standard_match)) << where;
  }
  if (d.loss) {
    EXPECT_TRUE(Finite(d.loss->efficiency) && Finite(d.loss->dissipation_db)) << where;
  }
  if (d.band) {
    EXPECT_TRUE(Finite(d.band->low) && Finite(d.band->high) && Finite(d.band->loaded_q)) << where;
  }
  for (const auto& v : d.response->return_loss_db) EXPECT_TRUE(Finite(v)) << where;
  for (const auto& v : d.response->vswr) EXPECT_TRUE(Finite(v)) << where;
}

DesignRequest Request(double z0, double r, double x, double hertz) {
  DesignRequest q;
  q.z0 = z0;
  q.load = {r, x};
  q.hertz = hertz;
  q.parts.series = ESeries::kE12;
  q.parts.q_inductor = 50;
  q.parts.q_capacitor = 300;
  q.bandwidth = true;
  q.sweep = {SweepPlan::Kind::kAround, FrequencyAxis::Linear(0, 0, 41), {}};
  return q;
}

// Extreme inputs, alone and together: every request is refused with a
// message, or designed with every figure a number. A design that cannot
// give numbers says so; it is never "designed".
TEST(DesignRequestTest, ExtremeInputsAreRefusedOrFinite) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const double values[] = {0,   1e-300, 1e-12, 1e-6, 1e-3, 1,   50,  1e3,
                           1e6, 1e12,   1e300, -1,   -50,  nan, inf, -inf};
  std::mt19937_64 random(18);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(values) - 1);
  int designed = 0, refused = 0;
  for (int i = 0; i < 3000; ++i) {
    DesignRequest q = Request(50, 40, 30, 14.2e6);
    // Each input in turn from the table, then all of them at once.
    const int which = i % 6;
    const double v = values[pick(random)];
    if (which == 0 || which == 5) q.z0 = std::fabs(v) > 0 ? v : q.z0 * v;
    if (which == 1 || which == 5) q.load = {v, q.load.imag()};
    if (which == 2 || which == 5) q.load = {q.load.real(), i % 2 ? v : -v};
    if (which == 3 || which == 5) q.hertz = v;
    if (which == 4 || which == 5) q.parts.q_inductor = v;
    const auto error = CheckRequest(q);
    if (error) {
      EXPECT_FALSE(error->message.empty());
      ++refused;
      continue;
    }
    const DesignResult result = RunDesign(q);
    for (const Row& t : result.rows) {
      if (t.verdict == Verdict::kDesigned) {
        ++designed;
        ExpectFinite(t, "input " + std::to_string(which) + " = " + std::to_string(v));
      } else {
        EXPECT_FALSE(t.design.has_value());
        EXPECT_FALSE(StatusText(t).empty());
      }
    }
  }
  EXPECT_GT(designed, 100);
  EXPECT_GT(refused, 100);
}

// Each refusal names its input, and the field it came from.
TEST(DesignRequestTest, RefusalsNameTheInput) {
  struct Case {
    DesignRequest q;
    Field field;
    const char* words;
  };
  const Case cases[] = {
      {Request(50, -10, 5, 14.2e6), Field::kLoadR, "passive"},
      {Request(50, 0, 5, 14.2e6), Field::kLoadR, "above zero"},
      {Request(-50, 10, 5, 14.2e6), Field::kZ0, "Z0 must be above zero"},
      {Request(50, 1e-300, 5, 14.2e6), Field::kLoadR, "millionth"},
      {Request(50, 40, 1e300, 14.2e6), Field::kLoadX, "reactance"},
      {Request(50, 40, 30, 1e307), Field::kFrequency, "1 THz"},
      {Request(50, 40, 30, 0.5), Field::kFrequency, "1 Hz"},
  };
  for (const Case& c : cases) {
    const auto error = CheckRequest(c.q);
    ASSERT_TRUE(error) << c.words;
    EXPECT_EQ(error->field, c.field) << error->message;
    EXPECT_NE(error->message.find(c.words), std::string::npos) << error->message;
  }
  DesignRequest q = Request(50, 40, 30, 14.2e6);
  q.parts.q_capacitor = 0;
  EXPECT_EQ(CheckRequest(q)->field, Field::kQCapacitor);
}

// On the r = 1 circle type 3's shunt part is no part: the engine's
// -2^53 is an open, and the series C alone does the match.
TEST(DesignRequestTest, AReactanceBeyondAnyPartIsAnOpen) {
  DesignRequest q = Request(50, 50, 30, 14.2e6);
  q.types = {3};
  const DesignResult result = RunDesign(q);
  const Row& t = result.rows[0];
  ASSERT_EQ(t.verdict, Verdict::kDesigned) << StatusText(t);
  const Part& shunt = t.design->ideal.elements[1].part;
  EXPECT_EQ(shunt.kind, Part::Kind::kOpen);
  EXPECT_EQ(Describe(shunt), "open (leave out)");
  EXPECT_EQ(t.design->standard->elements[1].part.kind, Part::Kind::kOpen);  // no standard value
  // The response is that of the series capacitor alone.
  const Impedance zin = t.design->ideal.InputImpedance(14.2e6, {50, 30});
  EXPECT_NEAR(std::abs(zin - Impedance(50, 0)), 0, 1e-9);

  // Where a part is a short, an open and a value: thresholds against Z0.
  EXPECT_EQ(MatchingPart(0, 50, 1e6).kind, Part::Kind::kShort);
  EXPECT_EQ(MatchingPart(50 * kShortReactance, 50, 1e6).kind, Part::Kind::kShort);
  EXPECT_EQ(MatchingPart(-50 * kOpenReactance, 50, 1e6).kind, Part::Kind::kOpen);
  EXPECT_EQ(MatchingPart(-50, 50, 1e6).kind, Part::Kind::kCapacitor);
  EXPECT_EQ(Describe(MatchingPart(0, 50, 1e6)), "short");
}

// A load equal to Z0 needs no parts, whatever the engine says of it.
TEST(DesignRequestTest, AMatchedLoadIsAlreadyMatched) {
  for (const Impedance load : {Impedance(50, 0), Impedance(50 * (1 + 1e-12), 0)}) {
    const DesignResult result = RunDesign(Request(50, load.real(), load.imag(), 14.2e6));
    EXPECT_TRUE(result.already_matched);
    for (const Row& t : result.rows) {
      EXPECT_EQ(t.verdict, Verdict::kAlreadyMatched);
      EXPECT_EQ(StatusText(t), "already matched: no parts needed");
    }
  }
  EXPECT_FALSE(RunDesign(Request(50, 50.001, 0, 14.2e6)).already_matched);
}

// A measured load: the request's sweep, band and limits come from the file.
Measurement Notched(double notch_hertz) {
  Measurement m;
  for (int i = 0; i <= 300; ++i) {
    const double f = 13e6 + i * 10e3;  // 13 to 16 MHz every 10 kHz
    m.points.push_back({f, f == notch_hertz ? Impedance(5, 0) : Impedance(45, 0)});
  }
  return m;
}

// The band search evaluates every measured point: a single bad point
// (VSWR 9) ends the band where the walk used to step over it.
TEST(DesignRequestTest, TheBandStopsAtAMeasuredPointOutsideIt) {
  std::mt19937_64 random(6);
  std::uniform_int_distribution<int> at(1, 299);
  for (int trial = 0; trial < 40; ++trial) {
    const double notch = 13e6 + at(random) * 10e3;
    const auto shared = std::make_shared<const Measurement>(Notched(notch));
    const Measurement& m = *shared;
    DesignRequest q = Request(50, 45, 0, 14.2e6);
    q.measurement = shared;
    q.parts.series.reset();
    q.parts.q_inductor.reset();
    q.parts.q_capacitor.reset();
    q.sweep = {};
    if (notch == 14.2e6) continue;
    const DesignResult result = RunDesign(q);
    for (const Row& t : result.rows) {
      if (!t.design) continue;
      const Band& band = *t.design->band;
      ASSERT_TRUE(band.holds);
      const auto vswr = [&](double hz) {
        return Vswr(t.design->built.InputImpedance(hz, m.At(hz)), 50);
      };
      const double low = band.low.value_or(band.searched.low);
      const double high = band.high.value_or(band.searched.high);
      // Within the band every measured point holds; beyond each found edge
      // the VSWR is above 2 just past it.
      for (const LoadPoint& p : m.points) {
        if (p.hertz >= low && p.hertz <= high) {
          EXPECT_LE(vswr(p.hertz), 2.0) << p.hertz;
        }
      }
      if (band.high) {
        EXPECT_GT(vswr(*band.high * (1 + 2e-9)), 2.0);
      }
      if (band.low) {
        EXPECT_GT(vswr(*band.low * (1 - 2e-9)), 2.0);
      }
      if (notch > 14.2e6) {
        EXPECT_LT(high, notch) << "type " << t.kind.type;
      }
      if (notch < 14.2e6) {
        EXPECT_GT(low, notch) << "type " << t.kind.type;
      }
      // Searched within the file, never f / 100 ... 100 f.
      EXPECT_EQ(band.searched.low, 13e6);
      EXPECT_EQ(band.searched.high, 16e6);
    }
  }
}

// 2f of a design lies between a passive point and one that is not (|S11|
// 0.5 and 1.3: 0.9 between them looks like a load): not known. With the
// last point passive too, it is.
TEST(DesignRequestTest, HarmonicsFromAPointThatIsNotPassiveAreNotKnown) {
  for (const double last : {1.3, 0.5}) {
    auto m = std::make_shared<Measurement>();
    for (const auto& [hz, gamma] : {std::pair{10e6, 0.5}, {20e6, 0.5}, {30e6, last}}) {
      m->points.push_back({hz, ImpedanceOf(gamma, 50.0)});
    }
    DesignRequest q = Request(50, 0, 0, 12.5e6);
    q.measurement = m;
    int designed = 0;
    for (const Row& t : RunDesign(q).rows) {
      if (t.verdict != Verdict::kDesigned) continue;
      ++designed;
      EXPECT_EQ(t.design->harmonics.attenuation_2f_db.has_value(), last < 1) << t.kind.type;
    }
    EXPECT_GT(designed, 0);
  }
}

// A band of no width (VSWR 2 at f, above it on either side) has its edges
// at f and no Q, never an infinite one.
TEST(DesignRequestTest, ABandOfNoWidthHasNoQ) {
  for (const double f : {1.0, 14.2e6, 1e12}) {
    const Band band = FindBand([f](double hz) { return hz == f ? 2.0 : 3.0; }, f, LimitsAround(f));
    EXPECT_EQ(band.low, f);
    EXPECT_EQ(band.high, f);
    EXPECT_FALSE(band.loaded_q) << *band.loaded_q;
  }
}

// A DC point is left out of the measurement; a frequency in a gap much
// wider than the spacing around it is warned of.
TEST(DesignRequestTest, DcPointsAndGaps) {
  const std::string file =
      "# Hz Z RI R 50\n0 50 0\n1000 40 5\n7000000 40 10\n7010000 41 10\n7020000 42 10\n";
  const auto shared = std::make_shared<const Measurement>(ReadMeasurement(MemorySource(file)));
  const Measurement& m = *shared;
  EXPECT_EQ(m.dc_points, 1u);
  EXPECT_EQ(m.First(), 1000);
  ASSERT_TRUE(m.GapAt(3e6));
  EXPECT_FALSE(m.GapAt(7.005e6));
  DesignRequest q = Request(50, 0, 0, 3e6);
  q.measurement = shared;
  q.sweep = {};
  ASSERT_FALSE(CheckRequest(q)) << CheckRequest(q)->message;
  const DesignResult result = RunDesign(q);
  ASSERT_EQ(result.warnings.size(), 1u);
  EXPECT_NE(result.warnings[0].find("gap in the measurement, from 1 kHz to 7 MHz"),
            std::string::npos);
  EXPECT_THROW(ReadMeasurement(MemorySource("# Hz Z RI R 50\n0 50 0\n")), TouchstoneError);
}

// Each meaning of "best" picks the design that is best by it.
TEST(DesignRequestTest, EachRankingPicksItsBest) {
  DesignRequest q = Request(50, 20, -10, 145e6);  // region 1: types 2 (low-pass) and 4
  for (const Ranking ranking :
       {Ranking::kReturnLoss, Ranking::kDissipation, Ranking::kBandwidth, Ranking::kLowPassFirst}) {
    q.ranking = ranking;
    const DesignResult r = RunDesign(q);
    ASSERT_TRUE(r.best);
    const Row& best = r.rows[*r.best];
    const auto width = [](const Row& t) {
      const Band& b = *t.design->band;
      return b.high.value_or(b.searched.high) - b.low.value_or(b.searched.low);
    };
    for (const Row& t : r.rows) {
      if (!t.design) continue;
      if (ranking == Ranking::kReturnLoss) {
        EXPECT_GE(*best.design->match.return_loss_db, *t.design->match.return_loss_db);
      }
      if (ranking == Ranking::kDissipation) {
        EXPECT_LE(best.design->loss->dissipation_db, t.design->loss->dissipation_db);
      }
      if (ranking == Ranking::kBandwidth) {
        EXPECT_GE(width(best), width(t));
      }
    }
    if (ranking == Ranking::kLowPassFirst) {
      EXPECT_EQ(best.kind.type, 2);
    }
  }
}

// The designer's texts: one parser for frequencies in any case of the unit.
TEST(DesignRequestTest, TextsReadStrictly) {
  DesignTexts t;
  t[Field::kZ0] = "50";
  t[Field::kLoadR] = "40";
  t[Field::kLoadX] = "30";
  t[Field::kSeries] = "E12";
  const DesignRequest base;
  for (const char* f : {"14.2M", "14.2 MHz", "14.2 mhz", "14.2MHZ", "0.0142 GHz"}) {
    t[Field::kFrequency] = f;
    const ReadRequest read = ReadDesignTexts(t, base);
    ASSERT_TRUE(read.request) << f << ": " << read.error->message;
    EXPECT_DOUBLE_EQ(read.request->hertz, 14.2e6) << f;
  }
  t[Field::kFrequency] = "14.2m";
  EXPECT_NE(ReadDesignTexts(t, base).error->message.find("milli"), std::string::npos);
  t[Field::kFrequency] = "14.2M";
  t[Field::kLoadR] = "-10";
  const ReadRequest passive = ReadDesignTexts(t, base);
  ASSERT_TRUE(passive.error);
  EXPECT_EQ(passive.error->field, Field::kLoadR);
  EXPECT_EQ(passive.error->message.rfind("Load R: ", 0), 0u);
}

}  // namespace
}  // namespace vorda::rf
