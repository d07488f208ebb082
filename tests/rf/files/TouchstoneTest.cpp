#include "rf/files/Touchstone.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "rf/circuit/Units.h"
#include "rf/files/InputFile.h"
#include "rf/files/MeasurementReader.h"

namespace vorda::rf {
namespace {

using C = std::complex<double>;

std::vector<LoadPoint> Parse(const std::string& text, double* reference = nullptr) {
  TouchstoneReader reader(MemorySource(text));
  std::vector<LoadPoint> points;
  LoadPoint p;
  while (reader.Next(p)) points.push_back(p);
  if (reference != nullptr) *reference = reader.Reference();
  return points;
}

std::string Num(double v) {
  return ShortestText(v);
}

// The two numbers of a value in a format.
std::string Pair(C v, const std::string& format) {
  if (format == "RI") return Num(v.real()) + " " + Num(v.imag());
  const double angle = std::arg(v) * 180 / std::numbers::pi;
  if (format == "MA") return Num(std::abs(v)) + " " + Num(angle);
  return Num(20 * std::log10(std::abs(v))) + " " + Num(angle);
}

// Every option-line variant, in both versions: the same load of 30 + j40
// ohms at 1.5 units, given as S, Y or Z in RI, MA or DB, with a reference.
TEST(TouchstoneTest, EveryOptionLineVariant) {
  const C z(30, 40);
  const std::pair<const char*, double> units[] = {
      {"Hz", 1}, {"kHz", 1e3}, {"MHz", 1e6}, {"GHz", 1e9}};
  for (const int version : {1, 2}) {
    for (const char* parameter : {"S", "Y", "Z"}) {
      for (const char* format : {"RI", "MA", "DB"}) {
        for (const auto& [unit, scale] : units) {
          for (const double ref : {50.0, 75.0}) {
            C v = std::string(parameter) == "S"   ? (z - ref) / (z + ref)
                  : std::string(parameter) == "Z" ? z
                                                  : 1.0 / z;
            if (version == 1 && std::string(parameter) == "Z") v /= ref;  // normalized
            if (version == 1 && std::string(parameter) == "Y") v *= ref;
            const std::string options =
                std::string("# ") + unit + " " + parameter + " " + format + " R " + Num(ref);
            const std::string data = "1.5 " + Pair(v, format) + "\n";
            const std::string file = version == 1
                                         ? options + "\n" + data
                                         : "[Version] 2.0\n" + options +
                                               "\n[Number of Ports] 1\n[Number of Frequencies] 1\n"
                                               "[Network Data]\n" +
                                               data + "[End]\n";
            const auto points = Parse(file);
            ASSERT_EQ(points.size(), 1u) << file;
            EXPECT_DOUBLE_EQ(points[0].hertz, 1.5 * scale) << file;
            EXPECT_LT(std::abs(points[0].z - z), 1e-9 * std::abs(z)) << file;
          }
        }
      }
    }
  }
}

TEST(TouchstoneTest, DefaultsCommentsCaseAndLineEnds) {
  // No option line: GHz, S, MA, R 50.
  const auto defaults = Parse("! comment\n2 0 0\n");
  EXPECT_DOUBLE_EQ(defaults[0].hertz, 2e9);
  EXPECT_EQ(defaults[0].z, C(50, 0));
  double reference = 0;
  const auto mixed =
      Parse("\r\n  ! header\r\n# mhz z ri r 25 ! comment\r\n\r\n1 1 0 ! one\r\n2\t2 -1\r\n3 1 1",
            &reference);
  ASSERT_EQ(mixed.size(), 3u);
  EXPECT_EQ(reference, 25);
  EXPECT_EQ(mixed[1].z, C(50, -25));
  EXPECT_DOUBLE_EQ(mixed[2].hertz, 3e6);
  // Version 2: [Reference] wins over the option line's R, on its own line too.
  const auto v2 = Parse(
      "[version] 2.0\n# Hz S RI R 50\n[Number of Ports] 1\n[Reference]\n75\n"
      "[Number of Frequencies] 1\n[Begin Information]\nanything\n[End Information]\n"
      "[Network Data]\n1 0 0\n[End]\ntrailing text is ignored\n",
      &reference);
  EXPECT_EQ(reference, 75);
  EXPECT_EQ(v2[0].z, C(75, 0));
}

TEST(TouchstoneTest, RefusalsNameTheirLine) {
  const std::string v2 = "[Version] 2.0\n# MHz S RI\n[Number of Ports] 1\n";
  const std::tuple<std::string, std::size_t, const char*> cases[] = {
      {"# MHz S RI R 50 X\n1 0 0\n", 1, "unknown word"},
      {"# MHz S RI R 0\n1 0 0\n", 1, "reference resistance must be above zero"},
      {"# MHz G RI\n1 0 0\n", 1, "two-port"},
      {"# MHz MHz S\n", 1, "twice"},
      {"# MHz S RI\n1 0 0\n2 0.1x 0\n", 3, "not a number"},
      {"# MHz S RI\n1 0 0\n2 0.1\n", 3, "missing"},
      {"# MHz S RI\n1 0 0 0 0 0 0 0 0\n", 2, "not a one-port file"},
      {"# MHz S RI\n1 0 0\n1 0 0\n", 3, "do not increase"},
      {"# MHz S RI\n2 0 0\n1 0 0\n", 3, "do not increase"},
      {"", 1, "holds no data"},
      {"! only a comment\n", 1, "holds no data"},
      {"# MHz S RI\n1 1 0\n", 2, "open circuit"},
      {"1 0 0\n# MHz S RI\n", 2, "after the data"},
      {"# MHz S RI\n[Number of Ports] 1\n", 2, "version 2 keyword"},
      {"[Version] 2.0\n[Number of Ports] 2\n", 2, "only one-port files"},
      {v2 + "[Number of Frequencies] 1\n[Network Data]\n1 0 0\n", 6, "without [End]"},
      {v2 + "[Number of Frequencies] 2\n[Network Data]\n1 0 0\n[End]\n", 7, "but the data hold 1"},
      {v2 + "[Reference] 0\n", 4, "above zero"},
      {v2 + "[Number of Frequencies] 1\n1 0 0\n", 5, "before [Network Data]"},
      {v2 + "[Network Data]\n", 4, "before [Number of Frequencies]"},
      {v2 + "[Frequencies] 1\n", 4, "unknown keyword"},
      {"[Version] 3.0\n", 1, "unknown version"},
  };
  for (const auto& [text, line, what] : cases) {
    try {
      Parse(text);
      ADD_FAILURE() << "accepted: " << text;
    } catch (const TouchstoneError& e) {
      EXPECT_EQ(e.Line(), line) << text << e.what();
      EXPECT_NE(std::string(e.what()).find(what), std::string::npos) << e.what();
    }
  }
}

TEST(TouchstoneTest, InterpolationInTheReflectionCoefficient) {
  Measurement m;
  m.reference = 50;
  m.points = {{1e6, C(20, -30)}, {2e6, C(80, 10)}, {3e6, C(60, 60)}};
  EXPECT_EQ(m.At(2e6), C(80, 10));  // exact at a measured point
  const C ga = GammaOf(C(20, -30), 50), gb = GammaOf(C(80, 10), 50);
  const C expected = ImpedanceOf(ga + 0.25 * (gb - ga), 50);
  EXPECT_LT(std::abs(m.At(1.25e6) - expected), 1e-12 * std::abs(expected));
  EXPECT_TRUE(std::isnan(m.At(0.5e6).real()));  // outside the range
}

TEST(TouchstoneTest, WrittenPointsReadBackExactly) {
  const std::vector<LoadPoint> points = {
      {0.1, C(1e-300, -0.0)}, {1e6 / 3, C(47.123456789012345, -1e-17)}, {2.4e9, C(1e300, 5)}};
  double reference = 0;
  const auto back = Parse(WriteTouchstone(points, 37.5), &reference);
  ASSERT_EQ(back.size(), points.size());
  EXPECT_EQ(reference, 37.5);
  for (std::size_t i = 0; i < points.size(); ++i) {
    EXPECT_EQ(back[i].hertz, points[i].hertz);
    EXPECT_EQ(back[i].z, points[i].z);
  }
}

#if defined(__GLIBC__)
// A stream that gives the first bytes of a text, then fails as a disk or a
// network share can.
struct Failing {
  std::string text;
  std::size_t at = 0;
};
ssize_t ReadThenFail(void* cookie, char* buf, std::size_t size) {
  auto& f = *static_cast<Failing*>(cookie);
  if (f.at >= f.text.size()) {
    errno = EIO;
    return -1;
  }
  const std::size_t n = std::min(size, f.text.size() - f.at);
  std::copy_n(f.text.data() + f.at, n, buf);
  f.at += n;
  return static_cast<ssize_t>(n);
}

// A read error is never taken for the end of a version 1 file (which has no
// end marker): the reader names the file instead of designing from its
// first part.
TEST(TouchstoneTest, ReadErrorIsNotTheEnd) {
  Failing cookie{"# MHz Z RI R 50\n1 40 30\n2 41 31\n"};
  FileHandle file(fopencookie(&cookie, "r", cookie_io_functions_t{ReadThenFail, {}, {}, {}}));
  ASSERT_TRUE(file);
  try {
    ReadMeasurement(FileSource(file.get(), "dipole.s1p"));
    FAIL() << "read as a whole file";
  } catch (const ReadError& e) {
    EXPECT_NE(std::string(e.what()).find("dipole.s1p"), std::string::npos) << e.what();
  }
}
#endif

}  // namespace
}  // namespace vorda::rf
