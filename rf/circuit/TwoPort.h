// A network as a two-port: its chain (ABCD) matrix and its S-parameters
// between two reference resistances.
#pragma once

#include <array>
#include <complex>
#include <optional>
#include <vector>

#include "rf/circuit/Network.h"

namespace vorda::rf {

// S11, S21, S12, S22.
using SParameters = std::array<std::complex<double>, 4>;

// One frequency of a measured two-port: its S-parameters referred to the
// data's reference at both ports.
struct TwoPortPoint {
  double hertz = 0.0;
  std::complex<double> s11, s21, s12, s22;
  std::size_t line = 0;  // of the file it was read from, where the point begins
};

// A file with a reference for each port is referred to port 1's.
struct TwoPortData {
  double reference = 50.0;
  std::vector<TwoPortPoint> points;  // increasing in frequency
};

// Between port 1 (the source side) referred to r1 ohms and port 2 (the load
// side) referred to r2; nothing for a network with a series open.
std::optional<SParameters> SParametersOf(const Network& network, double hertz, double r1,
                                         double r2);

}  // namespace vorda::rf
