#include "rf/circuit/Network.h"

#include <algorithm>

#include "engine/PortableMath.h"
#include "rf/circuit/Cascade.h"

namespace vorda::rf {

Impedance Network::InputImpedance(double hertz, Impedance load) const {
  return Cascade(*this, hertz, load).z;
}

Match Network::MatchAt(double hertz, Impedance load, const Source& source) const {
  return MatchOf(InputImpedance(hertz, load), source.At(hertz));
}

double Network::TransducerGain(double hertz, Impedance load, const Source& source) const {
  const Port in = Cascade(*this, hertz, load);
  if (!in.passes) return 0.0;
  // The source's open-circuit voltage for 1 V across the load, and the
  // powers: P_load = Re(1 / ZL), P_available = |Vs|^2 / (4 Re Zs).
  const Impedance zs = source.At(hertz).z;
  const Impedance vs = in.v + in.i * zs;
  return 4.0 * zs.real() * std::real(1.0 / load) / Norm2(vs);
}

double Network::Efficiency(double hertz, Impedance load) const {
  // The power into the load over the power into the input.
  const Port in = Cascade(*this, hertz, load);
  if (!in.passes) return 0.0;
  return std::min(std::real(1.0 / load) / std::real(in.v * std::conj(in.i)), 1.0);
}

double Network::DissipationDb(double hertz, Impedance load) const {
  const double efficiency = Efficiency(hertz, load);
  if (efficiency > 1.0 - 1e-12) return 0.0;
  return 0.0 - 10.0 * portable::Log10(efficiency);  // 0, never -0
}

std::optional<Position> Network::Broken() const {
  for (const Element& e : elements) {
    const Stage::Form form = StageAt(e, 1.0).form;
    if (form == Stage::Form::kOpen || form == Stage::Form::kShorted) return e.position;
  }
  return std::nullopt;
}

std::optional<Network> ResolvedLines(Network n, double z0, double hertz,
                                     const Substrate* substrate) {
  for (Element& e : n.elements) {
    if (!e.line) continue;
    e.line = Resolved(*e.line, z0, hertz, substrate);
    if (!e.line) return std::nullopt;
  }
  return n;
}

Network LSection(Family family, const Part& first, const Part& second) {
  const bool shunt_at_load = family == Family::kShuntAtLoad;
  return {{{shunt_at_load ? Position::kSeries : Position::kShunt, first},
           {shunt_at_load ? Position::kShunt : Position::kSeries, second}}};
}

bool Network::KnownAt(double hertz) const {
  return std::all_of(elements.begin(), elements.end(),
                     [&](const Element& e) { return e.part.KnownAt(hertz); });
}

}  // namespace vorda::rf
