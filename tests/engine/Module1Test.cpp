#include "engine/Module1.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/support/RecordingBoxes.h"

namespace vorda::Module1 {
namespace {

using vorda::testing::Box;
using vorda::testing::RecordingBoxes;

constexpr double kInf = std::numeric_limits<double>::infinity();

struct AtanCase {
  double x, y, angle;
};

TEST(MyAtanTest, QuadrantsAndAxes) {
  const AtanCase cases[] = {
      {1, 1, 0.7853981633974483},
      {-1, 1, 2.3561918366025516},
      {-1, -1, -2.3561918366025516},
      {-1, 0, 3.14159},
      {0, 2, 1.570795},
      {0, -2, -1.570795},
      {0, 0, -1.570795},
      {1, 0, 0},
      {2, -1e-300, -5e-301},
  };
  for (const AtanCase& c : cases) {
    double x = c.x, y = c.y, angle = 99;
    MyAtan(x, y, angle);
    EXPECT_DOUBLE_EQ(angle, c.angle) << c.x << ", " << c.y;
  }
  double x = -1, y = 0, angle = 0;
  MyAtan(x, y, angle);
  EXPECT_EQ(angle, 3.14159);  // exactly half a turn, no wrap
}

TEST(MyAtanTest, OverflowingQuotientLeavesTheAngleUnwritten) {
  double x = 1e-300, y = 1e300, angle = 42;
  MyAtan(x, y, angle);
  EXPECT_EQ(angle, 42);
}

TEST(RectToPolarTest, ThreeFourFive) {
  double x = 3, y = 4, mag = 0, angle = 0;
  RectToPolar(x, y, mag, angle);
  EXPECT_EQ(mag, 5);
  EXPECT_NEAR(angle, 0.9272952180016122, 1e-15);
}

struct AdmittanceCase {
  double x, y, g, b;
};

TEST(CAdmittanceTest, Examples) {
  const AdmittanceCase cases[] = {
      {0.8, 0.6, 0.8, -0.6},
      {0, 1, 1.3267948966775328e-06, -0.99999999999912},
      {-1, 0, -0.99999999999648, -2.6535897933527304e-06},
      {2, 0, 0.5, 0},
  };
  for (const AdmittanceCase& c : cases) {
    RecordingBoxes boxes;
    double x = c.x, y = c.y, g = 7, b = 7;
    CAdmittance(x, y, g, b, boxes);
    EXPECT_NEAR(g, c.g, 1e-13) << c.x << ", " << c.y;
    EXPECT_NEAR(b, c.b, 1e-13) << c.x << ", " << c.y;
    EXPECT_TRUE(boxes.boxes.empty());
  }
  RecordingBoxes boxes;
  double x = 0.8, y = 0.6, g = 0, b = 0;
  CAdmittance(x, y, g, b, boxes);
  EXPECT_EQ(g, 0.8);  // to the last digit
  EXPECT_EQ(b, -0.6);
}

TEST(CAdmittanceTest, ZeroLoadReportsOnceAndGoesOnWithInfinity) {
  RecordingBoxes boxes;
  double x = 0, y = 0, g = 0, b = 0;
  CAdmittance(x, y, g, b, boxes);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0],
            (Box{"Division by Zero Error Occurred - I was taking the reciprocol of tempymag. ",
                 MsgStyle::kPlain, "Complex Arithmetic Module in Routine CAdmittance"}));
  EXPECT_EQ(g, kInf);
  EXPECT_EQ(b, kInf);
}

TEST(CAdmittanceTest, OtherFaultsReturnSilentlyWithOutputsUnchanged) {
  // |Z| overflows in RectToPolar: the trap returns before any output.
  RecordingBoxes boxes;
  double x = 1e200, y = 1e200, g = 3, b = 4;
  CAdmittance(x, y, g, b, boxes);
  EXPECT_EQ(g, 3);
  EXPECT_EQ(b, 4);
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST(CAdmittanceTest, TinyLoadWhoseSquareUnderflowsCountsAsZero) {
  // x*x underflows to 0, so |Z| is 0 and the reciprocal divides by zero.
  // The angle is 0 here, so b = inf * sin(-0) is an invalid operation: the
  // statement stores its NaN and the trap returns silently.
  RecordingBoxes boxes;
  double x = 1e-310, y = 0, g = 3, b = 4;
  CAdmittance(x, y, g, b, boxes);
  EXPECT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(g, kInf);
  EXPECT_TRUE(std::isnan(b));
}

struct QuadraticCase {
  double a, b, c, root1, root2;
};

TEST(SolveQuadraticTest, Roots) {
  const QuadraticCase cases[] = {
      {1, -3, 2, 2, 1},
      {1, 2, 1, -1, -1},
      {-1, 0, 4, -2, 2},
      {1, 0, -0.25, 0.5, -0.5},
  };
  for (const QuadraticCase& c : cases) {
    RecordingBoxes boxes;
    double a = c.a, b = c.b, cc = c.c, r1 = 9, r2 = 9;
    SolveQuadratic(a, b, cc, r1, r2, boxes);
    EXPECT_EQ(r1, c.root1);
    EXPECT_EQ(r2, c.root2);
    EXPECT_TRUE(boxes.boxes.empty());
  }
}

TEST(SolveQuadraticTest, FailuresKeepTheRoots) {
  struct Failure {
    double a, b, c;
    Box box;
  };
  const Failure cases[] = {
      {0, 5, 1, {"a is zero - illegal", MsgStyle::kCritical, "SolveQuadratic Error"}},
      {1, 0, 1, {"Unexpected error code 5", MsgStyle::kCritical, "SolveQuadratic Error"}},
      {1, 1e200, 1, {"Unexpected error code 6", MsgStyle::kCritical, "SolveQuadratic Error"}},
  };
  for (const Failure& f : cases) {
    RecordingBoxes boxes;
    double a = f.a, b = f.b, c = f.c, r1 = 7, r2 = 8;
    SolveQuadratic(a, b, c, r1, r2, boxes);
    EXPECT_EQ(boxes.boxes, std::vector<Box>{f.box});
    EXPECT_EQ(r1, 7);
    EXPECT_EQ(r2, 8);
  }
}

TEST(SolveQuadraticTest, OverflowingSecondRootIsStoredThenReported) {
  RecordingBoxes boxes;
  double a = 1e-300, b = 1e10, c = 1, r1 = 7, r2 = 8;
  SolveQuadratic(a, b, c, r1, r2, boxes);
  EXPECT_EQ(r1, 0);
  EXPECT_EQ(r2, -kInf);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].prompt, "Unexpected error code 6");
}

}  // namespace
}  // namespace vorda::Module1
