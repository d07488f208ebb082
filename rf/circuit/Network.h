// A matching network as a circuit: a ladder of elements in series and in
// shunt between the source and the load, the input impedance it presents
// with a load, and how much of the power that enters it reaches the load;
// each figure from the one cascade (rf/circuit/Cascade.h).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/SectionTypes.h"
#include "rf/circuit/Element.h"
#include "rf/circuit/Match.h"
#include "rf/circuit/Microstrip.h"
#include "rf/circuit/Parts.h"

namespace vorda::rf {

struct Network {
  std::vector<Element> elements;  // from the source side to the load
  bool operator==(const Network&) const = default;

  Impedance InputImpedance(double hertz, Impedance load) const;
  // What the source (at this frequency) sees at the input.
  Match MatchAt(double hertz, Impedance load, const Source& source) const;
  // The power the load takes over the power the source has to give: with a
  // resistive source, |S21|^2 of the network between the source's and the
  // load's resistances when the load is real.
  double TransducerGain(double hertz, Impedance load, const Source& source) const;
  // Power delivered to the load over the power entering the network (1
  // for lossless parts, where rounding could say a hair more).
  double Efficiency(double hertz, Impedance load) const;
  // -10 log10 of the efficiency, in dB: 0 within 1e-12 of all the power,
  // which is rounding, not loss.
  double DissipationDb(double hertz, Impedance load) const;
  // Whether the network cannot pass power as drawn: a series part that is
  // an open, or a shunt part that is a short (that one's position).
  std::optional<Position> Broken() const;
  // Whether every part's impedance is known at a frequency (a measured
  // part's only within its data).
  bool KnownAt(double hertz) const;
};

// The network with each line's impedance Z0 and length at the design
// frequency where they were left to the design (rf/circuit/Line.h).
// Nothing when a strip has no substrate (or no figures on it).
std::optional<Network> ResolvedLines(Network network, double z0, double hertz,
                                     const Substrate* substrate = nullptr);

// An L-section of a type's family: the first part on the source side, the
// second at the load. Shunt-at-load types: Zin = Z1 + (Z2 || ZL);
// series-at-load types: Zin = Z1 || (Z2 + ZL).
Network LSection(Family family, const Part& first, const Part& second);

}  // namespace vorda::rf
