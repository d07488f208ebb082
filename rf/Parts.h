// The parts that realise the section's reactances at a frequency, and their
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

// An inductor or capacitor of a fixed value, or a plain connection (a
// reactance of zero). A part with a finite quality factor Q has the series
// resistance |X| / Q at every frequency: Q is held constant.
struct Part {
  enum class Kind { kInductor, kCapacitor, kShort } kind = Kind::kShort;
  double value = 0.0;  // henries or farads; 0 for a short
  double q = kIdealQ;

  // The reactance in ohms at a frequency in hertz.
  double Reactance(double hertz) const {
    const double omega = kTwoPi * hertz;
    if (kind == Kind::kInductor) return omega * value;
    if (kind == Kind::kCapacitor) return -1.0 / (omega * value);
    return 0.0;
  }
  // The impedance at a frequency, the loss resistance included.
  std::complex<double> Impedance(double hertz) const {
    const double x = Reactance(hertz);
    return {std::fabs(x) / q, x};
  }
};

// The part with a given reactance at a frequency: an inductor L = X / (2 pi f)
// for a positive reactance, a capacitor C = -1 / (2 pi f X) for a negative one,
// a short for zero. Uses the true value of pi.
Part PartFor(double reactance_ohms, double hertz, double q_inductor = kIdealQ,
             double q_capacitor = kIdealQ);

// The same kind of part with another value and the same Q.
Part WithValue(const Part& part, double value);

// "280.3 nH", "1.273 µH", "2.242 pF", "1.121 nF": four significant digits;
// "short (0 ohms)" for a short.
std::string Describe(const Part& part);

// "henries", "farads" or nothing (a short), the part's JSON key.
const char* ValueKey(const Part& part);

}  // namespace vorda::rf
