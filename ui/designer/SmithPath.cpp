#include "ui/designer/SmithPath.h"

namespace vorda::designer {

namespace {

using Z = std::complex<double>;
constexpr Z kJ(0.0, 1.0);

// Adds a series reactance x to z, or a shunt part of reactance x (its
// susceptance -1/x) to the admittance of z, step by step.
void Walk(std::vector<Z>& path, Z& z, double x, bool shunt, int steps) {
  const Z start = z;
  for (int i = 1; i <= steps; ++i) {
    const double t = static_cast<double>(i) / steps;
    z = shunt ? 1.0 / (1.0 / start + kJ * (-t / x)) : start + kJ * (t * x);
    path.push_back(z);
  }
}

}  // namespace

std::vector<Z> MatchPath(const rf::Network& network, Z load, double hertz, double z0, int steps) {
  Z z = load / z0;
  std::vector<Z> path{z};
  for (std::size_t i = network.elements.size(); i-- > 0;) {  // the part at the load first
    const rf::Element& e = network.elements[i];
    if (!e.part.IsReal()) continue;  // a plain connection, or nothing
    Walk(path, z, e.part.Reactance(hertz) / z0, e.position == rf::Position::kShunt, steps);
  }
  return path;
}

}  // namespace vorda::designer
