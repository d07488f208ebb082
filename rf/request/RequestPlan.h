// What the designs of a request are computed with, made once from it: the
// load across frequency, the source, the response's frequencies, the
// options of a design at the design frequency, and with a band the band
// search's request, the band's frequencies and the load's limit over it.
// The designs at the frequency, the band search, its rows and a given or
// tuned row all take them from here.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "rf/request/DesignRequest.h"
#include "rf/synthesis/BandSearch.h"
#include "rf/synthesis/Design.h"

namespace vorda::rf {

class RequestPlan {
 public:
  // The request must have passed CheckRequest.
  explicit RequestPlan(DesignRequest request);
  RequestPlan(const RequestPlan&) = delete;
  RequestPlan& operator=(const RequestPlan&) = delete;

  const DesignRequest request;
  const RequestLoad load;
  const Source source;
  // The parts as the designs take them: with a library and no model of the
  // request's own, the parasitics of the library's package stand for its
  // parts while values are searched (the chosen parts are their measured
  // selves).
  const PartsChoice parts;
  const std::vector<double> sweep;  // the response's frequencies
  const DesignOptions options;      // a design at the frequency, compensated
  const DesignOptions fixed;        // values found otherwise: as they are
  // The load in its other states.
  const std::vector<MeasuredLoad> states;
  // With a band: the band search's request, where the first band is
  // evaluated (even points and the measured ones inside it) and the load's
  // limit there; where every band and state is, with their goals; and the
  // points a build's yield is judged over (every goal, a band without one
  // held to the goal VSWR; up to kYieldPoints of each band).
  const std::optional<BandRequest> band;
  const std::vector<double> band_frequencies;
  const BandLimit limit;
  const BandLayout layout;
  const GoalPoints yield_goals;
};

inline constexpr std::size_t kYieldPoints = 201;

std::shared_ptr<const RequestPlan> PlanOf(const DesignRequest& request);

}  // namespace vorda::rf
