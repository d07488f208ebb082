#include "engine/Compute.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/RecordingView.h"

namespace vorda {
namespace {

using testing::Box;
using testing::RecordingView;
using Events = std::vector<std::string>;

const Box kBoundaryBox{kBoundaryPrompt, MsgStyle::kExclamation, "Warning!"};
const Box kRefusedBox{"This L-Section type is incorrect for the Region or Domain of this load",
                      MsgStyle::kCritical, "Skipping computations"};
const Box kRangeBox{"The TypeIndex is not in the range 1 to 8.", MsgStyle::kCritical,
                    "Serious Internal Program Error"};
const Box kCode5Box{"Unexpected error code 5", MsgStyle::kCritical, "SolveQuadratic Error"};
const Box kDivisionBox{
    "Division by Zero Error Occurred - I was taking the reciprocol of tempymag. ", MsgStyle::kPlain,
    "Complex Arithmetic Module in Routine CAdmittance"};

Box FaultBox(int code, const char* name) {
  return {"The computation was stopped by an arithmetic fault: " + std::string(name) +
              " (error code " + std::to_string(code) + ").",
          MsgStyle::kCritical, "VordaForWin"};
}

TEST(ComputeTest, StartValuesWithTypeOneWriteTheLabelsInOrder) {
  RecordingView view("50", "40", "30", 1);
  const ComputeRun run = cmdCompute_Click(view);
  EXPECT_EQ(view.reads,
            (std::vector<InputBox>{InputBox::kNormR, InputBox::kInReal, InputBox::kInImag}));
  EXPECT_EQ(view.EventTexts(),
            (Events{"lblNormReal=.800", "lblNormImag=.600", "lblSecondComponent=-1.000",
                    "lblSecondOhms=-50.000", "lblFirstComponent=.500", "lblFirstOhms=25.000"}));
  EXPECT_EQ(run.outcome, Outcome::kComputed);
  EXPECT_EQ(run.region, 3);
}

TEST(ComputeTest, RefusedTypesShowTheBoxThenZeroFirstComponent) {
  for (std::int16_t type : {2, 3, 7, 8}) {
    RecordingView view("50", "40", "30", type);
    view.captions[Index(ResultLabel::kSecondComponent)] = "old";
    const ComputeRun run = cmdCompute_Click(view);
    EXPECT_EQ(view.EventTexts(),
              (Events{"lblNormReal=.800", "lblNormImag=.600", "box:Skipping computations",
                      "lblFirstComponent=.000", "lblFirstOhms=.000"}))
        << type;
    EXPECT_EQ(view.boxes, std::vector<Box>{kRefusedBox});
    EXPECT_EQ(view.Caption(ResultLabel::kSecondComponent), "old");
    EXPECT_EQ(run.outcome, Outcome::kRefused);
  }
}

// Which types each region admits: 1 {2,4}, 2 {1,3}, 3 {1,4,5,6}, 4 {2,3,7,8}.
TEST(ComputeTest, AdmissibilityPerRegion) {
  struct Region {
    const char* real;
    const char* imag;
    int code;
    std::vector<int> admitted;
  };
  const Region regions[] = {{"20", "10", 1, {2, 4}},
                            {"100", "50", 2, {1, 3}},
                            {"40", "30", 3, {1, 4, 5, 6}},
                            {"40", "-30", 4, {2, 3, 7, 8}}};
  for (const Region& region : regions) {
    for (std::int16_t type = 1; type <= 8; ++type) {
      RecordingView view("50", region.real, region.imag, type);
      const ComputeRun run = cmdCompute_Click(view);
      EXPECT_EQ(run.region, region.code);
      const bool admitted =
          std::find(region.admitted.begin(), region.admitted.end(), type) != region.admitted.end();
      EXPECT_EQ(run.outcome, admitted ? Outcome::kComputed : Outcome::kRefused)
          << "region " << region.code << " type " << type;
    }
  }
}

TEST(ComputeTest, OnTheResistanceCircleWarnsThenRegionTwo) {
  RecordingView view("50", "50", "25", 1);
  const ComputeRun run = cmdCompute_Click(view);
  EXPECT_EQ(view.EventTexts(), (Events{"lblNormReal=1.000", "lblNormImag=.500", "box:Warning!",
                                       "lblSecondComponent=-1.250", "lblSecondOhms=-62.500",
                                       "lblFirstComponent=.500", "lblFirstOhms=25.000"}));
  EXPECT_EQ(view.boxes, std::vector<Box>{kBoundaryBox});
  EXPECT_EQ(run.region, 2);
  for (std::int16_t type : {2, 4, 5, 6, 7, 8}) {
    RecordingView refused("50", "50", "25", type);
    cmdCompute_Click(refused);
    EXPECT_EQ(refused.boxes, (std::vector<Box>{kBoundaryBox, kRefusedBox})) << type;
  }
}

TEST(ComputeTest, OnTheConductanceCircleWarnsThenRegionOne) {
  // 0.5 + j0.5 has the admittance 1 - j1 exactly.
  RecordingView view("2", "1", "1", 2);
  const ComputeRun run = cmdCompute_Click(view);
  EXPECT_EQ(view.boxes.front(), kBoundaryBox);
  EXPECT_EQ(run.region, 1);
}

TEST(ComputeTest, MatchedLoadEndsWithDivisionByZeroForShuntTypes) {
  for (std::int16_t type : {1, 3}) {
    RecordingView view("50", "50", "0", type);
    const ComputeRun run = cmdCompute_Click(view);
    EXPECT_EQ(view.EventTexts(),
              (Events{"lblNormReal=1.000", "lblNormImag=.000", "box:Warning!", "box:VordaForWin"}));
    EXPECT_EQ(view.boxes.back(), FaultBox(11, "division by zero"));
    EXPECT_EQ(run.outcome, Outcome::kFault);
    EXPECT_EQ(run.fault->code(), 11);
    EXPECT_EQ(run.region, 2);
  }
  for (std::int16_t type : {2, 4, 5, 6, 7, 8}) {
    RecordingView view("50", "50", "0", type);
    EXPECT_EQ(cmdCompute_Click(view).outcome, Outcome::kRefused) << type;
  }
}

TEST(ComputeTest, NegativeResistanceWarnsAndIsRefusedEverywhere) {
  for (std::int16_t type = 1; type <= 8; ++type) {
    RecordingView view("50", "-25", "0", type);
    const ComputeRun run = cmdCompute_Click(view);
    EXPECT_EQ(view.Caption(ResultLabel::kNormReal), "-.500");
    EXPECT_EQ(view.Caption(ResultLabel::kNormImag), ".000");
    EXPECT_EQ(view.boxes, (std::vector<Box>{kBoundaryBox, kRefusedBox}));
    EXPECT_EQ(run.region, 0);
  }
}

TEST(ComputeTest, ZeroOrEmptyNormalizingResistanceFaultsBeforeAnyLabel) {
  for (const char* z0 : {"0", "", "ohms"}) {
    RecordingView view(z0, "40", "30", 1);
    const ComputeRun run = cmdCompute_Click(view);
    EXPECT_EQ(view.EventTexts(), Events{"box:VordaForWin"}) << z0;
    EXPECT_EQ(run.fault->code(), 11);
    EXPECT_FALSE(run.region.has_value());
  }
  // 0 / 0 is an invalid operation, code 6.
  RecordingView view("0", "0", "30", 1);
  EXPECT_EQ(cmdCompute_Click(view).fault->code(), 6);
  EXPECT_EQ(view.boxes, std::vector<Box>{FaultBox(6, "invalid floating-point operation")});
}

TEST(ComputeTest, ZeroLoadGoesOnWithInfiniteAdmittance) {
  // Region 1 without a warning; types 1 and 3 to 8 refused.
  for (std::int16_t type : {1, 3, 5, 6, 7, 8}) {
    RecordingView view("50", "abc", "", type);
    const ComputeRun run = cmdCompute_Click(view);
    EXPECT_EQ(view.boxes, (std::vector<Box>{kDivisionBox, kRefusedBox})) << type;
    EXPECT_EQ(run.region, 1);
  }
  // Types 2 and 4 show zero second components, then 0 / 0 ends the run.
  for (std::int16_t type : {2, 4}) {
    RecordingView view("50", "abc", "", type);
    const ComputeRun run = cmdCompute_Click(view);
    EXPECT_EQ(view.EventTexts(),
              (Events{"lblNormReal=.000", "lblNormImag=.000",
                      "box:Complex Arithmetic Module in Routine CAdmittance",
                      "lblSecondComponent=.000", "lblSecondOhms=.000", "box:VordaForWin"}))
        << type;
    EXPECT_EQ(run.fault->code(), 6);
  }
}

TEST(ComputeTest, PureReactanceEndsInTheSourceSideStep) {
  for (std::int16_t type : {4, 6}) {
    RecordingView view("50", "0", "30", type);
    const ComputeRun run = cmdCompute_Click(view);
    EXPECT_EQ(run.region, 3);
    EXPECT_EQ(view.EventTexts(),
              (Events{"lblNormReal=.000", "lblNormImag=.600", "lblSecondComponent=-.600",
                      "lblSecondOhms=-30.000", "box:VordaForWin"}));
    EXPECT_EQ(run.fault->code(), 6);
  }
}

TEST(ComputeTest, NegativeLoadResistanceAndTheQuadratic) {
  // Series-at-load: code 5 is reported, both roots stay 0 and Xf is finite.
  RecordingView series("50", "-40", "30", 6);
  ComputeRun run = cmdCompute_Click(series);
  EXPECT_EQ(series.boxes, std::vector<Box>{kCode5Box});
  EXPECT_EQ(series.EventTexts(),
            (Events{"lblNormReal=-.800", "lblNormImag=.600", "box:SolveQuadratic Error",
                    "lblSecondComponent=.000", "lblSecondOhms=.000", "lblFirstComponent=-1.667",
                    "lblFirstOhms=-83.333"}));
  EXPECT_EQ(run.outcome, Outcome::kComputed);

  // Shunt-at-load: then -1 / 0, and no result label changes.
  RecordingView shunt("50", "-40", "30", 5);
  run = cmdCompute_Click(shunt);
  EXPECT_EQ(shunt.boxes, (std::vector<Box>{kCode5Box, FaultBox(11, "division by zero")}));
  EXPECT_EQ(shunt.Caption(ResultLabel::kSecondComponent), "<unset>");
  EXPECT_EQ(shunt.Caption(ResultLabel::kFirstComponent), "<unset>");
}

TEST(ComputeTest, TypeIndexOutOfRange) {
  for (std::int16_t type : {0, 9, -1, 32767}) {
    RecordingView view("50", "40", "30", type);
    view.captions[Index(ResultLabel::kSecondOhms)] = "kept";
    const ComputeRun run = cmdCompute_Click(view);
    EXPECT_EQ(view.EventTexts(),
              (Events{"lblNormReal=.800", "lblNormImag=.600", "box:Serious Internal Program Error",
                      "lblFirstComponent=.000", "lblFirstOhms=.000"}));
    EXPECT_EQ(view.boxes, std::vector<Box>{kRangeBox});
    EXPECT_EQ(view.Caption(ResultLabel::kSecondOhms), "kept");
    EXPECT_EQ(run.outcome, Outcome::kOutOfRange);
  }
}

// A fault ends the run at its statement: earlier labels keep their new
// texts, later ones their old texts, and no further box of the run is shown.
TEST(ComputeTest, FaultAtEachStatement) {
  struct Case {
    const char* name;
    const char* z0;
    const char* real;
    const char* imag;
    std::int16_t type;
    Events events;
    int code;
  };
  const Case cases[] = {
      {"input_out_of_range", "50", "1e400", "30", 1, {"box:VordaForWin"}, 6},
      {"imaginary_part_overflows", "1e-300", "1", "1e10", 1, {"box:VordaForWin"}, 6},
      {"second_ohms_overflow",
       "1e303",
       "1.000002e303",
       ".5e303",
       3,
       {"lblNormReal=1.000", "lblNormImag=.500", "lblSecondComponent=500001.250",
        "box:VordaForWin"},
       6},
      {"first_ohms_overflow",
       "1e308",
       "0.9e308",
       "0",
       4,
       {"lblNormReal=.900", "lblNormImag=.000", "lblSecondComponent=-.300",
        "lblSecondOhms=-299999999999999933439308255116943217248431972742585726649637933468458803625"
        "5809893090737715217417642236549567669139794198491313044920867259495914338186600122228020"
        "5353969937035689391581076699901619490284579045214241320681960149576630590765812965876325"
        "841751483380773256664366802816216233637732408425032187904.000",
        "lblFirstComponent=3.000", "box:VordaForWin"},
       6},
  };
  for (const Case& c : cases) {
    RecordingView view(c.z0, c.real, c.imag, c.type);
    const ComputeRun run = cmdCompute_Click(view);
    EXPECT_EQ(view.EventTexts(), c.events) << c.name;
    ASSERT_TRUE(run.fault.has_value()) << c.name;
    EXPECT_EQ(run.fault->code(), c.code) << c.name;
  }
}

TEST(ComputeTest, DecimalSymbolComesFromTheView) {
  RecordingView view("50", "40", "30", 1);
  view.decimal = ",";
  cmdCompute_Click(view);
  EXPECT_EQ(view.Caption(ResultLabel::kNormReal), ",800");
  EXPECT_EQ(view.Caption(ResultLabel::kFirstOhms), "25,000");
}

TEST(ClassifyRegionTest, StrictTestsInOrder) {
  EXPECT_EQ(ClassifyRegion(1.0, 0.5, 0.8, -0.4), 0);  // on r = 1
  EXPECT_EQ(ClassifyRegion(0.5, 0.5, 1.0, -1.0), 0);  // on g = 1
  EXPECT_EQ(ClassifyRegion(0.4, 0.2, 2.0, -1.0), 1);
  EXPECT_EQ(ClassifyRegion(2.0, 1.0, 0.4, -0.2), 2);
  EXPECT_EQ(ClassifyRegion(0.8, 0.6, 0.8, -0.6), 3);
  EXPECT_EQ(ClassifyRegion(0.8, -0.6, 0.8, 0.6), 4);
  EXPECT_EQ(ClassifyRegion(0.8, 0.0, 0.9, 0.0), 0);  // no test holds
}

}  // namespace
}  // namespace vorda
