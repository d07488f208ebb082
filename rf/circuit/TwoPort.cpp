#include "rf/circuit/TwoPort.h"

#include <cmath>

#include "rf/circuit/Cascade.h"

namespace vorda::rf {

std::optional<SParameters> SParametersOf(const Network& network, double hertz, double r1,
                                         double r2) {
  const auto chain = ChainOf(network, hertz);
  if (!chain) return std::nullopt;
  const ChainMatrix& m = *chain;
  // Chain to S between real references (power waves).
  const std::complex<double> den = m.a * r2 + m.b + m.c * r1 * r2 + m.d * r1;
  const double root = 2.0 * std::sqrt(r1 * r2);
  return SParameters{(m.a * r2 + m.b - m.c * r1 * r2 - m.d * r1) / den, root / den,
                     root * (m.a * m.d - m.b * m.c) / den,
                     (-m.a * r2 + m.b - m.c * r1 * r2 + m.d * r1) / den};
}

}  // namespace vorda::rf
