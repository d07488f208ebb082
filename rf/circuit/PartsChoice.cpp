#include "rf/circuit/PartsChoice.h"

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

Network WithLosses(Network network, const PartsChoice& parts) {
  return Built(std::move(network), parts.q_inductor.value_or(kIdealQ),
               parts.q_capacitor.value_or(kIdealQ), parts.model);
}

Network WithParasitics(Network network, const PartModel& model) {
  return Built(std::move(network), kIdealQ, kIdealQ, model);
}

}  // namespace vorda::rf
