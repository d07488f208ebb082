#include "rf/Section.h"

#include <cmath>
#include <limits>

#include "engine/PortableMath.h"

namespace vorda::rf {

Impedance Section::InputImpedance(double hertz, Impedance load) const {
  const Impedance z1 = first.Impedance(hertz);
  const Impedance z2 = second.Impedance(hertz);
  if (family == Family::kShuntAtLoad) return z1 + z2 * load / (z2 + load);
  const Impedance branch = z2 + load;
  return z1 * branch / (z1 + branch);
}

double Section::Efficiency(double hertz, Impedance load) const {
  const Impedance z1 = first.Impedance(hertz);
  const Impedance z2 = second.Impedance(hertz);
  if (family == Family::kShuntAtLoad) {
    // The input current flows through Z1; the voltage V across Z2 || ZL
    // drives the load: P_load / P_in = |Zp|^2 Re(1/ZL) / Re(Zin).
    const Impedance zp = z2 * load / (z2 + load);
    return std::norm(zp) * std::real(1.0 / load) / std::real(z1 + zp);
  }
  // The input voltage V lies across Z1 and across Z2 + ZL:
  // P_load / P_in = Re(ZL) / |Z2 + ZL|^2 / Re(1/Zin).
  const Impedance branch = z2 + load;
  const Impedance yin = 1.0 / z1 + 1.0 / branch;
  return std::real(load) / std::norm(branch) / std::real(yin);
}

Match Section::MatchAt(double hertz, Impedance load, double z0) const {
  return MatchOf(InputImpedance(hertz, load), z0);
}

Match MatchOf(Impedance zin, double z0) {
  Match m;
  m.zin = zin;
  m.gamma = std::abs(GammaOf(zin, z0));
  if (m.gamma > 0.0) m.return_loss_db = -20.0 * portable::Log10(m.gamma);
  if (m.gamma < 1.0) m.vswr = (1.0 + m.gamma) / (1.0 - m.gamma);
  return m;
}

double Vswr(Impedance zin, double z0) {
  const double gamma = std::abs(GammaOf(zin, z0));
  if (!(gamma < 1.0)) return std::numeric_limits<double>::infinity();
  return (1.0 + gamma) / (1.0 - gamma);
}

Impedance GammaOf(Impedance z, double reference) {
  return (z - reference) / (z + reference);
}

Impedance ImpedanceOf(Impedance gamma, double reference) {
  // R (1 + g) / (1 - g) in real arithmetic: (1 + g)(1 - conj g) / |1 - g|^2.
  const double a = gamma.real(), b = gamma.imag();
  const double d = (1.0 - a) * (1.0 - a) + b * b;
  return {reference * (1.0 - a * a - b * b) / d, reference * 2.0 * b / d};
}

}  // namespace vorda::rf
