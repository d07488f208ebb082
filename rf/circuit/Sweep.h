// Frequencies of a sweep.
#pragma once

#include <cstddef>
#include <vector>

namespace vorda::rf {

// n >= 2 frequencies evenly spaced from start to stop, both included.
inline std::vector<double> LinearFrequencies(double start, double stop, std::size_t n) {
  std::vector<double> f(n);
  for (std::size_t i = 0; i < n; ++i) {
    f[i] = start + (stop - start) * static_cast<double>(i) / static_cast<double>(n - 1);
  }
  f[n - 1] = stop;
  return f;
}

}  // namespace vorda::rf
