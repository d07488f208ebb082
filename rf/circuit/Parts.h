// The parts that realise a network's reactances at a frequency, and their
// impedance at any other frequency.
#pragma once

#include <cmath>
#include <complex>
#include <limits>
#include <memory>
#include <numbers>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorda::rf {

inline constexpr double kIdealQ = std::numeric_limits<double>::infinity();
inline constexpr double kTwoPi = 2.0 * std::numbers::pi;

// A part measured over frequency (of a part library): its impedance at
// each measured frequency, as it was measured at its nominal value.
struct PartData {
  std::string file;                     // where it was read from
  double nominal = 0.0;                 // henries or farads
  std::vector<double> hertz;            // increasing
  std::vector<std::complex<double>> z;  // the part's impedance there
  // Linear in real and imaginary parts between the measured points; not a
  // number outside them (nothing is known there).
  std::complex<double> At(double at) const;
  double First() const { return hertz.front(); }
  double Last() const { return hertz.back(); }
};

// What a real part adds to its value: what it is besides an inductance or
// a capacitance.
struct Parasitics {
  double series_l = 0.0;    // henries in series with a capacitor (its ESL)
  double parallel_c = 0.0;  // farads across an inductor (between its turns)
  // Where the part's Q holds. 0: at every frequency (the resistance is |X| /
  // Q). Otherwise an inductor's resistance grows with the square root of
  // the frequency (the skin effect) from |X| / Q there, and a capacitor's
  // ESR stays |X| / Q of there.
  double q_hertz = 0.0;
  // A measured part: its data decide its impedance, scaled from its
  // nominal value to the part's (an inductor's impedance with the value, a
  // capacitor's against it).
  std::shared_ptr<const PartData> measured;
  bool operator==(const Parasitics&) const = default;
};

// An inductor or capacitor of a fixed value; or a plain connection (a short)
// or nothing at all (an open), for a reactance of zero or one beyond any
// real part's reach. A part with a finite quality factor Q has the series
// resistance |X| / Q (at every frequency, or as its parasitics say).
struct Part {
  enum class Kind { kInductor, kCapacitor, kShort, kOpen } kind = Kind::kShort;
  double value = 0.0;  // henries or farads; 0 for a short or an open
  double q = kIdealQ;
  Parasitics model = {};

  bool IsReal() const { return kind == Kind::kInductor || kind == Kind::kCapacitor; }
  bool operator==(const Part&) const = default;
  // The ideal reactance in ohms at a frequency in hertz; infinite for an
  // open.
  double Reactance(double hertz) const {
    const double omega = kTwoPi * hertz;
    if (kind == Kind::kInductor) return omega * value;
    if (kind == Kind::kCapacitor) return -1.0 / (omega * value);
    if (kind == Kind::kOpen) return std::numeric_limits<double>::infinity();
    return 0.0;
  }
  // The impedance at a frequency, the loss resistance and parasitics
  // included; not a number where a measured part was not measured. Not for
  // an open, which has none: networks leave it out.
  std::complex<double> ImpedanceAt(double hertz) const;
  // Where its parasitics make the part resonate: a capacitor with its
  // series inductance, an inductor with its parallel capacitance, a
  // measured part where its reactance first changes sign. Nothing for an
  // ideal part.
  std::optional<double> SelfResonance() const;
  // Whether at a frequency the part acts as the other kind: a capacitor
  // above its self-resonance is inductive, an inductor capacitive.
  bool Reversed(double hertz) const;
  // Whether the part's impedance is known at a frequency: a measured part
  // only within its data.
  bool KnownAt(double hertz) const {
    return !model.measured || (hertz >= model.measured->First() && hertz <= model.measured->Last());
  }
};

// What an inductor's or a capacitor's impedance is made of, read once from
// the part so that it can be evaluated for many values and frequencies (the
// band search's inner loop does so). Part::ImpedanceAt and the band search
// both compute a part's impedance through it.
struct PartKernel {
  bool inductor = true;
  double inverse_q = 0.0;   // 1 / Q; 0 for an ideal part
  double q_omega = 0.0;     // 2 pi times where the Q holds; 0: at every frequency
  double series_l = 0.0;    // a capacitor's series inductance
  double parallel_c = 0.0;  // an inductor's parallel capacitance
};
PartKernel KernelOf(const Part& part);
// The impedance of such a part of a value (henries or farads) at an angular
// frequency, in plain arithmetic: the same bits on every platform.
std::complex<double> KernelImpedance(const PartKernel& kernel, double value, double omega);

// The packages of chip parts, and what each adds: a capacitor's series
// inductance and an inductor's parallel capacitance, typical figures.
enum class Package { k0201, k0402, k0603, k0805, k1206 };
inline constexpr std::size_t kPackageCount = 5;
const char* PackageName(Package package);  // "0402"
std::optional<Package> ParsePackage(std::string_view name);
double PackageSeriesL(Package package);
double PackageParallelC(Package package);

// How the parts of a design are built besides their Q: a package, or the
// self-resonant frequency every inductor or capacitor has (instead of the
// package's figure), and where the Q holds.
struct PartModel {
  std::optional<Package> package;
  double srf_inductor = 0.0;   // hertz; 0: the package's, or none
  double srf_capacitor = 0.0;  // hertz; 0: the package's, or none
  double q_hertz = 0.0;        // see Parasitics
  bool Ideal() const {
    return !package && srf_inductor == 0.0 && srf_capacitor == 0.0 && q_hertz == 0.0;
  }
  bool operator==(const PartModel&) const = default;
  // The parasitics of a part of this value (a measured part keeps its own).
  Parasitics For(const Part& part) const;
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
