#include "ui/designer/SmithPath.h"

namespace vorda::designer {

namespace {

using Z = std::complex<double>;
constexpr Z kJ(0.0, 1.0);

// Adds a series reactance x to z, or a shunt part of reactance x (its
// susceptance -1/x) to the admittance of z, step by step.
void Walk(std::vector<Z>& path, Z& z, double x, bool shunt, int steps) {
  if (x == 0.0) return;  // a plain connection moves nothing
  const Z start = z;
  for (int i = 1; i <= steps; ++i) {
    const double t = static_cast<double>(i) / steps;
    z = shunt ? 1.0 / (1.0 / start + kJ * (-t / x)) : start + kJ * (t * x);
    path.push_back(z);
  }
}

}  // namespace

std::vector<Z> MatchPath(const rf::Section& section, Z load, double hertz, double z0, int steps) {
  const double x1 = section.first.Reactance(hertz) / z0;
  const double x2 = section.second.Reactance(hertz) / z0;
  const bool shunt_at_load = section.family == Family::kShuntAtLoad;
  Z z = load / z0;
  std::vector<Z> path{z};
  Walk(path, z, x2, shunt_at_load, steps);
  Walk(path, z, x1, !shunt_at_load, steps);
  return path;
}

}  // namespace vorda::designer
