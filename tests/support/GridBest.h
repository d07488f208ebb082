// An exhaustive search that judges the band search: the least worst figure
// of a ladder's objective on a grid of its values' decimal logarithms.
#pragma once

#include <algorithm>
#include <utility>
#include <vector>

#include "rf/synthesis/BandObjective.h"

namespace vorda::rf {

// The least worst |gamma|^2 of a ladder on a grid of its values' decimal
// logarithms: every point of a grid across [lo, hi] in each value, then,
// around the eight best points, finer grids four times over (within [lo,
// hi] when `within`: a line's length below zero is none).
inline double GridBest(const BandObjective& f, const std::vector<double>& lo,
                       const std::vector<double>& hi, int per_axis, bool within = false) {
  const std::size_t n = lo.size();
  std::vector<std::pair<double, std::vector<double>>> best;
  const auto visit = [&](const std::vector<double>& u) {
    for (std::size_t i = 0; within && i < n; ++i) {
      if (u[i] < lo[i] || u[i] > hi[i]) return;
    }
    best.emplace_back(f.Worst(u.data()), u);
    if (best.size() > 64) {
      std::sort(best.begin(), best.end());
      best.resize(8);
    }
  };
  const auto grid = [&](const std::vector<double>& from, double step, int count) {
    std::vector<int> k(n, 0);
    for (;;) {
      std::vector<double> u(n);
      for (std::size_t i = 0; i < n; ++i) u[i] = from[i] + step * k[i];
      visit(u);
      std::size_t i = 0;
      for (; i < n && ++k[i] == count; ++i) k[i] = 0;
      if (i == n) return;
    }
  };
  double step = (hi[0] - lo[0]) / (per_axis - 1);
  grid(lo, step, per_axis);
  for (int round = 0; round < 4; ++round) {
    std::sort(best.begin(), best.end());
    best.resize(std::min<std::size_t>(best.size(), 8));
    const auto centres = best;
    for (const auto& [value, u] : centres) {
      std::vector<double> from = u;
      for (double& v : from) v -= step;
      grid(from, step / 4, 9);
    }
    step /= 4;
  }
  std::sort(best.begin(), best.end());
  return best.front().first;
}

}  // namespace vorda::rf
