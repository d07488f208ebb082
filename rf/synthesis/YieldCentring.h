// Nominal values chosen for yield: a design's parts moved so that more of
// the builds within their tolerances meet every goal, on the builds the
// yield request draws (the same seed: the same builds for every choice of
// values, so that two choices are told apart by the values alone). Ideal
// values move in steps of a share of each part's tolerance; standard ones
// to the series' or the library's next value either way. The search
// follows the builds over the goals' guiding points and keeps what it
// found only where more builds meet the goals over all of them.
#pragma once

#include <optional>
#include <vector>

#include "rf/circuit/Network.h"
#include "rf/circuit/PartsChoice.h"
#include "rf/synthesis/BandObjective.h"
#include "rf/synthesis/Yield.h"

namespace vorda::rf {

// The designs centred for yield, of those found over the band.
inline constexpr std::size_t kCentred = 10;

struct CentringRequest {
  PartsChoice parts;  // how a network is built, and its standard values
  YieldRequest yield;
  std::vector<BandPoint> coarse;  // the goals' points that guide the search
  std::vector<BandPoint> full;    // and those that decide it
};

struct Centred {
  Network ideal;
  std::optional<Network> standard;
  double from = 0.0;  // the yield over the full points before, and after
  double to = 0.0;
  long evaluations = 0;  // of every build over the guiding points
};

// The design with its values centred (its standard ones, when it has
// them); never fewer builds meeting the goals than with the values given.
Centred CentreForYield(const Network& ideal, const std::optional<Network>& standard,
                       const CentringRequest& request);

}  // namespace vorda::rf
