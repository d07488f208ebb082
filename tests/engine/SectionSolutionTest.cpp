// Results of every type on loads from each region, as the window shows them.
#include <gtest/gtest.h>

#include <string>

#include "engine/Compute.h"
#include "engine/SectionTypes.h"
#include "tests/support/RecordingView.h"

namespace vorda {
namespace {

using testing::RecordingView;

struct ResultCase {
  const char* z0;
  const char* real;
  const char* imag;
  std::int16_t type;
  const char* second;
  const char* second_ohms;
  const char* first;
  const char* first_ohms;
};

void PrintTo(const ResultCase& c, std::ostream* os) {
  *os << c.z0 << " / " << c.real << " / " << c.imag << " type " << c.type;
}

class SectionResultTest : public ::testing::TestWithParam<ResultCase> {};

TEST_P(SectionResultTest, ShowsTheFourResults) {
  const ResultCase& c = GetParam();
  RecordingView view(c.z0, c.real, c.imag, c.type);
  const ComputeRun run = cmdCompute_Click(view);
  EXPECT_EQ(run.outcome, Outcome::kComputed);
  EXPECT_TRUE(view.boxes.empty());
  EXPECT_EQ(view.Caption(ResultLabel::kSecondComponent), c.second);
  EXPECT_EQ(view.Caption(ResultLabel::kSecondOhms), c.second_ohms);
  EXPECT_EQ(view.Caption(ResultLabel::kFirstComponent), c.first);
  EXPECT_EQ(view.Caption(ResultLabel::kFirstOhms), c.first_ohms);
}

INSTANTIATE_TEST_SUITE_P(
    Regions, SectionResultTest,
    ::testing::Values(
        // .800 + j.600, region 3
        ResultCase{"50", "40", "30", 1, "-1.000", "-50.000", ".500", "25.000"},
        ResultCase{"50", "40", "30", 4, "-1.000", "-50.000", "2.000", "100.000"},
        ResultCase{"50", "40", "30", 5, "-5.000", "-250.000", "-.500", "-25.000"},
        ResultCase{"50", "40", "30", 6, "-.200", "-10.000", "-2.000", "-100.000"},
        // .400 + j.200, region 1
        ResultCase{"50", "20", "10", 2, ".290", "14.495", "-.816", "-40.825"},
        ResultCase{"50", "20", "10", 4, "-.690", "-34.495", ".816", "40.825"},
        // 2.000 + j1.000, region 2
        ResultCase{"50", "100", "50", 1, "-1.449", "-72.474", "1.225", "61.237"},
        ResultCase{"50", "100", "50", 3, "3.449", "172.474", "-1.225", "-61.237"},
        // .800 - j.600, region 4
        ResultCase{"50", "40", "-30", 2, "1.000", "50.000", "-2.000", "-100.000"},
        ResultCase{"50", "40", "-30", 3, "1.000", "50.000", "-.500", "-25.000"},
        ResultCase{"50", "40", "-30", 7, "5.000", "250.000", ".500", "25.000"},
        ResultCase{"50", "40", "-30", 8, ".200", "10.000", "2.000", "100.000"},
        // 2.000 - j1.333, region 2
        ResultCase{"75", "150", "-100", 1, "-4.082", "-306.155", "1.374", "103.078"},
        ResultCase{"75", "150", "-100", 3, "1.415", "106.155", "-1.374", "-103.078"},
        // pure resistances below and above the normalizing resistance
        ResultCase{"50", "30", "0", 2, ".490", "24.495", "-1.225", "-61.237"},
        ResultCase{"50", "30", "0", 4, "-.490", "-24.495", "1.225", "61.237"},
        ResultCase{"50", "200", "0", 1, "-2.309", "-115.470", "1.732", "86.603"},
        ResultCase{"50", "200", "0", 3, "2.309", "115.470", "-1.732", "-86.603"},
        // texts read like the window's boxes
        ResultCase{"50 ohms", "4E1", "3D1", 1, "-1.000", "-50.000", ".500", "25.000"},
        ResultCase{"5 0", "&H28", "&O36", 1, "-1.000", "-50.000", ".500", "25.000"}),
    [](const ::testing::TestParamInfo<ResultCase>& info) {
      std::string name =
          "case" + std::to_string(info.index) + "_type" + std::to_string(info.param.type);
      return name;
    });

// For a load with positive resistance in an admitted region, an L always
// comes out positive and a C negative.
TEST(SectionSignsTest, ComponentNamesMatchTheSigns) {
  const char* loads[][2] = {{"40", "30"},   {"20", "10"}, {"100", "50"}, {"40", "-30"},
                            {"150", "-99"}, {"30", "1"},  {"200", "-1"}, {"10", "60"},
                            {"45", "-70"},  {"5", "-2"},  {"300", "400"}};
  int computed = 0;
  for (const auto& load : loads) {
    for (std::int16_t type = 1; type <= 8; ++type) {
      RecordingView view("50", load[0], load[1], type);
      const ComputeRun run = cmdCompute_Click(view);
      if (run.outcome != Outcome::kComputed) continue;
      ++computed;
      const SectionType& t = kSectionTypes[type - 1];
      const auto inductive = [](const char* name) { return std::string(name).back() == 'L'; };
      EXPECT_EQ(*run.second > 0, inductive(t.second_component))
          << load[0] << "+j" << load[1] << " type " << type;
      EXPECT_EQ(*run.first > 0, inductive(t.first_component))
          << load[0] << "+j" << load[1] << " type " << type;
    }
  }
  EXPECT_GT(computed, 25);
}

// Root choice: types 1, 2, 6, 7 take the +sqrt root, 3, 4, 5, 8 the -sqrt
// root; equal roots give the same value on both branches.
TEST(ChooseRootTest, RulesAreStrict) {
  struct Case {
    RootRule rule;
    double root1, root2, chosen;
  };
  const Case cases[] = {
      {RootRule::kLarger, 2, 1, 2},           {RootRule::kLarger, 1, 1, 1},
      {RootRule::kSmaller, 2, 1, 1},          {RootRule::kSmaller, -1, -1, -1},
      {RootRule::kPositiveLarger, 2, 1, 2},   {RootRule::kPositiveLarger, -1, -2, -2},
      {RootRule::kPositiveLarger, 0, 0, 0},   {RootRule::kNegativeSmaller, 2, -1, -1},
      {RootRule::kNegativeSmaller, 2, 1, 2},  {RootRule::kPositiveSmaller, 2, 1, 1},
      {RootRule::kPositiveSmaller, 2, -1, 2}, {RootRule::kNegativeLarger, -1, -2, -1},
      {RootRule::kNegativeLarger, 1, -2, -2}, {RootRule::kNegativeLarger, 0, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ChooseRoot(c.rule, c.root1, c.root2), c.chosen)
        << static_cast<int>(c.rule) << ": " << c.root1 << ", " << c.root2;
  }
}

}  // namespace
}  // namespace vorda
