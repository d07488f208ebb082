#include "engine/CheckedMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace vorda {
namespace {

// Inputs are read through volatile so the compiler cannot fold the
// operations at build time: the checks must hold for code run at -O2.
double Opaque(double v) {
  volatile double x = v;
  return x;
}

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kMax = std::numeric_limits<double>::max();

struct FlagCase {
  const char* name;
  std::function<double(FpStatement&)> op;
  int code;  // 0: no fault
};

void PrintTo(const FlagCase& c, std::ostream* os) {
  *os << c.name;
}

class FlagTest : public ::testing::TestWithParam<FlagCase> {};

TEST_P(FlagTest, RaisesTheCodeOfTheIeeeFlag) {
  const FlagCase& c = GetParam();
  FpStatement s;
  double target = 123.0;
  double value = 0.0;
  try {
    value = c.op(s);
  } catch (const ArithmeticFault& f) {
    // Raised by a function before it ran: nothing was computed or stored.
    EXPECT_EQ(f.code(), c.code);
    EXPECT_EQ(target, 123.0);
    return;
  }
  if (c.code == 0) {
    EXPECT_NO_THROW(Store(s, target, value));
    return;
  }
  try {
    Store(s, target, value);
    FAIL() << "no fault raised";
  } catch (const ArithmeticFault& f) {
    EXPECT_EQ(f.code(), c.code);
  }
  // The statement stored its IEEE result before raising.
  EXPECT_TRUE(std::isnan(target) ? std::isnan(value) : target == value);
}

INSTANTIATE_TEST_SUITE_P(
    Operations, FlagTest,
    ::testing::Values(
        FlagCase{"one_over_zero", [](FpStatement& s) { return s.Div(Opaque(1), Opaque(0)); }, 11},
        FlagCase{"minus_one_over_minus_zero",
                 [](FpStatement& s) { return s.Div(Opaque(-1), Opaque(-0.0)); }, 11},
        FlagCase{"zero_over_zero", [](FpStatement& s) { return s.Div(Opaque(0), Opaque(0)); }, 6},
        FlagCase{"inf_over_inf", [](FpStatement& s) { return s.Div(Opaque(kInf), Opaque(kInf)); },
                 6},
        FlagCase{"inf_over_zero_is_exact",
                 [](FpStatement& s) { return s.Div(Opaque(kInf), Opaque(0)); }, 0},
        FlagCase{"quotient_overflow",
                 [](FpStatement& s) { return s.Div(Opaque(1e300), Opaque(1e-300)); }, 6},
        FlagCase{"product_overflow", [](FpStatement& s) { return s.Mul(Opaque(kMax), Opaque(2)); },
                 6},
        FlagCase{"zero_times_inf", [](FpStatement& s) { return s.Mul(Opaque(0), Opaque(kInf)); },
                 6},
        FlagCase{"inf_times_two_is_exact",
                 [](FpStatement& s) { return s.Mul(Opaque(kInf), Opaque(2)); }, 0},
        FlagCase{"sum_overflow", [](FpStatement& s) { return s.Add(Opaque(kMax), Opaque(kMax)); },
                 6},
        FlagCase{"inf_minus_inf", [](FpStatement& s) { return s.Sub(Opaque(kInf), Opaque(kInf)); },
                 6},
        FlagCase{"underflow_is_no_fault",
                 [](FpStatement& s) { return s.Mul(Opaque(1e-300), Opaque(1e-300)); }, 0},
        FlagCase{"sqrt_of_negative", [](FpStatement& s) { return s.Sqrt(Opaque(-1)); }, 5},
        FlagCase{"sqrt_of_minus_zero", [](FpStatement& s) { return s.Sqrt(Opaque(-0.0)); }, 0},
        FlagCase{"sine_of_infinity", [](FpStatement& s) { return s.Sin(Opaque(kInf)); }, 6},
        FlagCase{"cosine_of_infinity", [](FpStatement& s) { return s.Cos(Opaque(kInf)); }, 6},
        FlagCase{"arctan_of_infinity", [](FpStatement& s) { return s.Atan(Opaque(kInf)); }, 0}),
    [](const ::testing::TestParamInfo<FlagCase>& info) { return info.param.name; });

TEST(FpStatementTest, ArgumentFaultIsRaisedBeforeTheFunctionRuns) {
  // The overflow of the argument wins over the negative square root that the
  // value -inf would give.
  FpStatement s;
  const double arg = s.Sub(Opaque(-kMax), Opaque(kMax));
  try {
    s.Sqrt(arg);
    FAIL();
  } catch (const ArithmeticFault& f) {
    EXPECT_EQ(f.kind, FaultKind::kOverflow);
  }
}

TEST(FpStatementTest, FirstFaultOfAStatementNamesTheCode) {
  FpStatement s;
  const double a = s.Div(Opaque(1), Opaque(0));  // division by zero first
  const double b = s.Sub(a, a);                  // then inf - inf
  EXPECT_TRUE(std::isnan(b));
  try {
    s.Raise();
    FAIL();
  } catch (const ArithmeticFault& f) {
    EXPECT_EQ(f.code(), 11);
  }
  EXPECT_NO_THROW(s.Raise());  // raising clears the statement
}

TEST(FpStatementTest, NoFusedMultiplyAdd) {
  // (1 + 2^-30)(1 - 2^-30) = 1 - 2^-60 rounds to 1, so the product minus 1 is
  // 0 when rounded on its own; a fused multiply-add would give -2^-60.
  FpStatement s;
  const double a = Opaque(1.0 + std::ldexp(1.0, -30));
  const double b = Opaque(1.0 - std::ldexp(1.0, -30));
  EXPECT_EQ(s.Sub(s.Mul(a, b), Opaque(1.0)), 0.0);
  EXPECT_EQ(a * b - 1.0, 0.0);
}

}  // namespace
}  // namespace vorda
