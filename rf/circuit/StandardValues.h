// The IEC 60063 preferred number series E6 to E192, for inductors and
// capacitors alike.
#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace vorda::rf {

enum class ESeries { kE6, kE12, kE24, kE48, kE96, kE192 };

// "E6" ... "E192"; nothing for another text.
std::optional<ESeries> ParseSeries(std::string_view text);
const char* SeriesName(ESeries series);

// The members of one decade in hundredths, ascending: E12 is 100, 120, 150,
// ... 820; E192 is 100, 101, 102, ... 988.
std::span<const int> Decade(ESeries series);

// The standard values just below and just above a positive value; both the
// same when the value is standard itself (to a relative 1e-12, so that a
// value computed as 4.7e-9 counts as the member 4.7e-9). Nothing for a value
// that is not a positive number from 1e-300 to 1e300.
struct Neighbours {
  double below;
  double above;
};
std::optional<Neighbours> StandardNeighbours(double value, ESeries series);

}  // namespace vorda::rf
