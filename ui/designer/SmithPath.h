// What the Smith chart shows of a network, in normalized impedances.
#pragma once

#include <complex>
#include <vector>

#include "rf/circuit/Match.h"
#include "rf/circuit/Network.h"

namespace vorda::designer {

// The reflection coefficient of a normalized impedance.
inline std::complex<double> Reflection(std::complex<double> z) {
  return rf::GammaOf(z, 1.0);
}

// The way from the load to the match through the network's ideal parts, the
// part at the load first. A series part moves along its circle of constant
// resistance, a shunt part along its circle of constant conductance; a
// short or an open moves nothing. The points are normalized to z0, `steps`
// to a part.
std::vector<std::complex<double>> MatchPath(const rf::Network& network, std::complex<double> load,
                                            double hertz, double z0, int steps = 64);

}  // namespace vorda::designer
