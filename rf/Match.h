// How well an impedance matches a reference: the reflection coefficient and
// the figures that follow from it.
#pragma once

#include <complex>
#include <optional>

namespace vorda::rf {

using Impedance = std::complex<double>;

// A reflection coefficient this small is a perfect match: its return loss
// (above 180 dB) says more about rounding than about the circuit.
inline constexpr double kPerfectGamma = 1e-9;

// What a source of resistance z0 sees at an input impedance.
struct Match {
  Impedance zin;
  double gamma_magnitude = 0.0;  // |reflection coefficient|
  // -20 log10 |gamma| in dB; empty for a perfect match (|gamma| <= kPerfectGamma).
  std::optional<double> return_loss_db;
  // (1 + |gamma|) / (1 - |gamma|); empty when |gamma| >= 1 (an active load).
  std::optional<double> vswr;

  // Whether the impedance and its reflection coefficient are numbers.
  bool Finite() const;
  bool Perfect() const { return gamma_magnitude <= kPerfectGamma; }
};
Match MatchOf(Impedance zin, double z0);

// The VSWR, infinite when |gamma| >= 1 or not a number; cheaper than MatchOf
// for searches.
double Vswr(Impedance zin, double z0);

// The reflection coefficient of z referred to a resistance, and back.
Impedance GammaOf(Impedance z, double reference);
Impedance ImpedanceOf(Impedance gamma, double reference);

}  // namespace vorda::rf
