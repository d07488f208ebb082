// One fixed network that works over whole bands: every ladder of two up
// to max_parts parts (rf/synthesis/Ladders.h) searched globally for the
// values that make its worst margin to the goals across every band and
// state of the load best (its worst reflection, when nothing else is
// asked), with the parts' losses; parts that come to nothing (a short or
// an open) removed, each network that is left ranked once; standard values
// from a discrete search around the optimum; parts whose removal costs
// less than kNegligibleDb taken out at the end; and the Bode-Fano limit of
// the load in each band when it has one.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "rf/circuit/BodeFano.h"
#include "rf/circuit/Harmonics.h"
#include "rf/circuit/Network.h"
#include "rf/synthesis/BandFigures.h"
#include "rf/synthesis/BandRequest.h"
#include "rf/synthesis/Topology.h"

namespace vorda::rf {

struct BandDesign {
  NetworkKind kind;                  // a named network, or a ladder by its parts
  Network ideal;                     // the values found, lossless
  std::optional<Network> standard;   // with a series: the best neighbours, lossless
  Network evaluated;                 // standard (or ideal) values with the losses
  BandFigures figures;               // of `evaluated`
  BandFigures ideal_figures;         // of the ideal values with the same losses
  std::optional<GoalFigures> goals;  // of `evaluated`, when the request is not Plain
  Harmonics harmonics;               // at the centre
  int parts = 0;                     // inductors and capacitors
  double worst = 0.0;                // the objective of `evaluated` over every point
  // From a library: whether every combination of its parts was tried (else
  // each part in turn, there being too many).
  bool every_combination = true;
};

struct BandResult {
  std::vector<double> frequencies;  // where the first band was evaluated
  std::size_t measured_points = 0;  // of them, measured points inside the band
  std::vector<Segment> segments;    // every band in every state, and the reject bands
  std::vector<std::optional<BodeFanoBound>> limits;  // each pass segment's
  std::vector<std::optional<LoadFit>> fits;
  std::vector<BandDesign> designs;  // best first: worst return loss, then fewer parts
  // Every network of the family by its code, and the code of the design it
  // came to (itself, or a smaller one where its other parts do nothing;
  // empty where it gave none).
  std::vector<std::pair<std::string, std::string>> family;
  std::vector<std::pair<NetworkKind, std::string>> refused;  // kinds with no design, and why
  std::optional<LoadFit> fit;              // the load's best circuit over the first band
  std::optional<BodeFanoBound> bode_fano;  // when the fit allows one
  // The best worst return loss with each number of parts (1 up to the
  // most), how the match grows with the network; for a request that is not
  // Plain the best worst margin (the transducer gain itself for one band
  // without a goal).
  std::vector<std::pair<int, std::optional<double>>> best_by_parts;
  bool cancelled = false;
  long evaluations = 0;  // of the worst reflection over the band
};

BandResult OptimizeBand(const BandRequest& request);

}  // namespace vorda::rf
