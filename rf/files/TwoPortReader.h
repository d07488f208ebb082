// Touchstone two-port files (.s2p, .y2p, .z2p; version 1.x and 2.0/2.1) read
// whole: the S-parameters at each frequency, referred to one reference
// resistance at both ports.
#pragma once

#include <complex>
#include <vector>

#include "rf/files/Touchstone.h"

namespace vorda::rf {

// One frequency of a two-port: its S-parameters referred to `reference`
// ohms at both ports.
struct TwoPortPoint {
  double hertz = 0.0;
  std::complex<double> s11, s21, s12, s22;
};

// A file with a reference for each port is referred to port 1's.
struct TwoPortData {
  double reference = 50.0;
  std::vector<TwoPortPoint> points;
};

// Reads a whole two-port file of S, Y or Z parameters (noise data are
// skipped); throws TouchstoneError at the line that breaks the format.
TwoPortData ReadTwoPort(ByteSource source);

}  // namespace vorda::rf
