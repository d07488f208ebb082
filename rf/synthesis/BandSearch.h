// One fixed network that works over a whole band: every ladder of two up
// to max_parts parts (rf/synthesis/Ladders.h) searched globally for the
// values that make its worst reflection across the band least, with the
// parts' losses; parts that come to nothing (a short or an open) removed,
// each network that is left ranked once; standard values from a discrete
// search around the optimum; and the Bode-Fano limit of the load when it
// has one.
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "rf/circuit/BodeFano.h"
#include "rf/circuit/FrequencyAxis.h"
#include "rf/circuit/Harmonics.h"
#include "rf/circuit/Load.h"
#include "rf/circuit/Network.h"
#include "rf/circuit/PartLibrary.h"
#include "rf/circuit/PartsChoice.h"
#include "rf/circuit/StandardValues.h"
#include "rf/synthesis/Ladders.h"
#include "rf/synthesis/Topology.h"

namespace vorda::rf {

// The points the search is guided by, of the band's; up to kFinePoints of
// them decide, and all of them are checked.
inline constexpr std::size_t kCoarsePoints = 33;
// The designs of parts with lines polished over every point at the end.
inline constexpr std::size_t kPolished = 10;
inline constexpr std::size_t kFinePoints = 2001;

struct BandRequest {
  FrequencyAxis axis;   // evaluated evenly from start to stop (equal: one frequency)
  double centre = 0.0;  // where the analytic designs start from
  Source source{50.0};
  double z0 = 50.0;  // what a part too small or large to matter is measured against
  const LoadModel* load = nullptr;
  std::vector<double> measured;        // a measurement's frequencies: those in the band count too
  PartsChoice parts;                   // standard values, losses and parasitics
  std::optional<double> loaded_q;      // of Pi and T starts; none: a few are tried
  std::optional<double> intermediate;  // of two L-sections' starts; none: the geometric mean
  int max_parts = kDefaultMaxParts;    // the largest ladders searched (2 to 6)
  Elements elements = Elements::kLumped;      // with lines, ladders of lines and stubs too
  double line_z0 = 0.0;                       // their impedance; 0: z0
  int threads = 0;                            // 0: as many as the machine has, at most 4
  const std::atomic<bool>* cancel = nullptr;  // set: stop as soon as may be
  // Told, from the searching threads one at a time, how many ladders are done.
  std::function<void(std::size_t done, std::size_t total)> progress;
};

// How a network with its parts as built does across the band.
struct BandFigures {
  std::optional<double> worst_return_loss_db;  // empty: perfect everywhere
  std::optional<double> mean_return_loss_db;   // of the mean |gamma|; empty: perfect
  double vswr2_coverage = 0.0;                 // the share of the even points with VSWR <= 2
  double dissipation_low_db = 0.0;             // at the band's edges and centre
  double dissipation_centre_db = 0.0;
  double dissipation_high_db = 0.0;
  // -10 log10 of the least transducer gain over the band: mismatch and
  // dissipation together; empty where no power passes.
  std::optional<double> worst_insertion_loss_db;
  // How far the worst return loss stays from the Bode-Fano limit, dB.
  std::optional<double> below_limit_db;
  double worst_gamma = 0.0;
};

struct BandDesign {
  NetworkKind kind;                 // a named network, or a ladder by its parts
  Network ideal;                    // the values found, lossless
  std::optional<Network> standard;  // with a series: the best neighbours, lossless
  Network evaluated;                // standard (or ideal) values with the losses
  BandFigures figures;              // of `evaluated`
  BandFigures ideal_figures;        // of the ideal values with the same losses
  Harmonics harmonics;              // at the centre
  int parts = 0;                    // inductors and capacitors
};

struct BandResult {
  std::vector<double> frequencies;  // where the band was evaluated
  std::size_t measured_points = 0;  // of them, measured points inside the band
  std::vector<BandDesign> designs;  // best first: worst return loss, then fewer parts
  std::vector<std::pair<NetworkKind, std::string>> refused;  // kinds with no design, and why
  std::optional<LoadFit> fit;                                // the load's best circuit
  std::optional<BodeFanoBound> bode_fano;                    // when the fit allows one
  // The best worst return loss with each number of parts (1 up to the
  // most), how the match grows with the network.
  std::vector<std::pair<int, std::optional<double>>> best_by_parts;
  bool cancelled = false;
  long evaluations = 0;  // of the worst reflection over the band
};

BandResult OptimizeBand(const BandRequest& request);

// Where a band is evaluated: its even points and the measured points
// inside it, ascending; and how many of them were measured.
std::vector<double> BandFrequencies(const BandRequest& request,
                                    std::size_t* measured_points = nullptr);

// The load's best circuit over the band's even points, and its Bode-Fano
// limit when the circuit fits and the source is a resistance.
struct BandLimit {
  std::optional<LoadFit> fit;
  std::optional<BodeFanoBound> bode_fano;
};
BandLimit LimitOf(const BandRequest& request);

// The figures of a network over the band's frequencies, and how far below
// the limit, when there is one.
BandFigures FiguresOf(const Network& network, const BandRequest& request,
                      const std::vector<double>& frequencies,
                      const std::optional<BodeFanoBound>& limit = std::nullopt);

}  // namespace vorda::rf
