// A microstrip line on a substrate: its characteristic impedance and
// effective permittivity at a frequency, the width that gives an impedance,
// and the physical length of an electrical length. Hammerstad and Jensen's
// quasi-static line with their thickness correction, and Kirschning and
// Jansen's dispersion of both figures, in the forms the two papers publish.
// Lossless: the loss tangent is only kept with the substrate.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vorda::rf {

// A substrate with its ground plane, and the strips' copper on it.
struct Substrate {
  double er = 4.3;    // relative permittivity
  double h = 1.6e-3;  // height, metres
  double t = 0.0;     // conductor thickness, metres; 0: thin
  double tand = 0.0;  // loss tangent
  bool operator==(const Substrate&) const = default;
};

inline constexpr double kMaxSubstrateEr = 100.0;

// Why a substrate cannot be one, naming the value, or nothing: er above 1
// and at most 100, h positive, t from 0 to below h, tand from 0 to below 1,
// all finite.
std::optional<std::string> CheckSubstrate(const Substrate& s);

// A substrate read from a text, or why the text is not one.
struct ReadSubstrateResult {
  std::optional<Substrate> substrate;
  std::string error;  // when there is no substrate: what is wrong, quoting the text
};

// "er=4.3,h=1.6mm", "er=3.66,h=0.508mm,t=35um,tand=0.004": the keys in any
// order, each once; er and h needed. Lengths with a unit m, mm, um (or µm) or
// mil ("1.6 mm" too); only a thickness of 0 may go without one.
ReadSubstrateResult ReadSubstrate(std::string_view text);

// The shortest text that ReadSubstrate reads back as the same substrate
// ("er=4.3,h=1.6mm,t=35um"); a thin strip's t and a lossless tand are left
// out.
std::string SubstrateText(const Substrate& s);

// A line's figures at a frequency.
struct MicrostripFigures {
  double z0 = 0.0;      // characteristic impedance, ohms
  double er_eff = 0.0;  // effective relative permittivity
};

// The highest frequency times height the dispersion is used at: 25 GHz on
// a 1 mm substrate, 15.625 GHz on 1.6 mm. Kirschning and Jansen fitted
// their dispersion up to 25 GHz mm (the impedance's for 0.1 <= w/h <= 100
// and er 1 to 20); beyond it nothing is given. Up to it, for er from 1.06
// to 100 and widths from h / 1000 to 1000 h, the figures are finite and the
// impedance falls as the strip widens, except on the edge of the thickness
// correction: copper more than 0.6 h thick on er above about 50 has, from
// about 12 to 21 GHz mm, an impedance that rises slightly (up to 3 %) with
// width for strips narrower than t / 20.
inline constexpr double kMaxMicrostripGHzMm = 25.0;

// The figures of a strip of a width (metres) at a frequency (hertz; 0 for
// the quasi-static line). Nothing for a substrate CheckSubstrate refuses, a
// width not positive and finite, a frequency negative, not finite or above
// kMaxMicrostripGHzMm for the substrate's height, or where the model gives
// no finite figures (as for er_eff within a few percent of 1).
std::optional<MicrostripFigures> AnalyseMicrostrip(const Substrate& s, double width, double hertz);

// The narrowest strip width (metres) from a thousandth of h to a thousand
// times h whose characteristic impedance at the frequency is z0. Nothing
// when none in that range has it, or for z0 not positive and finite (and as
// AnalyseMicrostrip refuses).
std::optional<double> MicrostripWidth(const Substrate& s, double z0, double hertz);

// The physical length (metres) of a strip of a width whose electrical length
// at a frequency is that many radians: radians c / (2 pi f sqrt(er_eff)).
// Nothing for radians negative or not finite, a frequency not positive, and
// as AnalyseMicrostrip refuses.
std::optional<double> MicrostripLength(const Substrate& s, double width, double radians,
                                       double hertz);

// The electrical length (radians) at a frequency of a strip of a width and a
// physical length (metres); nothing for a length negative or not finite, a
// frequency not positive, and as AnalyseMicrostrip refuses.
std::optional<double> MicrostripRadians(const Substrate& s, double width, double length,
                                        double hertz);

// A line of an impedance and an electrical length (degrees) at a frequency
// as a strip on the substrate: its width and physical length, metres.
// Nothing where no strip has the impedance (see MicrostripWidth).
struct Strip {
  double width = 0.0;
  double length = 0.0;
};
std::optional<Strip> StripFor(const Substrate& s, double z0, double degrees, double hertz);

}  // namespace vorda::rf
