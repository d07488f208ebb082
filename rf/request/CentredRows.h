// With --best-by yield and tolerances: the best designs found over the band
// with their values centred for yield (rf/synthesis/YieldCentring.h), each
// searched on its own thread.
#pragma once

#include <optional>
#include <vector>

#include "rf/request/RequestPlan.h"
#include "rf/synthesis/BandSearch.h"
#include "rf/synthesis/YieldCentring.h"

namespace vorda::rf {

// For the first kCentred designs, in the search's order, the design
// centred; none where the request does not rank by yield.
std::vector<std::optional<Centred>> CentredDesigns(const BandResult& band, const RequestPlan& plan);

}  // namespace vorda::rf
