// The engine's numeric entry point against its text path: the same run for
// the numbers the texts convert to.
#include "engine/ComputeRecord.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <fstream>
#include <random>
#include <sstream>

#include "engine/NumberText.h"

namespace vorda {
namespace {

void ExpectSameRun(const ComputeRecord& a, const ComputeRecord& b, const std::string& where) {
  EXPECT_EQ(a.captions, b.captions) << where;
  ASSERT_EQ(a.boxes.size(), b.boxes.size()) << where;
  for (std::size_t i = 0; i < a.boxes.size(); ++i) {
    EXPECT_EQ(a.boxes[i].title, b.boxes[i].title) << where;
    EXPECT_EQ(a.boxes[i].prompt, b.boxes[i].prompt) << where;
  }
  const ComputeRun &x = a.run, &y = b.run;
  EXPECT_EQ(x.outcome, y.outcome) << where;
  EXPECT_EQ(x.fault.has_value(), y.fault.has_value()) << where;
  if (x.fault && y.fault) {
    EXPECT_EQ(x.fault->kind, y.fault->kind) << where;
  }
  EXPECT_EQ(x.region, y.region) << where;
  // Bit for bit, NaN included.
  const auto bits = [](const std::optional<double>& v) {
    return v ? std::optional<std::uint64_t>(std::bit_cast<std::uint64_t>(*v)) : std::nullopt;
  };
  EXPECT_EQ(bits(x.first), bits(y.first)) << where;
  EXPECT_EQ(bits(x.second), bits(y.second)) << where;
  EXPECT_EQ(std::bit_cast<std::uint64_t>(x.r), std::bit_cast<std::uint64_t>(y.r)) << where;
}

// The texts of each golden case, wherever the conversion gives numbers.
TEST(ComputeRecordTest, NumbersAgreeWithTextsOnTheGoldenCases) {
  const std::vector<std::array<std::string, 3>> cases = {
      {"50", "40", "30"},         {"50", "20", "10"},     {"50", "100", "50"},
      {"50", "40", "-30"},        {"50", "50", "25"},     {"50", "50", "0"},
      {"50", "-25", "0"},         {"50", "abc", ""},      {"50", "-40", "30"},
      {"0", "40", "30"},          {"", "40", "30"},       {"50", "1e308", "1e308"},
      {"50 ohms", "4 0", "&H1E"}, {"5E1", "&O50", "3D1"}, {"1,5", "  -1.2e1 junk", ".5"},
      {"-50", "40", "30"},        {"50", "10", "-250"},
  };
  for (const auto& [z0, r, x] : cases) {
    for (std::int16_t type = 0; type <= 9; ++type) {
      const ComputeRecord text = ComputeTexts(z0, r, x, type);
      const ComputeRecord numbers = ComputeNumbers({Val(z0), Val(r), Val(x)}, type);
      ExpectSameRun(text, numbers, z0 + " " + r + " " + x + " type " + std::to_string(type));
    }
  }
}

// Random doubles of every magnitude, each written as the shortest text that
// reads back to it.
TEST(ComputeRecordTest, NumbersAgreeWithTheirShortestTexts) {
  std::mt19937_64 random(19);
  std::uniform_real_distribution<double> exponent(-320, 308.2);
  std::bernoulli_distribution negative(0.3), plain(0.5);
  const auto draw = [&] {
    const double v = plain(random) ? std::uniform_real_distribution<double>(0, 200)(random)
                                   : std::pow(10.0, exponent(random));
    return negative(random) ? -v : v;
  };
  const auto shortest = [](double v) {
    char buf[40];
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
  };
  for (int i = 0; i < 20000; ++i) {
    const double z0 = draw(), r = draw(), x = draw();
    const auto type = static_cast<std::int16_t>(1 + i % 8);
    const ComputeRecord text = ComputeTexts(shortest(z0), shortest(r), shortest(x), type);
    const ComputeRecord numbers = ComputeNumbers({z0, r, x}, type);
    ExpectSameRun(text, numbers, shortest(z0) + " " + shortest(r) + " " + shortest(x));
  }
}

// How much of a text the conversion read.
TEST(ComputeRecordTest, ConversionTellsWhatItRead) {
  const std::pair<const char*, std::size_t> cases[] = {
      {"12,5", 2}, {"50 ohm", 3}, {"2.2u", 3}, {"abc", 0}, {"1E", 1}, {"&H1Fz", 4}, {"", 0}};
  for (const auto& [text, used] : cases) {
    std::size_t n = 99;
    Val(text, n);
    EXPECT_EQ(n, used) << text;
  }
}

}  // namespace
}  // namespace vorda
