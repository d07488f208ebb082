// The frequencies a response, a band or a file is evaluated at: evenly
// spaced from a start to a stop, or a measurement's own frequencies; and
// the one reader of the ranges people type for them ("13M:15M").
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorda::rf {

// Points across a sweep or a band when none are asked for.
inline constexpr std::size_t kDefaultPoints = 201;
// The most points a sweep and a band may have.
inline constexpr std::size_t kMaxSweepPoints = 1'000'000;
inline constexpr std::size_t kMaxBandPoints = 100'000;

// n >= 2 frequencies evenly spaced from start to stop, both included.
inline std::vector<double> LinearFrequencies(double start, double stop, std::size_t n) {
  std::vector<double> f(n);
  for (std::size_t i = 0; i < n; ++i) {
    f[i] = start + (stop - start) * static_cast<double>(i) / static_cast<double>(n - 1);
  }
  f[n - 1] = stop;
  return f;
}

struct FrequencyAxis {
  double start = 0.0;  // hertz
  double stop = 0.0;   // equal to start: that one frequency
  std::size_t points = kDefaultPoints;
  std::vector<double> own;  // not empty: these frequencies (a file's own), ascending

  static FrequencyAxis Linear(double start, double stop, std::size_t points = kDefaultPoints) {
    return {start, stop, points, {}};
  }
  static FrequencyAxis Of(std::vector<double> frequencies) {
    FrequencyAxis a;
    if (!frequencies.empty()) {
      a.start = frequencies.front();
      a.stop = frequencies.back();
    }
    a.points = frequencies.size();
    a.own = std::move(frequencies);
    return a;
  }
  std::vector<double> Frequencies() const {
    if (!own.empty()) return own;
    if (!(stop > start) || points < 2) return {start};
    return LinearFrequencies(start, stop, points);
  }
  bool operator==(const FrequencyAxis&) const = default;
};

// A range typed as START:STOP (or START to STOP), each a frequency that
// ReadFrequency reads within 1 Hz to 1 THz, with :N points after it when
// max_points is above zero (from 2 to max_points). `single` allows START =
// STOP (a band of one frequency); otherwise START must lie below STOP.
struct ReadAxis {
  std::optional<FrequencyAxis> axis;
  std::string error;  // when there is none: what is wrong
};
ReadAxis ReadRange(std::string_view text, std::size_t max_points, bool single);

// A count of points from 2 to max_points, or why the text is not one.
struct ReadCount {
  std::optional<std::size_t> count;
  std::string error;
};
ReadCount ReadPointCount(std::string_view text, std::size_t max_points);

// "14 MHz to 14.35 MHz".
std::string RangeText(double first, double last);

}  // namespace vorda::rf
