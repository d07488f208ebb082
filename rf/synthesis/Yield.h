// What tolerances do to a design: builds whose parts are drawn at random
// within their tolerances (a fixed seed, so that a run repeats to the bit
// on every platform), the corners where every part is at one end of its
// range, the share of builds that meet a goal, the spread of the return
// loss, and the part the yield depends on most.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rf/circuit/Load.h"
#include "rf/circuit/Network.h"
#include "rf/circuit/PartLibrary.h"
#include "rf/synthesis/BandObjective.h"

namespace vorda::rf {

// Each part's value is drawn evenly from nominal (1 - t) to nominal (1 + t).
struct Tolerance {
  double inductor = 0.0;      // a share: 0.05 for 5 %
  double capacitor = 0.0;     //
  bool from_library = false;  // a library part's own tolerance instead
  double line = 0.0;          // of a line's length (its degrees)
  bool operator==(const Tolerance&) const = default;
};

// "5%" (every inductor and capacitor), "L=2%,C=5%,T=1%" (by kind, T for
// the lines' lengths; a kind left out is exact), "library" (each library
// part's own); a share ("0.05") reads as well.
// Nothing, with why, for another text or a tolerance of 100 % or more.
struct ReadToleranceResult {
  std::optional<Tolerance> tolerance;
  std::string error;
};
ReadToleranceResult ReadTolerance(std::string_view text);
// The text ReadTolerance reads back: "5%", "L=2%,C=5%", "library".
std::string ToleranceText(const Tolerance& tolerance);

inline constexpr int kDefaultBuilds = 1000;
inline constexpr int kMostBuilds = 1000000;

struct YieldRequest {
  Tolerance tolerance;
  int builds = kDefaultBuilds;
  std::uint64_t seed = 1;
  double goal_vswr = 2.0;  // a build meets the goal with a VSWR at most this
  // Each part's tolerance when the library gives them (from_library), in
  // the network's order; 0 for a part that has none.
  std::vector<double> part_tolerances;
};

struct YieldFigures {
  double yield = 0.0;  // the share of the builds that meet the goal
  // The yield's sampling noise: its standard error, sqrt(p (1 - p) / (n + 4))
  // with p = (met + 2) / (n + 4) for n builds (Agresti and Coull).
  double noise = 0.0;
  double corners_yield = 0.0;  // the share of the corners that do
  // The return loss (at f, or the worst over the band) of the builds: the
  // 5th percentile (the worst of the best 95 %), the median and the 95th;
  // empty where it is perfect.
  std::optional<double> low_db, median_db, high_db;
  std::optional<double> worst_corner_db;  // the corners' worst
  // The part (from 1, source side first) whose exact value would rescue
  // the most builds that miss the goal, and the share of all builds it
  // rescues; 0 when none would.
  int most_sensitive = 0;
  double sensitive_gain = 0.0;
  std::vector<double> worst_gamma;  // each build's worst |gamma|, in order
};

// The figures of a network as built (its parts with their losses and
// parasitics) over the given frequencies: the design frequency alone, or a
// band's points.
YieldFigures YieldOf(const Network& built, const LoadModel& load, const Source& source,
                     const std::vector<double>& frequencies, const YieldRequest& request);
// The same where a build must meet every goal of its points (several
// bands, load states, reject bands: rf/synthesis/BandGoals.h): no point's
// figure above 1; the return loss spread is that over the pass points.
YieldFigures YieldOf(const Network& built, const std::vector<BandPoint>& goals,
                     const YieldRequest& request);

// The return loss at each frequency of a sweep between which 90 % of the
// builds lie: the 5th and the 95th percentile (empty: perfect).
struct Envelope {
  std::vector<std::optional<double>> low_db, high_db;
};
Envelope EnvelopeOf(const Network& built, const LoadModel& load, const Source& source,
                    const std::vector<double>& frequencies, const YieldRequest& request);

// Each part's tolerance, in the network's order, for a request.
std::vector<double> PartTolerances(const Network& built, const YieldRequest& request);

// The request with each library part's own tolerance, when it asks for
// them (from_library), in the network's order.
YieldRequest WithPartTolerances(YieldRequest y, const Network& built, const PartLibrary* library);

// How many of the request's builds meet every goal of the points (no
// figure above 1), and a score that grows as well with how near the builds
// that miss come to it: what a search for the nominal values follows.
struct BuildScore {
  std::size_t met = 0;
  double score = 0.0;
};
BuildScore ScoreBuilds(const Network& built, const std::vector<BandPoint>& goals,
                       const YieldRequest& request);

}  // namespace vorda::rf
