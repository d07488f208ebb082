#include "rf/circuit/Match.h"

#include <cmath>
#include <limits>

#include "engine/PortableMath.h"
#include "rf/circuit/Parts.h"

namespace vorda::rf {

Source Source::At(double at_hertz) const {
  if (hertz == 0.0 || Resistive() || at_hertz == hertz) return Source(z);
  return Source(Impedance(z.real(), PartFor(z.imag(), hertz).Reactance(at_hertz)));
}

bool Match::Finite() const {
  return std::isfinite(zin.real()) && std::isfinite(zin.imag()) && std::isfinite(gamma_magnitude);
}

double GammaMagnitude(Impedance zin, const Source& source) {
  // |zin - zs*| / |zin + zs| from exact operations and one square root,
  // for a resistive source too: the same bits on every platform.
  return std::sqrt(Norm2(zin - std::conj(source.z)) / Norm2(zin + source.z));
}

Match MatchOf(Impedance zin, const Source& source) {
  Match m;
  m.zin = zin;
  m.gamma_magnitude = GammaMagnitude(zin, source);
  if (!m.Finite()) return m;  // no figures from what is not a number
  if (!m.Perfect()) m.return_loss_db = -20.0 * portable::Log10(m.gamma_magnitude);
  if (m.gamma_magnitude < 1.0) m.vswr = (1.0 + m.gamma_magnitude) / (1.0 - m.gamma_magnitude);
  return m;
}

double Vswr(Impedance zin, const Source& source) {
  const double gamma = GammaMagnitude(zin, source);
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
