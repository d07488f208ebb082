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

Network WithLosses(Network network, const PartsChoice& parts) {
  return Built(std::move(network), parts.q_inductor.value_or(kIdealQ),
               parts.q_capacitor.value_or(kIdealQ), parts.model);
}

Network WithParasitics(Network network, const PartModel& model) {
  return Built(std::move(network), kIdealQ, kIdealQ, model);
}

}  // namespace vorda::rf
