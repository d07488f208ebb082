// From the two reactances of a computed section to parts at a frequency:
// standard values, losses, the VSWR <= 2 band and the frequency response.
#pragma once

#include <cmath>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "engine/Compute.h"
#include "engine/SectionTypes.h"
#include "rf/circuit/Bandwidth.h"
#include "rf/circuit/Harmonics.h"
#include "rf/circuit/Load.h"
#include "rf/circuit/Network.h"
#include "rf/circuit/PartLibrary.h"
#include "rf/circuit/Parts.h"
#include "rf/circuit/PartsChoice.h"
#include "rf/circuit/StandardValues.h"
#include "rf/synthesis/Why.h"

namespace vorda::rf {

struct DesignOptions {
  double hertz = 0.0;  // the design frequency
  // Standard values chosen from a series or a library when one is given;
  // the losses reported when a quality factor is given.
  PartsChoice parts;
  bool bandwidth = false;          // search the VSWR <= 2 band
  BandLimits band_limits;          // where; f / 100 ... 100 f when not set
  std::vector<double> band_visit;  // frequencies the band search must evaluate
  std::vector<double> sweep;       // frequencies of the response; none: no sweep
  // With parasitics or a library, find the values that match at f with
  // them, from the ideal ones (a network designed at f); off for values
  // that were found otherwise (over a band, or given).
  bool compensate = true;
};

// What the losses cost at the design frequency.
struct LossFigures {
  double efficiency = 1.0;
  double dissipation_db = 0.0;  // -10 log10(efficiency)
};

// Return loss and VSWR at each frequency of a sweep (empty where the match
// is perfect, and where the VSWR is infinite).
struct Response {
  std::vector<std::optional<double>> return_loss_db;
  std::vector<std::optional<double>> vswr;
  // -10 log10 of the transducer gain (|S21|^2); empty where no power passes.
  std::vector<std::optional<double>> insertion_loss_db;
  bool finite = true;  // every point's figures are numbers
};

// A network designed at a frequency: its ideal values, the standard ones,
// the parts as built (the chosen values with their losses), and what they
// do at the frequency and across the sweep.
struct NetworkDesign {
  Network ideal;  // the computed values, lossless (with parasitics: compensated for them)
  std::optional<Network> uncompensated;  // with parasitics: the ideal parts' values
  std::optional<Network> standard;       // with a series: the chosen values, lossless
  // Why a series or a library gave no standard values: none is sold that
  // would do, or the library does not reach the frequency.
  Why no_standard;
  std::optional<Match> standard_match;  // of the standard parts at the design frequency
  Network built;                        // standard (or ideal) values with the losses
  Match match;                          // of the parts as built at the design frequency
  std::optional<LossFigures> loss;      // with a Q: efficiency and dissipation
  std::optional<Band> band;             // the VSWR <= 2 band around the frequency
  std::optional<Response> response;     // of the parts as built over the sweep
  Harmonics harmonics;                  // of the parts as built

  // The values chosen: standard with a series, ideal otherwise; lossless.
  const Network& Chosen() const { return standard ? *standard : ideal; }
};

// The L-section of a type whose parts have the given reactances (ohms) at
// f: a part too small or too large to matter against z0 is a short or an
// open.
Network SectionAt(const SectionType& type, double first_ohms, double second_ohms, double z0,
                  double hertz);

// Of the sets of standard values next to the ideal ones, the set with the
// best return loss at f with lossless parts; on a tie the lower values. A
// short or an open stays as it is.
Network ChooseStandard(const Network& ideal, ESeries series, const LoadModel& load,
                       const Source& source, double hertz);
// The same from a library's parts measured at f, each a library part with
// its data; nothing when a part has no neighbour there.
std::optional<Network> ChooseFromLibrary(const Network& ideal, const PartLibrary& library,
                                         const LoadModel& load, const Source& source, double hertz);

// The values, from the given ones, that match best at f with the parts'
// parasitics (lossless): what an ideal design becomes with real parts.
// Values of parts past their self-resonance there, or outside the range
// parts are sold in, are not taken.
Network Compensate(const Network& ideal, const PartsChoice& parts, const LoadModel& load,
                   const Source& source, double hertz);

// Why a network's parts, as chosen (lossless), are not what is sold: a
// value outside the range, or a part past its self-resonance at the
// frequency with the choice's parasitics; nothing when they are.
Why Unsold(const Network& chosen, const PartsChoice& parts, double hertz);

// Everything the options ask for about a network whose ideal parts are
// given, matched to a source. With a series the standard values are chosen
// next to the ideal ones, unless they are given (a design found over a band
// chose its own).
NetworkDesign DesignNetwork(const Network& ideal, const LoadModel& load, const Source& source,
                            const DesignOptions& options,
                            const std::optional<Network>& standard = std::nullopt);

// The same for one computed type, from a resistance z0.
NetworkDesign DesignType(const SectionType& type, double first_ohms, double second_ohms,
                         const LoadModel& load, double z0, const DesignOptions& options);

// The same for a type the engine computed, from its reactances in ohms.
NetworkDesign DesignComputed(std::int16_t type_index, const ComputeRun& run, const LoadModel& load,
                             const DesignOptions& options);

// The parts that act as the other kind at f, past their self-resonance:
// "part 2 (capacitor) is inductive at 2.4 GHz, past its self-resonance at
// 1.6 GHz"; nothing when every part is what it is.
std::optional<std::string> ReversedParts(const Network& built, double hertz);

// Why a design gives no figures to trust: a network that cannot pass power,
// or a figure that is not a number. Nothing when every figure is one.
Why NotComputable(const NetworkDesign& design, double hertz);
// Why a network cannot pass power as drawn; nothing when it can.
Why BrokenWhy(const Network& network);

// The figures of a network and load at every frequency.
Response ResponseOf(const Network& network, const LoadModel& load, const Source& source,
                    const std::vector<double>& frequencies);

// The return loss of the load alone at every frequency (empty where it is
// a perfect match).
std::vector<std::optional<double>> BareReturnLoss(const LoadModel& load, const Source& source,
                                                  const std::vector<double>& frequencies);

}  // namespace vorda::rf
