// How a network does across the bands of a request: the figures of a band
// (its worst and mean return loss, its VSWR-2 coverage, dissipation and
// insertion loss, how far from the Bode-Fano limit), those of a band to
// reject, and with several bands, states or goals the figures of each and
// the worst margin to the goals.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "rf/circuit/BodeFano.h"
#include "rf/circuit/Network.h"
#include "rf/synthesis/BandGoals.h"
#include "rf/synthesis/BandRequest.h"

namespace vorda::rf {

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
  // How far the worst return loss stays from the Bode-Fano limit, dB; and
  // what the limit says of the network: a distance, nothing (no limit for
  // the load, or a network with losses, which the limit does not bound),
  // or that it does not bind (above kUnboundLimitDb: beyond any network).
  std::optional<double> below_limit_db;
  enum class LimitUse { kNone, kDistance, kLossy, kUnbound } limit_use = LimitUse::kNone;
  double limit_db = 0.0;  // the limit, when there is one
  double worst_gamma = 0.0;
  // With a radiation efficiency: the least total efficiency, (1 - |gamma|^2)
  // times the network's times the antenna's.
  std::optional<double> worst_total_efficiency;
};

// A Bode-Fano limit above this binds no network of a few parts.
inline constexpr double kUnboundLimitDb = 60.0;

// Whether a network takes no power: no finite Q, no measured part, no
// lossy line (parasitics are reactances, and lossless).
bool Lossless(const Network& network);

// How a network does in a band it is to reject: the least attenuation over
// it (-10 log10 of the most transducer gain; empty where no power passes at
// all) and how far that is above the goal (empty: infinitely).
struct RejectFigures {
  std::optional<double> attenuation_db;
  std::optional<double> margin_db;
  bool met = false;
};

// The figures of every band and state when a search asks more than one
// band's return loss: each pass band in each state (in the order of the
// segments, with its own Bode-Fano limit) and its worst margin to its goal,
// each reject band's, and the worst margin of them all. A margin is empty
// where it is infinite: a perfect match, a band rejected entirely; or where
// it is none at all, no power reaching the load somewhere in a band
// (`blocked`).
struct GoalFigures {
  std::vector<BandFigures> bands;
  std::vector<std::optional<double>> margins_db;
  std::vector<bool> blocked;
  std::vector<RejectFigures> rejects;
  std::optional<double> worst_margin_db;
  bool worst_blocked = false;
  double worst_figure = 0.0;  // what the search makes least (10^(-margin / 10))
};

// Where a request's bands are evaluated, made once: every segment's points
// with their goals, and each pass segment's load limit.
struct BandLayout {
  GoalPoints goal;
  std::vector<std::optional<BodeFanoBound>> limits;  // each pass segment's
  std::vector<std::optional<LoadFit>> fits;
};
BandLayout LayoutOf(const BandRequest& request);

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

// The figures of a network over the first band's frequencies, in the first
// state, and how far below the limit, when there is one.
BandFigures FiguresOf(const Network& network, const BandRequest& request,
                      const std::vector<double>& frequencies,
                      const std::optional<BodeFanoBound>& limit = std::nullopt);

// A network's figures over every band and state of a request: those over
// all of them together (for a Single request, FiguresOf the band), the
// figures of each when it is not Single, and the worst figure the search
// takes over every point (the worst |gamma|^2 of a Plain one).
struct BandEvaluation {
  BandFigures figures;
  std::optional<GoalFigures> goals;
  double worst_figure = 0.0;
};
BandEvaluation EvaluateBands(const Network& network, const BandRequest& request,
                             const BandLayout& layout);

}  // namespace vorda::rf
