#include "engine/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iomanip>
#include <string>
#include <vector>

#include "engine/ArithmeticFault.h"

namespace vorda {
namespace {

// A small repeatable random source for the table-free checks below.
class XorShift {
 public:
  explicit XorShift(std::uint64_t seed) : state_(seed) {}
  std::uint64_t operator()() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    return state_;
  }

 private:
  std::uint64_t state_;
};

struct ValCase {
  const char* text;
  double value;
};

TEST(ValTest, LeadingNumberOfTheText) {
  const ValCase cases[] = {
      {"50", 50},
      {"50 ohm", 50},
      {"50 ohms", 50},
      {"5E1", 50},
      {"5e1", 50},
      {"5D1", 50},
      {"5d-1", 0.5},
      {"1,5", 1},
      {"1 2", 12},
      {" \t\n-2 5.5", -25.5},
      {"", 0},
      {"abc", 0},
      {"-25", -25},
      {"+3", 3},
      {"--3", 0},
      {"-", 0},
      {".", 0},
      {".5", 0.5},
      {"-.5", -0.5},
      {"5.", 5},
      {"1E", 1},
      {"1E+", 1},
      {"1E-x", 1},
      {"2E 2", 200},
      {"1.5.5", 1.5},
      {"1e2e3", 100},
      {"1\r2", 1},
      {"0", 0},
      {"&H10", 16},
      {"&hff", 255},
      {"&HFFFF", 65535},
      {"&O17", 15},
      {"&o777", 511},
      {"&H", 0},
      {"&", 0},
      {"&X12", 0},
      {"&O8", 0},
      {"&H1G", 1},
      {"-&H10", 0},
      {"&H 1 0", 16},
      {"0.1", 0.1},
      {"1e-400", 0},
      {"0e99999999999999999999", 0},
      {"000000000000000000000000000000000000001", 1},
      {"0.1000000000000000055511151231257827021181583404541015625", 0.1},
      {"1.7976931348623157e308", 1.7976931348623157e308},
      {"4.9406564584124654e-324", 4.9406564584124654e-324},
      {"&H1FFFFFFFFFFFFF", 9007199254740991.0},
      {"&H10000000000000000", 18446744073709551616.0},
  };
  for (const ValCase& c : cases) {
    EXPECT_EQ(Val(c.text), c.value) << '"' << c.text << '"';
  }
}

TEST(ValTest, RoundsLongDigitStringsCorrectly) {
  // 2^53 + 1 lies exactly between two doubles; any further non-zero digit
  // decides the rounding upwards.
  EXPECT_EQ(Val("9007199254740993"), 9007199254740992.0);
  EXPECT_EQ(Val("9007199254740993" + std::string(5000, '0') + "1e-5001"), 9007199254740994.0);
}

TEST(ValTest, OutOfRangeIsAnOverflowFault) {
  for (const char* text : {"1E309", "-1e309", "1e99999999999999999999", "&H1" /* + 256 zeros */}) {
    std::string t = text;
    if (t == "&H1") t += std::string(256, '0');
    try {
      Val(t);
      FAIL() << t;
    } catch (const ArithmeticFault& f) {
      EXPECT_EQ(f.code(), 6) << t;
    }
  }
  EXPECT_THROW(Val("&O1" + std::string(400, '0')), ArithmeticFault);
}

TEST(ValTest, MegabyteTexts) {
  // Blanks and digits: the number is all the digits, and far too large.
  std::string blanks_and_digits;
  for (int i = 0; i < 500'000; ++i) blanks_and_digits += "1 ";
  EXPECT_THROW(Val(blanks_and_digits), ArithmeticFault);
  // A megabyte of blanks before a number, and of zeros before a digit.
  EXPECT_EQ(Val(std::string(1 << 20, ' ') + "7"), 7);
  EXPECT_EQ(Val("0." + std::string(1 << 20, '0') + "7"), 0);
  EXPECT_EQ(Val(std::string(1 << 20, '0') + "7 ohm"), 7);
  EXPECT_EQ(Val("1." + std::string(1 << 20, '0')), 1);
}

struct FormatCase {
  double value;
  const char* text;
};

TEST(FormatNumberTest, HashDotZeroZeroZero) {
  const FormatCase cases[] = {
      {0.8, ".800"},
      {-0.5, "-.500"},
      {0, ".000"},
      {-0.0, ".000"},
      {-0.0004, ".000"},
      {25, "25.000"},
      {-50, "-50.000"},
      {14.494897427831781, "14.495"},
      {-40.824829046386306, "-40.825"},
      {1234567.25, "1234567.250"},
      {0.0005, ".001"},
      {0.00049, ".000"},
      {1.0005, "1.000"},
      {1.0015, "1.002"},
      {2.0625, "2.063"},
      {-2.0625, "-2.063"},
      {2.0615, "2.062"},
      {0.9996, "1.000"},
      {-999.9995, "-1000.000"},
      {1e20, "100000000000000000000.000"},
      {123.4564999, "123.456"},
  };
  for (const FormatCase& c : cases) {
    EXPECT_EQ(FormatNumber(c.value), c.text) << c.value;
  }
}

TEST(FormatNumberTest, LargestValuesShowAllTheirDigits) {
  // Every digit of the binary value, with no grouping.
  EXPECT_EQ(FormatNumber(1.7976931348623157e308),
            "1797693134862315708145274237317043567980705675258449965989174768031572607800285387"
            "6058955863276687817154045895351438246423432132688946418276846754670353751698604991"
            "0576551282076245490090389328944075868508455133942304583236903222948165808559332123"
            "348274797826204144723168738177180919299881250404026184124858368.000");
  EXPECT_EQ(FormatNumber(-1e300),
            "-100000000000000005250476025520442024870446858110815915491585411551180245798890819"
            "5786371375080447864043704443832883878176942523235360430575644792184786706982848387"
            "2009265758037378302337947880900593689532349707999450811190389676408800746527427801"
            "42494579258788820056842838115669472196386865459400540160.000");
  EXPECT_EQ(FormatNumber(1e20), "100000000000000000000.000");
}

TEST(FormatNumberTest, DecimalSymbolIsTheOnlyLocaleDependency) {
  EXPECT_EQ(FormatNumber(0.8, ","), ",800");
  EXPECT_EQ(FormatNumber(-1234.5, ","), "-1234,500");
}

TEST(FormatNumberTest, NonFiniteValues) {
  EXPECT_EQ(FormatNumber(INFINITY), "inf");
  EXPECT_EQ(FormatNumber(-INFINITY), "-inf");
  EXPECT_EQ(FormatNumber(NAN), "nan");
}

}  // namespace
}  // namespace vorda

namespace vorda {
namespace {

// Reference: the exact decimal expansion by printf, then half away from
// zero at the third decimal, done on the decimal digits.
std::string ReferenceFormat(double v) {
  std::vector<char> buf(1500);
  std::snprintf(buf.data(), buf.size(), "%.1100f", std::fabs(v));
  const std::string exact(buf.data());
  const std::size_t point = exact.find('.');
  std::string n = exact.substr(0, point) + exact.substr(point + 1, 3);
  const std::string rest = exact.substr(point + 4);
  if (rest[0] >= '5') {
    int k = static_cast<int>(n.size()) - 1;
    while (k >= 0 && n[k] == '9') n[k--] = '0';
    if (k < 0) {
      n.insert(n.begin(), '1');
    } else {
      ++n[k];
    }
  }
  std::string integer = n.substr(0, n.size() - 3);
  integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size()));
  const std::string dec = n.substr(n.size() - 3);
  const bool zero = integer.empty() && dec == "000";
  return (std::signbit(v) && !zero ? "-" : "") + integer + "." + dec;
}

TEST(FormatNumberTest, AgreesWithTheReferenceNearHalvesAndEverywhere) {
  XorShift next(0x9E3779B97F4A7C15ull);
  for (int i = 0; i < 200'000; ++i) {
    const double magnitude = std::ldexp(1.0, static_cast<int>(next() % 80) - 30);
    double v = magnitude * static_cast<double>(next() % 1'000'000) / 1e6;
    if (i % 5 == 0) {
      v = static_cast<double>(next() % 100000) / 16.0;  // exact halves among them
    } else if (i % 2 == 0) {
      // A value at a half of the third decimal, nudged by a few ulps.
      const double half = (std::floor(v * 1000) + 0.5) / 1000;
      v = half;
      for (int k = static_cast<int>(next() % 9) - 4; k != 0; k += k > 0 ? -1 : 1) {
        v = std::nextafter(v, k > 0 ? INFINITY : -INFINITY);
      }
    }
    if (next() % 2) v = -v;
    ASSERT_EQ(FormatNumber(v), ReferenceFormat(v)) << std::setprecision(17) << v;
  }
}

}  // namespace
}  // namespace vorda

namespace vorda {
namespace {

// On ordinary decimal numbers the conversion is the correctly rounded one,
// which strtod also gives in the C locale.
TEST(ValTest, AgreesWithStrtodOnOrdinaryDecimals) {
  XorShift next(0x2545F4914F6CDD1Dull);
  for (int i = 0; i < 100'000; ++i) {
    std::string text = next() % 4 == 0 ? "-" : "";
    const int int_digits = static_cast<int>(next() % 12);
    const int frac_digits = static_cast<int>(next() % 12);
    for (int k = 0; k < int_digits; ++k) text += static_cast<char>('0' + next() % 10);
    if (int_digits == 0 || frac_digits > 0) {
      text += '.';
      for (int k = 0; k < std::max(frac_digits, 1); ++k)
        text += static_cast<char>('0' + next() % 10);
    }
    if (next() % 3 == 0) text += "e" + std::to_string(static_cast<int>(next() % 60) - 30);
    ASSERT_EQ(Val(text), std::strtod(text.c_str(), nullptr)) << text;
  }
}

}  // namespace
}  // namespace vorda
