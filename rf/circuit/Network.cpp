#include "rf/circuit/Network.h"

#include <algorithm>
#include <limits>

#include "engine/PortableMath.h"

namespace vorda::rf {

Impedance Network::InputImpedance(double hertz, Impedance load) const {
  Impedance z = load;
  for (std::size_t i = elements.size(); i-- > 0;) {  // from the load
    const Element& e = elements[i];
    const Part& p = e.part;
    if (e.position == Position::kSeries) {
      if (p.kind == Part::Kind::kOpen) {
        const double inf = std::numeric_limits<double>::infinity();
        return {inf, inf};
      }
      z = p.ImpedanceAt(hertz) + z;
    } else if (p.kind != Part::Kind::kOpen) {
      const Impedance zp = p.ImpedanceAt(hertz);
      z = zp * z / (zp + z);
    }
  }
  return z;
}

Match Network::MatchAt(double hertz, Impedance load, const Source& source) const {
  return MatchOf(InputImpedance(hertz, load), source.At(hertz));
}

namespace {

// The voltage and current at the input with 1 V across the load, walking
// back from the load: a series part adds its voltage, a shunt part its
// current. Nothing when a series part is an open.
struct Port {
  Impedance v, i;
};
std::optional<Port> InputWithUnitLoad(const std::vector<Element>& elements, double hertz,
                                      Impedance load) {
  Port p{1.0, 1.0 / load};
  for (std::size_t k = elements.size(); k-- > 0;) {
    const Element& e = elements[k];
    if (e.part.kind == Part::Kind::kOpen) {
      if (e.position == Position::kSeries) return std::nullopt;
      continue;
    }
    if (e.position == Position::kSeries) {
      p.v += p.i * e.part.ImpedanceAt(hertz);
    } else {
      p.i += p.v / e.part.ImpedanceAt(hertz);
    }
  }
  return p;
}

}  // namespace

double Network::TransducerGain(double hertz, Impedance load, const Source& source) const {
  const auto in = InputWithUnitLoad(elements, hertz, load);
  if (!in) return 0.0;
  // The source's open-circuit voltage for 1 V across the load, and the
  // powers: P_load = Re(1 / ZL), P_available = |Vs|^2 / (4 Re Zs).
  const Impedance zs = source.At(hertz).z;
  const Impedance vs = in->v + in->i * zs;
  return 4.0 * zs.real() * std::real(1.0 / load) / Norm2(vs);
}

double Network::Efficiency(double hertz, Impedance load) const {
  // The power into the load over the power into the input.
  const auto in = InputWithUnitLoad(elements, hertz, load);
  if (!in) return 0.0;
  return std::min(std::real(1.0 / load) / std::real(in->v * std::conj(in->i)), 1.0);
}

double Network::DissipationDb(double hertz, Impedance load) const {
  const double efficiency = Efficiency(hertz, load);
  if (efficiency > 1.0 - 1e-12) return 0.0;
  return 0.0 - 10.0 * portable::Log10(efficiency);  // 0, never -0
}

std::optional<std::string> Network::Broken() const {
  for (const Element& e : elements) {
    if (e.position == Position::kSeries && e.part.kind == Part::Kind::kOpen) {
      return "a series part would be an open circuit";
    }
    if (e.position == Position::kShunt && e.part.kind == Part::Kind::kShort) {
      return "a shunt part would be a short circuit";
    }
  }
  return std::nullopt;
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
