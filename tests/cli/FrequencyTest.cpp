#include "cli/Frequency.h"

#include <gtest/gtest.h>

namespace vorda::cli {
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

TEST(ValueAtTest, InductorsCapacitorsAndShorts) {
  EXPECT_EQ(Describe(ValueAt(25, 14.2e6)), "280.2 nH");
  EXPECT_EQ(Describe(ValueAt(100, 14.2e6)), "1.121 µH");
  EXPECT_EQ(Describe(ValueAt(-50, 14.2e6)), "224.2 pF");
  EXPECT_EQ(Describe(ValueAt(-10, 14.2e6)), "1.121 nF");
  EXPECT_EQ(ValueAt(0, 1e6).kind, ComponentValue::Kind::kShort);
}

}  // namespace
}  // namespace vorda::cli
