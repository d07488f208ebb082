// How well an impedance matches a reference: the reflection coefficient and
// the figures that follow from it.
#pragma once

#include <cmath>
#include <complex>
#include <optional>

namespace vorda::rf {

using Impedance = std::complex<double>;

// |z|^2 from its parts, the same bits on every platform (std::norm may go
// through hypot, which C libraries round differently).
inline double Norm2(Impedance z) {
  return z.real() * z.real() + z.imag() * z.imag();
}

// |z| as the square root of Norm2: exact operations only, so that it is the
// same to the bit on every platform (std::abs calls a hypot that is not).
// For the magnitudes of reflections and impedances, far from overflow.
inline double Magnitude(Impedance z) {
  return std::sqrt(Norm2(z));
}

// A reflection coefficient this small is a perfect match: its return loss
// (above 180 dB) says more about rounding than about the circuit.
inline constexpr double kPerfectGamma = 1e-9;

// The source a network is matched to: a resistance (the usual Z0), or a
// complex impedance, matched conjugately. A complex source given at a
// frequency is taken, as a typed load is, as its R in series with the
// inductor or capacitor that has its X there; At gives it at any other.
struct Source {
  Impedance z;         // at the frequency it was given for
  double hertz = 0.0;  // that frequency; 0: the same at every frequency
  // A resistance is a source: implicit on purpose.
  // cppcheck-suppress noExplicitConstructor
  Source(double resistance) : z(resistance, 0.0) {}  // NOLINT
  explicit Source(Impedance impedance, double at_hertz = 0.0) : z(impedance), hertz(at_hertz) {}
  bool Resistive() const { return z.imag() == 0.0; }
  // The source at a frequency, constant there.
  Source At(double at_hertz) const;
};

// What a source sees at an input impedance: the power-wave reflection
// |Zin - Zs*| / |Zin + Zs|, which for a resistance is |(Zin - R) / (Zin + R)|.
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
Match MatchOf(Impedance zin, const Source& source);

// |gamma| alone, and the VSWR (infinite when |gamma| >= 1 or not a number);
// cheaper than MatchOf for searches.
double GammaMagnitude(Impedance zin, const Source& source);
double Vswr(Impedance zin, const Source& source);

// The reflection coefficient of z referred to a resistance, and back.
Impedance GammaOf(Impedance z, double reference);
Impedance ImpedanceOf(Impedance gamma, double reference);

}  // namespace vorda::rf
