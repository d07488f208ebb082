// A network as a two-port: its chain (ABCD) matrix, its S-parameters
// between two reference resistances, and a Touchstone 2.0 file of them that
// other simulators read.
#pragma once

#include <array>
#include <complex>
#include <optional>
#include <string>
#include <vector>

#include "rf/Network.h"

namespace vorda::rf {

// S11, S21, S12, S22.
using SParameters = std::array<std::complex<double>, 4>;

// Between port 1 (the source side) referred to r1 ohms and port 2 (the load
// side) referred to r2; nothing for a network with a series open.
std::optional<SParameters> SParametersOf(const Network& network, double hertz, double r1,
                                         double r2);

// A Touchstone 2.0 two-port file ("# Hz S RI", [Two-Port Data Order] 21_12,
// [Reference] r1 r2) of the network at each frequency, every number the
// shortest text that reads back to it. Nothing when a point has none.
std::optional<std::string> WriteTouchstone2Port(const Network& network,
                                                const std::vector<double>& frequencies, double r1,
                                                double r2, const std::string& comment);

}  // namespace vorda::rf
