// One fixed network that works over a whole band: for every topology the
// element values that make the worst reflection across the band least,
// from the analytic design at the centre, by a deterministic local search;
// then standard values and the parts' losses; ranked, with the Bode-Fano
// limit for the load when it has one.
#pragma once

#include <atomic>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "rf/circuit/BodeFano.h"
#include "rf/circuit/FrequencyAxis.h"
#include "rf/circuit/Harmonics.h"
#include "rf/circuit/Load.h"
#include "rf/circuit/Network.h"
#include "rf/circuit/StandardValues.h"
#include "rf/synthesis/Topology.h"

namespace vorda::rf {

struct BandRequest {
  FrequencyAxis axis;   // evaluated evenly from start to stop (equal: one frequency)
  double centre = 0.0;  // where the analytic designs start from
  Source source{50.0};
  double z0 = 50.0;  // what a part too small or large to matter is measured against
  const LoadModel* load = nullptr;
  std::vector<double> measured;   // a measurement's frequencies: those in the band count too
  double known_up_to = HUGE_VAL;  // where the load model ends (harmonics)
  std::optional<ESeries> series;
  std::optional<double> q_inductor;
  std::optional<double> q_capacitor;
  std::optional<double> loaded_q;      // of Pi and T; none: a few are tried
  std::optional<double> intermediate;  // between two L-sections; none: the geometric mean
  std::vector<NetworkKind> kinds = AllKinds();
  const std::atomic<bool>* cancel = nullptr;  // set: stop as soon as may be
};

// How a network with its parts as built does across the band.
struct BandFigures {
  std::optional<double> worst_return_loss_db;  // empty: perfect everywhere
  std::optional<double> mean_return_loss_db;   // of the mean |gamma|; empty: perfect
  double vswr2_coverage = 0.0;                 // the share of the even points with VSWR <= 2
  double dissipation_low_db = 0.0;             // at the band's edges and centre
  double dissipation_centre_db = 0.0;
  double dissipation_high_db = 0.0;
  double worst_gamma = 0.0;
};

struct BandDesign {
  NetworkKind kind;
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
  bool cancelled = false;
  long evaluations = 0;  // of the worst reflection over the band
};

BandResult OptimizeBand(const BandRequest& request);

// The figures of a network over the band's frequencies.
BandFigures FiguresOf(const Network& network, const BandRequest& request,
                      const std::vector<double>& frequencies);

}  // namespace vorda::rf
