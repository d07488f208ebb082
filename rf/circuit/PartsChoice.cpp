#include "rf/circuit/PartsChoice.h"

#include <algorithm>
#include <cmath>

namespace vorda::rf {

namespace {

Network Built(Network n, double q_inductor, double q_capacitor, const PartModel& model) {
  for (Element& e : n.elements) {
    if (e.part.kind == Part::Kind::kInductor) e.part.q = q_inductor;
    if (e.part.kind == Part::Kind::kCapacitor) e.part.q = q_capacitor;
    if (e.part.IsReal()) e.part.model = model.For(e.part);
  }
  return n;
}

}  // namespace

ValueRange RangeFor(const PartsChoice& parts, Part::Kind kind) {
  const ValueRange own = kind == Part::Kind::kInductor ? parts.inductors : parts.capacitors;
  if (parts.library) {
    ValueRange held{HUGE_VAL, -HUGE_VAL};
    for (const LibraryPart& p : parts.library->parts) {
      if (p.part.kind != kind) continue;
      held.low = std::min(held.low, p.part.value);
      held.high = std::max(held.high, p.part.value);
    }
    return held;
  }
  if (parts.series) {
    const auto lo = StandardNeighbours(own.low, *parts.series);
    const auto hi = StandardNeighbours(own.high, *parts.series);
    if (!lo || !hi) return own;
    return {lo->above, hi->below};
  }
  return own;
}

ValueRange RangeAt(const PartsChoice& parts, Part::Kind kind, double hertz) {
  ValueRange range = RangeFor(parts, kind);
  const PartModel& m = parts.model;
  if (parts.library) return range;  // measured parts: each its own data
  const double w2 = kTwoPi * kTwoPi * hertz * hertz;
  const double srf = kind == Part::Kind::kInductor ? m.srf_inductor : m.srf_capacitor;
  if (srf > 0.0) {
    // Every part of the kind resonates there: none is what it is sold as above.
    if (hertz >= srf) range.high = 0.0;
    return range;
  }
  if (!m.package) return range;
  const double parasitic =
      kind == Part::Kind::kInductor ? PackageParallelC(*m.package) : PackageSeriesL(*m.package);
  if (parasitic > 0.0) range.high = std::min(range.high, 1.0 / (w2 * parasitic));
  return range;
}

Network WithLosses(Network network, const PartsChoice& parts) {
  return Built(std::move(network), parts.q_inductor.value_or(kIdealQ),
               parts.q_capacitor.value_or(kIdealQ), parts.model);
}

Network WithParasitics(Network network, const PartModel& model) {
  return Built(std::move(network), kIdealQ, kIdealQ, model);
}

}  // namespace vorda::rf
