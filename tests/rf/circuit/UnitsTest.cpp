#include "rf/circuit/Units.h"

#include <gtest/gtest.h>

#include <cmath>

#include "rf/circuit/Parts.h"

namespace vorda::rf {
namespace {

TEST(ParseFrequencyTest, MultipliersAndUnits) {
  const std::pair<const char*, double> good[] = {
      {"14.2M", 14.2e6}, {"433 kHz", 433e3}, {"2.4G", 2.4e9}, {"1e6", 1e6},
      {"50Hz", 50},      {"7K", 7e3},        {" 1 M ", 1e6},  {"3.5MHz", 3.5e6}};
  for (const auto& [text, hertz] : good) {
    ASSERT_TRUE(ParseFrequency(text).has_value()) << text;
    EXPECT_DOUBLE_EQ(*ParseFrequency(text), hertz) << text;
  }
  for (const char* text : {"", "M", "fast", "-1M", "0", "1m", "1 MHzz", "inf", "nan", "1e400"}) {
    EXPECT_FALSE(ParseFrequency(text).has_value()) << text;
  }
}

TEST(EngineeringTest, ParseAndFormat) {
  const std::tuple<const char*, const char*, double> good[] = {
      {"3.3n", "", 3.3e-9}, {"2.2k", "", 2.2e3},  {"47 pF", "F", 47e-12}, {"4.7µH", "H", 4.7e-6},
      {"5 F", "F", 5.0},    {"-12.5", "", -12.5}, {"1e3m", "", 1.0}};
  for (const auto& [text, unit, value] : good) {
    ASSERT_TRUE(ParseEngineering(text, unit).has_value()) << text;
    EXPECT_DOUBLE_EQ(*ParseEngineering(text, unit), value) << text;
  }
  for (const char* text : {"", "n", "3.3x", "1e999", "abc", "3.3 nF"}) {
    EXPECT_FALSE(ParseEngineering(text).has_value()) << text;
  }
  EXPECT_EQ(FormatEngineering(14.2e6, "Hz"), "14.2 MHz");
  EXPECT_EQ(FormatEngineering(280.26e-9, "H"), "280.3 nH");
  EXPECT_EQ(FormatEngineering(999.97e-12, "F"), "1 nF");  // rounding carries to the next prefix
  EXPECT_EQ(FormatEngineering(0, "Hz"), "0 Hz");
}

TEST(PartForTest, InductorsCapacitorsAndShorts) {
  EXPECT_EQ(Describe(PartFor(25, 14.2e6)), "280.2 nH");
  EXPECT_EQ(Describe(PartFor(100, 14.2e6)), "1.121 µH");
  EXPECT_EQ(Describe(PartFor(-50, 14.2e6)), "224.2 pF");
  EXPECT_EQ(Describe(PartFor(-10, 14.2e6)), "1.121 nF");
  EXPECT_EQ(PartFor(0, 1e6).kind, Part::Kind::kShort);
  // Q is held constant: the loss resistance follows the reactance.
  const Part l = PartFor(100, 1e6, 50, 10);
  EXPECT_DOUBLE_EQ(l.ImpedanceAt(2e6).real(), 4.0);
  const Part c = PartFor(-100, 1e6, 50, 10);
  EXPECT_DOUBLE_EQ(c.ImpedanceAt(2e6).real(), 5.0);
}

// Every part value, as an engineer writes it: a number from 1 to 999 before
// its prefixed unit ("994.7 µF", "2.095 pH"), yocto to peta;
// beyond them (no part is that small or large) the number keeps its
// exponent but never reads as another value.
TEST(PartForTest, ValuesPrintBetweenOneAnd999) {
  for (int e = -300; e <= 300; ++e) {
    for (const double m : {1.0, 2.095, 9.947, 9.9999}) {
      const double v = m * std::pow(10.0, e / 10.0);
      for (const Part::Kind kind : {Part::Kind::kInductor, Part::Kind::kCapacitor}) {
        const std::string text = Describe(Part{kind, v});
        const double shown = std::strtod(text.c_str(), nullptr);
        const std::size_t space = text.find(' ');
        ASSERT_NE(space, std::string::npos) << text;
        const auto read = ParseEngineering(text, kind == Part::Kind::kInductor ? "H" : "F");
        ASSERT_TRUE(read) << text;
        EXPECT_NEAR(*read / v, 1.0, 5e-4) << text;
        if (v >= 1e-24 && v < 999.95e15) {
          EXPECT_TRUE(shown >= 1.0 && shown < 1000.0) << text;
        }
      }
    }
  }
}

}  // namespace
}  // namespace vorda::rf
