// The parts that realise a network's reactances at a frequency, and their
// impedance at any other frequency.
#pragma once

#include <cmath>
#include <complex>
#include <limits>
#include <numbers>
#include <string>

namespace vorda::rf {

inline constexpr double kIdealQ = std::numeric_limits<double>::infinity();
inline constexpr double kTwoPi = 2.0 * std::numbers::pi;

// An inductor or capacitor of a fixed value; or a plain connection (a short)
// or nothing at all (an open), for a reactance of zero or one beyond any
// real part's reach. A part with a finite quality factor Q has the series
// resistance |X| / Q at every frequency: Q is held constant.
struct Part {
  enum class Kind { kInductor, kCapacitor, kShort, kOpen } kind = Kind::kShort;
  double value = 0.0;  // henries or farads; 0 for a short or an open
  double q = kIdealQ;

  bool IsReal() const { return kind == Kind::kInductor || kind == Kind::kCapacitor; }
  bool operator==(const Part&) const = default;
  // The reactance in ohms at a frequency in hertz; infinite for an open.
  double Reactance(double hertz) const {
    const double omega = kTwoPi * hertz;
    if (kind == Kind::kInductor) return omega * value;
    if (kind == Kind::kCapacitor) return -1.0 / (omega * value);
    if (kind == Kind::kOpen) return std::numeric_limits<double>::infinity();
    return 0.0;
  }
  // The impedance at a frequency, the loss resistance included. Not for an
  // open, which has none: networks leave it out.
  std::complex<double> ImpedanceAt(double hertz) const {
    const double x = Reactance(hertz);
    return {std::fabs(x) / q, x};
  }
};

// The part with a given reactance at a frequency: an inductor L = X / (2 pi f)
// for a positive reactance, a capacitor C = -1 / (2 pi f X) for a negative one,
// a short for zero. Uses the true value of pi.
Part PartFor(double reactance_ohms, double hertz, double q_inductor = kIdealQ,
             double q_capacitor = kIdealQ);

// Reactances of a matching network, normalized to the reference, beyond
// which a part is no part: at or below kShortReactance it is a short, at or
// above kOpenReactance an open. Within the accepted loads (R and |X| within
// a millionth to a million times the reference) a part that small or that
// large changes the input impedance by less than a millionth.
inline constexpr double kShortReactance = 1e-12;
inline constexpr double kOpenReactance = 1e12;

// The part of a matching network with a given reactance: a short, an open,
// or PartFor's inductor or capacitor.
Part MatchingPart(double reactance_ohms, double reference_ohms, double hertz);

// The same kind of part with another value and the same Q.
Part WithValue(const Part& part, double value);

// "280.3 nH", "1.273 µH", "2.242 pF", "1.121 nF": four significant digits;
// "short" and "open (leave out)".
std::string Describe(const Part& part);

// "henries", "farads" or nothing (a short or an open), the part's JSON key.
const char* ValueKey(const Part& part);
// "inductor", "capacitor", "short" or "open".
const char* KindName(const Part& part);

}  // namespace vorda::rf
