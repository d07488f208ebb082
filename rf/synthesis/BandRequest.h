// What a search over frequency is asked: its bands, reject bands and load
// states with what it makes best (rf/synthesis/BandGoals.h), the source,
// the parts, the family of networks and how hard to look.
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include "rf/circuit/FrequencyAxis.h"
#include "rf/circuit/Load.h"
#include "rf/circuit/Match.h"
#include "rf/circuit/PartsChoice.h"
#include "rf/synthesis/BandGoals.h"
#include "rf/synthesis/Ladders.h"

namespace vorda::rf {

// The points the search is guided by, of the band's; up to kFinePoints of
// them decide, and all of them are checked.
inline constexpr std::size_t kCoarsePoints = 33;
// The designs of parts with lines polished over every point at the end.
inline constexpr std::size_t kPolished = 10;
inline constexpr std::size_t kFinePoints = 2001;
// A part whose removal costs less than this of the worst margin is taken
// out of a design found.
inline constexpr double kNegligibleDb = 0.05;
// Designs within this of each other rank by their parts, fewer first.
inline constexpr double kTieDb = 0.01;

struct BandRequest {
  // The bands, each evaluated evenly from start to stop (equal: one
  // frequency), with their goals; at least one.
  std::vector<PassBand> bands;
  std::vector<RejectBand> rejects;
  // The load in each of its states (a measurement's frequencies in a band
  // count too); at least one.
  std::vector<LoadState> states;
  // What a band without a goal of its own makes best: the return loss, or
  // the transducer gain (with a radiation efficiency, the total one).
  BandFigure figure = BandFigure::kReturnLoss;
  const EfficiencyCurve* radiation = nullptr;
  double centre = 0.0;  // where the analytic designs start from
  Source source{50.0};
  double z0 = 50.0;                // what a part too small or large to matter is measured against
  PartsChoice parts;               // standard values, losses, parasitics and the values' range
  std::optional<double> loaded_q;  // of Pi and T starts; none: a few are tried
  std::optional<double> intermediate;         // of two L-sections' starts; none: the geometric mean
  int max_parts = kDefaultMaxParts;           // the largest ladders searched (2 to 6)
  Elements elements = Elements::kLumped;      // with lines, ladders of lines and stubs too
  double line_z0 = 0.0;                       // their impedance; 0: z0
  int threads = 0;                            // 0: as many as the machine has, at most 4
  const std::atomic<bool>* cancel = nullptr;  // set: stop as soon as may be
  // Told, from the searching threads one at a time, how many ladders are done.
  std::function<void(std::size_t done, std::size_t total)> progress;

  // The first band and the first state: a search of one band has no other.
  const FrequencyAxis& Axis() const { return bands.front().axis; }
  const LoadModel& Load() const { return *states.front().load; }
  // Whether the search asks for the worst return loss of one band of one
  // load alone, as it always could: its figures are those of that band.
  bool Plain() const {
    return Single() && figure == BandFigure::kReturnLoss && radiation == nullptr;
  }
  // Whether it has one band of one load, with no goal and nothing to
  // reject: the figures of that band are all there is to tell.
  bool Single() const {
    return bands.size() == 1 && states.size() == 1 && rejects.empty() && !bands.front().goal;
  }
  // The lowest and highest frequency of every band.
  double Lowest() const;
  double Highest() const;
};

// A request of one band and one load, as a single-band search takes them.
BandRequest OneBand(const FrequencyAxis& axis, const LoadModel& load,
                    std::vector<double> measured = {});

}  // namespace vorda::rf
