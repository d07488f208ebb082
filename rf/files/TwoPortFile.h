// A network as a Touchstone two-port file that other simulators read:
// version 1.1 (every simulator, one reference resistance for both ports)
// or 2.0 (a reference for each port).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "rf/circuit/TwoPort.h"

namespace vorda::rf {

struct TwoPortFormat {
  double r1 = 50.0;                   // port 1, the source side, referred to r1 ohms
  double r2 = 50.0;                   // port 2, the load side
  bool version2 = false;              // Touchstone 2.0; 1.1 needs r1 == r2
  std::vector<std::string> comments;  // lines at the top, after "! "
};

// "# Hz S RI R <r1>" and the S-parameters (S11, S21, S12, S22) at each
// frequency, every number the shortest text that reads back to it; with
// version 2.0 also [Two-Port Data Order] 21_12 and [Reference] r1 r2.
// Nothing when a point has none (a series open), or for version 1.1 with
// two references.
std::optional<std::string> WriteTouchstone2Port(const Network& network,
                                                const std::vector<double>& frequencies,
                                                const TwoPortFormat& format);

}  // namespace vorda::rf
