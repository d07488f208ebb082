// An antenna's radiation efficiency as files give it: shares, percentages
// and decibels, a header and comments; and what is refused, with the line.
#include "rf/files/EfficiencyFile.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vorda::rf {
namespace {

TEST(EfficiencyFileTest, ReadsEveryFormAndInterpolates) {
  const ReadEfficiencyResult r = ReadEfficiency(
      "# measured in a chamber\nfrequency;efficiency\n1G, 0.5\n\n2GHz 60%\n3 GHz,-3dB\n", "a.csv");
  ASSERT_TRUE(r.curve) << r.error;
  EXPECT_EQ(r.curve->points.size(), 3u);
  EXPECT_DOUBLE_EQ(r.curve->At(1.5e9), 0.55);
  EXPECT_NEAR(r.curve->At(3e9), std::pow(10, -0.3), 1e-15);
  EXPECT_TRUE(r.curve->Covers(2e9));
  EXPECT_FALSE(r.curve->Covers(3.1e9));
}

TEST(EfficiencyFileTest, RefusesWithTheLine) {
  const std::pair<const char*, const char*> bad[] = {
      {"1G,0.5\n2G,1.2\n", "a.csv:2: an efficiency lies above 0 and at most 1"},
      {"1G,0.5\n0.5G,0.6\n", "a.csv:2: the frequencies must ascend"},
      {"1G,0.5,3\n", "a.csv:1: expected two cells"},
      {"1G,much\n", "a.csv:1: \u201cmuch\u201d is not an efficiency"},
      {"1G,0\n", "a.csv:1: an efficiency lies above 0"},
      {"# nothing\n", "a.csv: no efficiency in the file"},
  };
  for (const auto& [text, why] : bad) {
    const ReadEfficiencyResult r = ReadEfficiency(text, "a.csv");
    EXPECT_FALSE(r.curve) << text;
    EXPECT_EQ(r.error.rfind(why, 0), 0u) << r.error;
  }
}

}  // namespace
}  // namespace vorda::rf
