// A network as a two-port: its chain (ABCD) matrix and its S-parameters
// between two reference resistances.
#pragma once

#include <array>
#include <complex>
#include <optional>

#include "rf/circuit/Network.h"

namespace vorda::rf {

// S11, S21, S12, S22.
using SParameters = std::array<std::complex<double>, 4>;

// Between port 1 (the source side) referred to r1 ohms and port 2 (the load
// side) referred to r2; nothing for a network with a series open.
std::optional<SParameters> SParametersOf(const Network& network, double hertz, double r1,
                                         double r2);

}  // namespace vorda::rf
