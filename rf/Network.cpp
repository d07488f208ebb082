#include "rf/Network.h"

#include <limits>

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

Match Network::MatchAt(double hertz, Impedance load, double z0) const {
  return MatchOf(InputImpedance(hertz, load), z0);
}

double Network::Efficiency(double hertz, Impedance load) const {
  // From the load back to the input, with 1 V across the load: a series part
  // adds its voltage, a shunt part its current. Efficiency is the power into
  // the load over the power into the input.
  Impedance v = 1.0;
  Impedance i = 1.0 / load;
  const double p_load = std::real(i);
  for (std::size_t k = elements.size(); k-- > 0;) {
    const Element& e = elements[k];
    const Part& p = e.part;
    if (p.kind == Part::Kind::kOpen) {
      if (e.position == Position::kSeries) return 0.0;
      continue;
    }
    if (e.position == Position::kSeries) {
      v += i * p.ImpedanceAt(hertz);
    } else {
      i += v / p.ImpedanceAt(hertz);
    }
  }
  return p_load / std::real(v * std::conj(i));
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

}  // namespace vorda::rf
