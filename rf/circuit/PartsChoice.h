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

// The values a part of a kind is proposed in.
struct ValueRange {
  double low = 0.0;
  double high = 0.0;
  bool Holds(double value) const { return value >= low && value <= high; }
  bool operator==(const ValueRange&) const = default;
};
// Ideal parts, unless the user widens them: what is made and sold.
inline constexpr ValueRange kInductorRange{0.5e-9, 1.0};
inline constexpr ValueRange kCapacitorRange{0.1e-12, 1.0};

struct PartsChoice {
  std::optional<ESeries> series;               // standard values from a series
  std::shared_ptr<const PartLibrary> library;  // or from a library of measured parts
  std::optional<double> q_inductor;            // none: ideal
  std::optional<double> q_capacitor;
  PartModel model;                        // the parasitics of the parts as built
  ValueRange inductors = kInductorRange;  // the values searched and proposed
  ValueRange capacitors = kCapacitorRange;

  bool Lossy() const { return q_inductor || q_capacitor; }
  // Whether the parts are more than their values and Q: parasitics, or
  // measured parts.
  bool Real() const { return !model.Ideal() || library != nullptr; }
  // Whether a part's figures differ from its reactance's: a finite Q,
  // parasitics or measured parts. The power they take is then what counts.
  bool Dissipates() const { return Lossy() || Real(); }
  bool operator==(const PartsChoice&) const = default;
};

// The range a part of a kind is proposed in: the choice's own for ideal
// values; of a series its members within it; of a library what it holds
// (empty, low above high, when it holds none of the kind).
ValueRange RangeFor(const PartsChoice& parts, Part::Kind kind);
// The same for parts used up to a frequency: an inductor or a capacitor
// below its self-resonance there, as what it is sold as (empty when every
// part of the kind resonates below it).
ValueRange RangeAt(const PartsChoice& parts, Part::Kind kind, double hertz);

// The network with the quality factors and parasitics of a choice (a
// measured part keeps its data).
Network WithLosses(Network network, const PartsChoice& parts);
// The same with the parasitics only, lossless.
Network WithParasitics(Network network, const PartModel& model);

}  // namespace vorda::rf
