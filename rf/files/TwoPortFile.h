// A network as a Touchstone two-port file that other simulators read.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "rf/circuit/TwoPort.h"

namespace vorda::rf {

// A Touchstone 2.0 two-port file ("# Hz S RI", [Two-Port Data Order] 21_12,
// [Reference] r1 r2) of the network at each frequency, every number the
// shortest text that reads back to it. Nothing when a point has none.
std::optional<std::string> WriteTouchstone2Port(const Network& network,
                                                const std::vector<double>& frequencies, double r1,
                                                double r2, const std::string& comment);

}  // namespace vorda::rf
