// An antenna's radiation efficiency over frequency: the share of the power
// it takes that it radiates. With it, the transducer gain of a match
// becomes the antenna's total efficiency.
#pragma once

#include <algorithm>
#include <utility>
#include <vector>

namespace vorda::rf {

// A share from 0 to 1 at ascending frequencies, interpolated linearly
// between them; known from the first to the last.
struct EfficiencyCurve {
  std::vector<std::pair<double, double>> points;

  bool Covers(double hertz) const {
    return !points.empty() && hertz >= points.front().first && hertz <= points.back().first;
  }
  double At(double hertz) const {
    const auto after = std::lower_bound(points.begin(), points.end(), hertz,
                                        [](const auto& p, double f) { return p.first < f; });
    if (after == points.begin()) return points.front().second;
    if (after == points.end()) return points.back().second;
    const auto before = after - 1;
    const double t = (hertz - before->first) / (after->first - before->first);
    return before->second + t * (after->second - before->second);
  }
};

}  // namespace vorda::rf
