// How a design's parts are chosen and built: standard values from an E
// series or from a library of measured parts, the quality factors of the
// inductors and capacitors, and their parasitics. One struct for every
// request that has parts: the design request, a design at one frequency
// and the band search.
#pragma once

#include <memory>
#include <optional>

#include "rf/circuit/Network.h"
#include "rf/circuit/PartLibrary.h"
#include "rf/circuit/Parts.h"
#include "rf/circuit/StandardValues.h"

namespace vorda::rf {

struct PartsChoice {
  std::optional<ESeries> series;               // standard values from a series
  std::shared_ptr<const PartLibrary> library;  // or from a library of measured parts
  std::optional<double> q_inductor;            // none: ideal
  std::optional<double> q_capacitor;
  PartModel model;  // the parasitics of the parts as built

  bool Lossy() const { return q_inductor || q_capacitor; }
  // Whether the parts are more than their values and Q: parasitics, or
  // measured parts.
  bool Real() const { return !model.Ideal() || library != nullptr; }
  bool operator==(const PartsChoice&) const = default;
};

// The network with the quality factors and parasitics of a choice (a
// measured part keeps its data).
Network WithLosses(Network network, const PartsChoice& parts);
// The same with the parasitics only, lossless.
Network WithParasitics(Network network, const PartModel& model);

}  // namespace vorda::rf
