// One ladder's search over a band: where its values are looked for, the
// analytic designs and the smaller ladders' optima it starts from, the
// global search, the parts that come to nothing taken out, the check over
// every point of the band, and standard values around the optimum.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "rf/circuit/Network.h"
#include "rf/synthesis/BandObjective.h"
#include "rf/synthesis/BandSearch.h"
#include "rf/synthesis/LadderValues.h"

namespace vorda::rf {

// The band's points: a few that guide the search, up to kFinePoints that
// decide it, and all of them, checked at the end.
struct BandPoints {
  std::vector<BandPoint> coarse, fine, all;
};
BandPoints PointsOf(const BandLayout& layout);

// A ladder's values as found, lossless, and its worst |gamma|^2 with the
// losses.
struct Found {
  Network network;
  double worst = 0.0;
  long evaluations = 0;
  // With losses, the lossless optimum: its standard neighbours are tried
  // too, so that they are never beaten by rounding it.
  std::optional<Network> lossless;
};

// The best values of one ladder, from its analytic starts and `starts`
// (the values' decimal logarithms); with losses, never worse than the
// lossless optimum with the losses. Parts that come to nothing are taken
// out (the network found may be smaller), and the worst is that over every
// point of the band.
Found SearchLadder(const Network& shape, const BandRequest& request, const BandPoints& points,
                   const std::vector<std::vector<double>>& starts);

// Whether a network mixes parts with lines (searched more lightly, and its
// best designs polished over every point at the end: Polish).
bool Mixed(const Network& network);
void Polish(Found& found, const BandRequest& request, const BandPoints& points);

// Starts for a ladder from the optima of the ladders one part smaller
// (by their codes): each with the part it lacks put back at a value that
// changes little.
std::vector<std::vector<double>> StartsFromSmaller(const Network& shape,
                                                   const std::map<std::string, Network>& smaller,
                                                   const BandRequest& request);

// Standard values for a ladder found: of the neighbours of every part, the
// set with the least worst reflection with the losses; when it beats the
// values it came from, the search goes on from it. Nothing without a series
// or with a value no series holds; `found` may be improved.
// From a library: every combination of its parts where there are at most
// kEveryCombination, else each part in turn through the library (`every`
// says which).
inline constexpr double kEveryCombination = 4096;
std::optional<Network> FromLibrary(const Network& ideal, const BandRequest& request,
                                   const BandPoints& points, double& worst, bool& every);
std::optional<Network> StandardFor(Found& found, const BandRequest& request,
                                   const BandPoints& points, bool* every = nullptr);

}  // namespace vorda::rf
