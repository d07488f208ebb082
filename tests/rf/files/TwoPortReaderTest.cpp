#include "rf/files/TwoPortReader.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

#include "rf/circuit/TwoPort.h"
#include "rf/circuit/Units.h"
#include "rf/files/TwoPortFile.h"

namespace vorda::rf {
namespace {

using C = std::complex<double>;
using M = std::array<C, 4>;  // N11 N12 N21 N22

M Mul(const M& a, const M& b) {
  return {a[0] * b[0] + a[1] * b[2], a[0] * b[1] + a[1] * b[3], a[2] * b[0] + a[3] * b[2],
          a[2] * b[1] + a[3] * b[3]};
}
M Inv(const M& a) {
  const C d = a[0] * a[3] - a[1] * a[2];
  return {a[3] / d, -a[1] / d, -a[2] / d, a[0] / d};
}

// The two numbers of a value in a format.
std::string Pair(C v, const std::string& format) {
  const std::string angle = ShortestText(std::arg(v) * 180 / std::numbers::pi);
  if (format == "RI") return ShortestText(v.real()) + " " + ShortestText(v.imag());
  if (format == "MA") return ShortestText(std::abs(v)) + " " + angle;
  return ShortestText(20 * std::log10(std::abs(v))) + " " + angle;
}

// A two-port that is neither symmetric nor reciprocal, so that a swap of
// any two parameters shows, written as S, Y or Z in every format and order,
// read back as S; a frequency's numbers wrapped, and noise data after.
TEST(TwoPortReaderTest, EveryVariantReadsBackTheSameS) {
  const M s = {C(0.1, 0.2), C(0.05, 0.01), C(0.8, -0.3), C(-0.3, 0.4)};
  const M z =
      Mul(Inv({1.0 - s[0], -s[1], -s[2], 1.0 - s[3]}), {1.0 + s[0], s[1], s[2], 1.0 + s[3]});
  for (const int version : {1, 2}) {
    for (const std::string parameter : {"S", "Y", "Z"}) {
      for (const std::string format : {"RI", "MA", "DB"}) {
        const double r = 75;
        const double scale = version == 1 ? 1.0 : r;  // version 1 normalizes
        M n = parameter == "S" ? s : parameter == "Z" ? z : Inv(z);
        for (C& v : n) v *= parameter == "Z" ? scale : parameter == "Y" ? 1.0 / scale : 1.0;
        const bool order12 = version == 2 && format != "MA";
        const std::string a = Pair(n[0], format) + " " + Pair(n[order12 ? 1 : 2], format);
        const std::string b = Pair(n[order12 ? 2 : 1], format) + " " + Pair(n[3], format);
        const std::string data = "1 " + a + " " + b + "\n2 " + a + "\n  " + b + "\n";
        const std::string options = "# MHz " + parameter + " " + format + " R ";
        const std::string file =
            version == 1 ? options + "75\n" + data + "1.5 2.5 0.5 30 0.2\n"
                         : "[Version] 2.0\n" + options + "50\n[Number of Ports] 2\n" +
                               "[Two-Port Data Order] " + (order12 ? "12_21" : "21_12") +
                               "\n[Number of Frequencies] 2\n[Reference]\n75\n[Network Data]\n" +
                               data + "[Noise Data]\n1 2.5 0.5 30 0.2\n[End]\n";
        const TwoPortData got = ReadTwoPort(MemorySource(file));
        ASSERT_EQ(got.points.size(), 2u) << file;
        EXPECT_EQ(got.reference, r);
        for (const TwoPortPoint& p : got.points) {
          const C read[] = {p.s11, p.s12, p.s21, p.s22};
          for (int i = 0; i < 4; ++i) EXPECT_LT(std::abs(read[i] - s[i]), 1e-12) << i << file;
        }
        EXPECT_EQ(got.points[1].hertz, 2e6);
      }
    }
  }
}

// A symmetric matrix given by its lower or upper triangle: N11, the one off
// the diagonal, N22, wrapped over lines like a full one.
TEST(TwoPortReaderTest, ATriangleOfASymmetricMatrix) {
  const M s = {C(0.1, 0.2), C(0.6, -0.3), C(0.6, -0.3), C(-0.3, 0.4)};
  const M z =
      Mul(Inv({1.0 - s[0], -s[1], -s[2], 1.0 - s[3]}), {1.0 + s[0], s[1], s[2], 1.0 + s[3]});
  for (const std::string triangle : {"Lower", "Upper"}) {
    for (const std::string parameter : {"S", "Z"}) {
      M n = parameter == "S" ? s : z;
      if (parameter == "Z") {
        for (C& v : n) v *= 50.0;
      }
      const std::string file =
          "[Version] 2.0\n# GHz " + parameter +
          " RI\n[Number of Ports] 2\n[Two-Port Data Order] 12_21\n[Number of Frequencies] 2\n" +
          "[Matrix Format] " + triangle + "\n[Network Data]\n1 " + Pair(n[0], "RI") + " " +
          Pair(n[1], "RI") + " " + Pair(n[3], "RI") + "\n2 " + Pair(n[0], "RI") + "\n" +
          Pair(n[1], "RI") + " " + Pair(n[3], "RI") + "\n[End]\n";
      const TwoPortData got = ReadTwoPort(MemorySource(file));
      ASSERT_EQ(got.points.size(), 2u) << file;
      for (const TwoPortPoint& p : got.points) {
        const C read[] = {p.s11, p.s12, p.s21, p.s22};
        for (int i = 0; i < 4; ++i) EXPECT_LT(std::abs(read[i] - s[i]), 1e-12) << i << file;
      }
    }
  }
}

// The program's own files: one reference reads back exactly; a reference
// for each port is referred to port 1's (a through too, which has no Z).
TEST(TwoPortReaderTest, TwoReferencesReferredToPortOnes) {
  const Network ladder{{{Position::kSeries, Part{Part::Kind::kInductor, 100e-9}},
                        {Position::kShunt, Part{Part::Kind::kCapacitor, 20e-12}}}};
  const std::vector<double> hertz = {1e8, 2e8};
  for (const Network& network : {ladder, Network{}}) {
    for (const double r2 : {50.0, 75.0}) {
      const auto file = WriteTouchstone2Port(network, hertz, {50, r2, r2 != 50, {}});
      const TwoPortData got = ReadTwoPort(MemorySource(*file));
      ASSERT_EQ(got.points.size(), 2u);
      EXPECT_EQ(got.reference, 50);
      for (std::size_t k = 0; k < 2; ++k) {
        const SParameters want = *SParametersOf(network, hertz[k], 50, 50);
        const TwoPortPoint& p = got.points[k];
        const C read[] = {p.s11, p.s21, p.s12, p.s22};
        for (int i = 0; i < 4; ++i) {
          EXPECT_LE(std::abs(read[i] - want[i]), r2 == 50 ? 0.0 : 1e-12) << *file;
        }
      }
    }
  }
}

TEST(TwoPortReaderTest, RefusalsNameTheirLine) {
  const std::string v1 = "# MHz S RI\n1 0 0 0 0 0 0 0 0\n";
  const std::string v2 =
      "[Version] 2.0\n# MHz S RI\n[Number of Ports] 2\n[Number of Frequencies] 1\n";
  const std::string data = v2 + "[Two-Port Data Order] 21_12\n[Network Data]\n1 0 0 0 0 0 0 0 0\n";
  const std::tuple<std::string, std::size_t, const char*> cases[] = {
      {"# MHz S RI\n1 0 0 0 0 0 0 0 0 0\n", 2, "more than 9 numbers"},
      {v1 + "2 0 0 0 0 0 0\n", 3, "only 7 of its 9"},
      {"# MHz S RI\n1 0 0\n2 0 0\n", 3, "between the two numbers"},
      {"# MHz S RI\n1 0 0 0 0 0x 0 0 0\n", 2, "the real part of S12 is not a number: \"0x\""},
      {v1 + "1 0 0 0 0 0 0 0 0\n", 3, "do not increase"},
      {v1 + "0.5 1 2 3\n", 3, "do not increase"},
      {v1 + "0.5 1 2 3 4\n0.7 1 2 3\n", 4, "noise data holds 5 numbers, not 4"},
      {"# MHz H RI\n", 1, "G and H"},
      {"", 1, "holds no data"},
      {"[Version] 2.0\n[Number of Ports] 3\n", 2, "only two-port files"},
      {v2 + "[Network Data]\n", 5, "[Two-Port Data Order]"},
      {v2 + "[Two-Port Data Order] 12-21\n", 5, "12_21 or 21_12"},
      {v2 + "[Matrix Format] Diagonal\n", 5, "must be Full, Lower or Upper, not \"Diagonal\""},
      {v2 + "[Two-Port Data Order] 12_21\n[Matrix Format] Lower\n[Network Data]\n1 0 0 0 0 0 0 0 "
            "0\n",
       8, "more than 7 numbers"},
      {v2 + "[Reference] 50 60 70\n", 5, "two reference resistances"},
      {data + "2 0 0 0 0\n[End]\n", 8, "only 5 of its 9"},
      {data + "0.5 1 2 3 4\n", 8, "do not increase"},
      {data + "2 0 0 0 0 0 0 0 0\n[End]\n", 9, "is 1 but the data hold 2"},
  };
  for (const auto& [text, line, what] : cases) {
    try {
      ReadTwoPort(MemorySource(text));
      ADD_FAILURE() << "accepted: " << text;
    } catch (const TouchstoneError& e) {
      EXPECT_EQ(e.Line(), line) << text << e.what();
      EXPECT_NE(std::string(e.what()).find(what), std::string::npos) << e.what();
    }
  }
}

}  // namespace
}  // namespace vorda::rf
