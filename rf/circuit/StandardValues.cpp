#include "rf/circuit/StandardValues.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>

#include "engine/PortableMath.h"

namespace vorda::rf {

namespace {

// E6, E12 and E24 are the historical values, not a formula.
constexpr int kE6[] = {100, 150, 220, 330, 470, 680};
constexpr int kE12[] = {100, 120, 150, 180, 220, 270, 330, 390, 470, 560, 680, 820};
constexpr int kE24[] = {100, 110, 120, 130, 150, 160, 180, 200, 220, 240, 270, 300,
                        330, 360, 390, 430, 470, 510, 560, 620, 680, 750, 820, 910};
// E48 to E192: 10^(i/n) to three digits, except 920 in E192 where the
// formula gives 919: the standard lists 9.20.
constexpr int kE48[] = {
    100, 105, 110, 115, 121, 127, 133, 140, 147, 154, 162, 169, 178, 187, 196, 205,
    215, 226, 237, 249, 261, 274, 287, 301, 316, 332, 348, 365, 383, 402, 422, 442,
    464, 487, 511, 536, 562, 590, 619, 649, 681, 715, 750, 787, 825, 866, 909, 953,
};
constexpr int kE96[] = {
    100, 102, 105, 107, 110, 113, 115, 118, 121, 124, 127, 130, 133, 137, 140, 143,
    147, 150, 154, 158, 162, 165, 169, 174, 178, 182, 187, 191, 196, 200, 205, 210,
    215, 221, 226, 232, 237, 243, 249, 255, 261, 267, 274, 280, 287, 294, 301, 309,
    316, 324, 332, 340, 348, 357, 365, 374, 383, 392, 402, 412, 422, 432, 442, 453,
    464, 475, 487, 499, 511, 523, 536, 549, 562, 576, 590, 604, 619, 634, 649, 665,
    681, 698, 715, 732, 750, 768, 787, 806, 825, 845, 866, 887, 909, 931, 953, 976,
};
constexpr int kE192[] = {
    100, 101, 102, 104, 105, 106, 107, 109, 110, 111, 113, 114, 115, 117, 118, 120, 121, 123,
    124, 126, 127, 129, 130, 132, 133, 135, 137, 138, 140, 142, 143, 145, 147, 149, 150, 152,
    154, 156, 158, 160, 162, 164, 165, 167, 169, 172, 174, 176, 178, 180, 182, 184, 187, 189,
    191, 193, 196, 198, 200, 203, 205, 208, 210, 213, 215, 218, 221, 223, 226, 229, 232, 234,
    237, 240, 243, 246, 249, 252, 255, 258, 261, 264, 267, 271, 274, 277, 280, 284, 287, 291,
    294, 298, 301, 305, 309, 312, 316, 320, 324, 328, 332, 336, 340, 344, 348, 352, 357, 361,
    365, 370, 374, 379, 383, 388, 392, 397, 402, 407, 412, 417, 422, 427, 432, 437, 442, 448,
    453, 459, 464, 470, 475, 481, 487, 493, 499, 505, 511, 517, 523, 530, 536, 542, 549, 556,
    562, 569, 576, 583, 590, 597, 604, 612, 619, 626, 634, 642, 649, 657, 665, 673, 681, 690,
    698, 706, 715, 723, 732, 741, 750, 759, 768, 777, 787, 796, 806, 816, 825, 835, 845, 856,
    866, 876, 887, 898, 909, 920, 931, 942, 953, 965, 976, 988,
};

struct SeriesEntry {
  // cppcheck-suppress unusedStructMember ; ParseSeries returns it
  ESeries series;
  const char* name;
  std::span<const int> decade;
};
constexpr std::array<SeriesEntry, 6> kSeries = {{
    {ESeries::kE6, "E6", kE6},
    {ESeries::kE12, "E12", kE12},
    {ESeries::kE24, "E24", kE24},
    {ESeries::kE48, "E48", kE48},
    {ESeries::kE96, "E96", kE96},
    {ESeries::kE192, "E192", kE192},
}};

const SeriesEntry& Entry(ESeries series) {
  return kSeries[static_cast<std::size_t>(series)];
}

// hundredths x 10^(exponent - 2), the double nearest to that decimal value.
double Member(int hundredths, int exponent) {
  const std::string text = std::to_string(hundredths) + "e" + std::to_string(exponent - 2);
  double value = 0.0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

}  // namespace

std::optional<ESeries> ParseSeries(std::string_view text) {
  const auto it = std::find_if(kSeries.begin(), kSeries.end(),
                               [text](const SeriesEntry& e) { return text == e.name; });
  if (it == kSeries.end()) return std::nullopt;
  return it->series;
}

const char* SeriesName(ESeries series) {
  return Entry(series).name;
}

std::span<const int> Decade(ESeries series) {
  return Entry(series).decade;
}

std::optional<Neighbours> StandardNeighbours(double value, ESeries series) {
  // Within the decades a double holds members of, with a decade to spare.
  if (!(value >= 1e-300 && value <= 1e300)) return std::nullopt;
  const std::span<const int> decade = Decade(series);
  // The decade's exponent: value = m x 10^exponent with 1 <= m < 10, checked
  // against the members themselves so that rounding in log10 cannot misplace
  // a value at a decade boundary.
  int exponent = static_cast<int>(std::floor(portable::Log10(value)));
  if (Member(decade.front(), exponent) > value * (1 + 1e-12)) --exponent;
  if (Member(decade.front(), exponent + 1) <= value * (1 + 1e-12)) ++exponent;
  double below = Member(decade.front(), exponent);
  for (const int m : decade) {
    const double member = Member(m, exponent);
    if (std::fabs(member - value) <= 1e-12 * value) return Neighbours{member, member};
    if (member > value) return Neighbours{below, member};
    below = member;
  }
  const double next = Member(decade.front(), exponent + 1);
  if (std::fabs(next - value) <= 1e-12 * value) return Neighbours{next, next};
  return Neighbours{below, next};
}

}  // namespace vorda::rf
