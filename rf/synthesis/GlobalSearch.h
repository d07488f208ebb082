// A deterministic global search for the values of one ladder that make its
// worst reflection over a band least: many starts (the analytic designs and
// points spread evenly through the space of the values' logarithms), the
// best of them refined by a downhill simplex on a smooth stand-in for the
// worst and then on the worst itself, first over a coarse set of the band's
// points and at the end over all of them. Plain arithmetic only: the same
// input gives the same bits on every platform.
#pragma once

#include <atomic>
#include <functional>
#include <vector>

#include "rf/synthesis/BandObjective.h"

namespace vorda::rf {

// Where the values' decimal logarithms are searched, part by part: spread
// from lo to hi, and never beyond a decade outside them nor beyond least
// and most (the values parts are proposed in).
struct SearchBox {
  std::vector<double> lo, hi;
  std::vector<double> least, most;
};

struct SearchResult {
  std::vector<double> u;  // the values' decimal logarithms
  double worst = 0.0;     // the worst |gamma|^2 over the full set of points
  long evaluations = 0;
};

// The objective's arguments that count as out of bounds: more than a
// decade beyond the box.
using Objective = std::function<double(const double*)>;

// A downhill simplex (Nelder-Mead) from u with steps of `step` decades;
// never worse than u; stops after `most` evaluations, when the simplex is
// smaller than a hundred-millionth of a decade, or when cancelled.
std::vector<double> Simplex(const Objective& f, std::vector<double> u, double step, int most,
                            const std::atomic<bool>* cancel, long& evaluations);

// How hard a search tries: how many of its best starts it refines, how many
// evaluations a refinement may take for each value, whether the best is
// refined over the full set of points at the end, and how many points it
// spreads through the box for each value.
struct SearchEffort {
  std::size_t refined = 3;
  int per_value = 120;
  bool polish = true;
  int spread_per_value = 8;  // points spread through the box, besides 8
};

// The search: `coarse` guides it, `full` decides; `starts` are tried
// besides the spread ones, and those marked `always` are refined whatever
// they start at, with the best of the others.
SearchResult GlobalSearch(const BandObjective& coarse, const BandObjective& full,
                          const SearchBox& box, const std::vector<std::vector<double>>& starts,
                          const std::vector<std::vector<double>>& always,
                          const std::atomic<bool>* cancel, const SearchEffort& effort = {});

// A local refinement of values over the full set of points.
SearchResult Refine(const BandObjective& full, const SearchBox& box, std::vector<double> u,
                    double step, const std::atomic<bool>* cancel);

}  // namespace vorda::rf
