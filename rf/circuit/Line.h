// A transmission line as an element of a network: a line in series (in the
// path from the source to the load) or a stub in shunt, open or shorted at
// its far end. Its characteristic impedance, its length (an electrical
// length at a frequency, a physical length with a velocity factor, or a
// delay: one phase velocity at every frequency) and an optional loss given
// as an attenuation at a frequency, its conductor part growing with the
// square root of the frequency and its dielectric part with the frequency.
// The impedance is taken as real, lossy or not (the low-loss line of the
// simulators that take an attenuation).
#pragma once

#include <complex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace vorda::rf {

inline constexpr double kSpeedOfLight = 299792458.0;

// How a length was given, to say it back the same way.
enum class LengthForm {
  kElectrical,  // degrees at a frequency ("90deg@2.4G")
  kPhysical,    // metres with a velocity factor ("12.5mm vf=0.66")
  kDelay,       // seconds ("40ps")
};

// An attenuation in dB at a frequency; 0 dB: none.
struct Attenuation {
  double db = 0.0;
  double hertz = 0.0;
  bool operator==(const Attenuation&) const = default;
};

struct Line {
  enum class End { kOpen, kShort };  // of a stub
  double impedance = 50.0;           // characteristic, ohms
  // The length: `degrees` at `at_hertz`, growing with the frequency. A
  // length given at no frequency ("90deg") is at the design frequency, and
  // one with no impedance (0) of Z0: Resolved says which.
  double degrees = 0.0;
  double at_hertz = 0.0;
  LengthForm form = LengthForm::kElectrical;
  double given = 0.0;            // kPhysical: metres; kDelay: seconds; as given
  double velocity_factor = 1.0;  // kPhysical
  // A microstrip given by its width and length (metres), on the design's
  // substrate: its impedance and length are the strip's at the design
  // frequency (Resolved).
  double strip_width = 0.0;
  double strip_length = 0.0;
  Attenuation conductor;   // grows with the square root of the frequency
  Attenuation dielectric;  // grows with the frequency
  End end = End::kOpen;
  bool operator==(const Line&) const = default;

  // The electrical length in degrees at a frequency.
  double DegreesAt(double hertz) const { return degrees * (hertz / at_hertz); }
  // The delay, seconds: degrees / (360 at_hertz).
  double Delay() const { return degrees / (360.0 * at_hertz); }
  bool Lossy() const { return conductor.db > 0.0 || dielectric.db > 0.0; }
  // The attenuation across the line at a frequency, nepers.
  double NepersAt(double hertz) const;
};

// A line of a given delay, of an electrical length at a frequency, of a
// physical length with a velocity factor.
Line LineOfDelay(double impedance, double seconds);
Line LineOfDegrees(double impedance, double degrees, double hertz);
Line LineOfLength(double impedance, double metres, double velocity_factor);
// The same line with another electrical length at its frequency (its form
// kept: a physical length follows).
Line WithDegrees(Line line, double degrees);

// cosh and sinh of the line's propagation (alpha + j theta) at a frequency,
// in plain arithmetic: the same bits on every platform, and exact zeros at
// the multiples of 90 degrees of a lossless line.
struct Propagation {
  std::complex<double> cosh, sinh;
};
Propagation PropagationAt(const Line& line, double hertz);
// The same from the phase (degrees) and the cosh and sinh of the loss
// (1 and 0 for none): what PropagationAt computes, for a search that keeps
// the loss of each frequency.
Propagation PropagationOf(double degrees, double cosh_alpha, double sinh_alpha);
// cosh and sinh of an attenuation, nepers.
std::pair<double, double> CoshSinh(double nepers);

// The impedance of a stub at a frequency: Zc coth(gamma l) open, Zc
// tanh(gamma l) shorted; infinite where it is an open (sinh 0 open, cosh 0
// shorted) and 0 where a short.
std::complex<double> StubImpedance(const Line& stub, double hertz);

// "50ohm 90deg@2.4G", "75ohm 12.5mm vf=0.66 loss=0.2dB@2.4G dloss=0.1dB@2.4G",
// "40ps": the words ReadLine reads back.
std::string LineText(const Line& line);
// The length of a line in its words: "90deg@2.4G", "12.5mm vf=0.66", "40ps".
std::string LengthText(const Line& line);

// Reads a line's words after "line" or "stub open|short": an impedance
// ("50ohm", optional: 0 for Z0), a length ("90deg@2.4G", "90deg" at the
// design frequency, "12.5mm vf=0.66", "40ps"; "-" before it for a line
// that moves the other way, where allowed), and optionally "loss=" and
// "dloss=" attenuations. Nothing, with why, for anything else.
struct ReadLineResult {
  std::optional<Line> line;
  std::string error;
};
ReadLineResult ReadLine(std::string_view words, bool negative_allowed = false);

// A line with its impedance of Z0 and its length at the design frequency
// where they were left to the design; a strip given by its width and
// length as it is on the substrate at the design frequency (nothing when
// there is no substrate, or no figures for the strip).
struct Substrate;
std::optional<Line> Resolved(Line line, double z0, double hertz,
                             const Substrate* substrate = nullptr);

}  // namespace vorda::rf
