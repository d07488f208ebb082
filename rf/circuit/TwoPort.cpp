#include "rf/circuit/TwoPort.h"

#include <cmath>

namespace vorda::rf {

namespace {

using C = std::complex<double>;

// A B
// C D
struct Chain {
  C a = 1.0, b = 0.0, c = 0.0, d = 1.0;
  Chain Then(const Chain& o) const {
    return {a * o.a + b * o.c, a * o.b + b * o.d, c * o.a + d * o.c, c * o.b + d * o.d};
  }
};

}  // namespace

std::optional<SParameters> SParametersOf(const Network& network, double hertz, double r1,
                                         double r2) {
  Chain m;
  for (const Element& e : network.elements) {
    if (e.part.kind == Part::Kind::kOpen) {
      if (e.position == Position::kSeries) return std::nullopt;
      continue;
    }
    const C z = e.part.ImpedanceAt(hertz);
    m = m.Then(e.position == Position::kSeries ? Chain{1.0, z, 0.0, 1.0}
                                               : Chain{1.0, 0.0, 1.0 / z, 1.0});
  }
  // Chain to S between real references (power waves).
  const C den = m.a * r2 + m.b + m.c * r1 * r2 + m.d * r1;
  const double root = 2.0 * std::sqrt(r1 * r2);
  return SParameters{(m.a * r2 + m.b - m.c * r1 * r2 - m.d * r1) / den, root / den,
                     root * (m.a * m.d - m.b * m.c) / den,
                     (-m.a * r2 + m.b - m.c * r1 * r2 + m.d * r1) / den};
}

}  // namespace vorda::rf
