// Touchstone two-port files (.s2p, .y2p, .z2p; version 1.x and 2.0/2.1) read
// whole: the S-parameters at each frequency, referred to one reference
// resistance at both ports.
#pragma once

#include <complex>
#include <vector>

#include "rf/circuit/TwoPort.h"
#include "rf/files/Touchstone.h"

namespace vorda::rf {

// Reads a whole two-port file of S, Y or Z parameters (noise data are
// skipped); throws TouchstoneError at the line that breaks the format.
TwoPortData ReadTwoPort(ByteSource source);

}  // namespace vorda::rf
