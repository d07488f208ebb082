// The microstrip model, the substrate's text, and the width and length
// solvers on the model.
#include "rf/circuit/Microstrip.h"
#include <algorithm>
#include <iterator>

#include <charconv>
#include <cmath>
#include <limits>
#include <numbers>

#include "rf/circuit/Units.h"

namespace vorda::rf {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kSpeedOfLight = 299792458.0;  // metres per second
// The impedance of free space, sqrt(mu0 / epsilon0) with CODATA 2018's
// constants.
const double kFreeSpaceImpedance = std::sqrt(1.25663706212e-6 / 8.8541878128e-12);

// ---- The model ----

// Hammerstad and Jensen's impedance of a strip of width-to-height ratio u in
// air.
double AirImpedance(double u) {
  const double f = 6.0 + (2.0 * kPi - 6.0) * std::exp(-std::pow(30.666 / u, 0.7528));
  return kFreeSpaceImpedance / (2.0 * kPi) *
         std::log(f / u + std::sqrt(1.0 + (2.0 / u) * (2.0 / u)));
}

// Hammerstad and Jensen's effective permittivity of a thin strip of ratio u.
double ThinEffectivePermittivity(double u, double er) {
  const double u4 = u * u * u * u;
  const double a = 1.0 + 1.0 / 49.0 * std::log((u4 + (u / 52.0) * (u / 52.0)) / (u4 + 0.432)) +
                   1.0 / 18.7 * std::log1p(std::pow(u / 18.1, 3.0));
  const double b = 0.564 * std::pow((er - 0.9) / (er + 3.0), 0.053);
  return (er + 1.0) / 2.0 + (er - 1.0) / 2.0 * std::pow(1.0 + 10.0 / u, -a * b);
}

// How much the strip's thickness widens it in air, in metres: Hammerstad
// and Jensen's correction, du1 = (T / pi) ln(1 + 4e / (T coth^2
// sqrt(6.517 u))) with T = t / h, scaled by h:
// (t / pi) ln(1 + 4e h tanh^2(sqrt(6.517 w / h)) / t).
double AirWidening(double width, const Substrate& s) {
  if (s.t <= 0.0) return 0.0;
  const double th = std::tanh(std::sqrt(6.517 * width / s.h));
  return s.t / kPi * std::log1p(4.0 * std::numbers::e * s.h * th * th / s.t);
}

// The quasi-static line: the widened strip's impedance and effective
// permittivity, and the ratio u of that width to h, which the dispersion
// uses.
struct QuasiStatic {
  double z0;
  double er_eff;
  double u;
};

QuasiStatic QuasiStaticLine(const Substrate& s, double width) {
  const double air = AirWidening(width, s);
  const double dielectric = air / 2.0 * (1.0 + 1.0 / std::cosh(std::sqrt(s.er - 1.0)));
  const double u1 = (width + air) / s.h;
  const double ur = (width + dielectric) / s.h;
  const double ratio = AirImpedance(u1) / AirImpedance(ur);
  const double er_eff = ThinEffectivePermittivity(ur, s.er) * ratio * ratio;
  return {AirImpedance(ur) / std::sqrt(er_eff), er_eff, ur};
}

// Kirschning and Jansen's effective permittivity at the normalised frequency
// fn (gigahertz times millimetres).
double DispersedPermittivity(const QuasiStatic& line, double er, double fn) {
  const double u = line.u;
  const double p1 = 0.27488 + (0.6315 + 0.525 / std::pow(1.0 + 0.0157 * fn, 20.0)) * u -
                    0.065683 * std::exp(-8.7513 * u);
  const double p2 = 0.33622 * (1.0 - std::exp(-0.03442 * er));
  const double p3 = 0.0363 * std::exp(-4.6 * u) * (1.0 - std::exp(-std::pow(fn / 38.7, 4.97)));
  const double p4 = 1.0 + 2.751 * (1.0 - std::exp(-std::pow(er / 15.916, 8.0)));
  const double pf = p1 * p2 * std::pow((0.1844 + p3 * p4) * fn, 1.5763);
  return er - (er - line.er_eff) / (1.0 + pf);
}

// Kirschning and Jansen's characteristic impedance at fn, from the
// quasi-static line and the permittivity at fn, as they published it: the
// frequency factor of R8 is inside its exponential,
// R8 = 1 + 1.275 (1 - exp(-0.004625 R3 er^1.674 (fn / 18.365)^2.745)).
double DispersedImpedance(const QuasiStatic& line, double er, double fn, double er_eff_f) {
  const double u = line.u;
  const double r1 = 0.03891 * std::pow(er, 1.4);
  const double r2 = 0.267 * std::pow(u, 7.0);
  const double r3 = 4.766 * std::exp(-3.228 * std::pow(u, 0.641));
  const double r4 = 0.016 + std::pow(0.0514 * er, 4.524);
  const double r5 = std::pow(fn / 28.843, 12.0);
  const double r6 = 22.20 * std::pow(u, 1.92);
  const double r7 = 1.206 - 0.3144 * std::exp(-r1) * (1.0 - std::exp(-r2));
  const double r8 =
      1.0 +
      1.275 * (1.0 - std::exp(-0.004625 * r3 * std::pow(er, 1.674) * std::pow(fn / 18.365, 2.745)));
  const double e6 = std::pow(er - 1.0, 6.0);
  const double r9 = 5.086 * r4 * r5 / (0.3838 + 0.386 * r4) * std::exp(-r6) / (1.0 + 1.2992 * r5) *
                    e6 / (1.0 + 10.0 * e6);
  const double r10 = 0.00044 * std::pow(er, 2.136) + 0.0184;
  const double f6 = std::pow(fn / 19.47, 6.0);
  const double r11 = f6 / (1.0 + 0.0962 * f6);
  const double r12 = 1.0 / (1.0 + 0.00245 * u * u);
  const double r13 = 0.9408 * std::pow(er_eff_f, r8) - 0.9603;
  const double r14 = (0.9408 - r9) * std::pow(line.er_eff, r8) - 0.9603;
  // Where either goes through 0 (er_eff near 1) the ratio has no meaning.
  if (!(r13 > 0.0) || !(r14 > 0.0)) return std::numeric_limits<double>::quiet_NaN();
  const double r15 = 0.707 * r10 * std::pow(fn / 12.3, 1.097);
  const double r16 = 1.0 + 0.0503 * er * er * r11 * (1.0 - std::exp(-std::pow(u / 15.0, 6.0)));
  const double r17 =
      r7 * (1.0 - 1.1241 * r12 / r16 * std::exp(-0.026 * std::pow(fn, 1.15656) - r15));
  return line.z0 * std::pow(r13 / r14, r17);
}

// ---- The substrate's text ----

std::string_view Trim(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

// A unit of length: a number in it is number * times / per metres. Dividing
// by the power of ten, which is exact, rather than multiplying by its
// inverse, which is not, reads "635um" as 635e-6 itself.
struct LengthUnit {
  std::string_view symbol;
  double times;
  double per;
  double Metres(double number) const { return number * times / per; }
};
constexpr LengthUnit kLengthUnits[] = {
    {"m", 1.0, 1.0},       {"mm", 1.0, 1e3},      {"um", 1.0, 1e6},
    {"\u00b5m", 1.0, 1e6}, {"\u03bcm", 1.0, 1e6}, {"mil", 254.0, 1e7},
};
constexpr const char* kLengthExamples = "m, mm, um or mil: 1.6mm, 35um, 62mil";

// The leading finite number of text; the rest is left in text.
std::optional<double> LeadingNumber(std::string_view& text) {
  double value = 0.0;
  const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
  if (res.ec != std::errc() || !std::isfinite(value)) return std::nullopt;
  text = Trim(text.substr(static_cast<std::size_t>(res.ptr - text.data())));
  return value;
}

// A length in metres, or why the value of that key is not one.
struct LengthRead {
  std::optional<double> metres;
  std::string error;
};

LengthRead ReadLength(std::string_view key, std::string_view value) {
  std::string_view rest = value;
  const auto number = LeadingNumber(rest);
  const std::string named = std::string(key) + "=" + std::string(value);
  if (!number) return {std::nullopt, named + " is not a length (" + kLengthExamples + ")"};
  if (rest.empty()) {
    if (*number == 0.0 && key == "t") return {0.0, {}};
    return {std::nullopt, named + " needs a unit (" + kLengthExamples + ")"};
  }
  const auto* unit = std::find_if(std::begin(kLengthUnits), std::end(kLengthUnits),
                                  [&](const LengthUnit& u) { return rest == u.symbol; });
  if (unit != std::end(kLengthUnits)) return {unit->Metres(*number), {}};
  return {std::nullopt, named + " has no unit it knows (" + kLengthExamples + ")"};
}

// The shortest of a length's texts in mm, um and m that reads back the same.
std::string LengthText(double metres) {
  std::string best = ShortestText(metres) + "m";
  for (const LengthUnit& unit : kLengthUnits) {
    if (unit.symbol != "mm" && unit.symbol != "um") continue;
    const std::string number = ShortestText(metres * unit.per / unit.times);
    double back = 0.0;
    std::from_chars(number.data(), number.data() + number.size(), back);
    const std::string text = number + std::string(unit.symbol);
    if (unit.Metres(back) == metres && text.size() < best.size()) best = text;
  }
  return best;
}

}  // namespace

std::optional<std::string> CheckSubstrate(const Substrate& s) {
  if (!std::isfinite(s.er) || s.er <= 1.0 || s.er > kMaxSubstrateEr) {
    return "er must be above 1 and at most 100 (it is " + ShortestText(s.er) + ")";
  }
  if (!std::isfinite(s.h) || s.h <= 0.0) {
    return "h must be a positive length (it is " + FormatEngineering(s.h, "m") + ")";
  }
  if (!std::isfinite(s.t) || s.t < 0.0) {
    return "t must not be negative (it is " + FormatEngineering(s.t, "m") + ")";
  }
  if (s.t >= s.h) {
    return "t must be thinner than h (t is " + FormatEngineering(s.t, "m") + ", h " +
           FormatEngineering(s.h, "m") + ")";
  }
  if (!std::isfinite(s.tand) || s.tand < 0.0 || s.tand >= 1.0) {
    return "tand must be from 0 to below 1 (it is " + ShortestText(s.tand) + ")";
  }
  return std::nullopt;
}

ReadSubstrateResult ReadSubstrate(std::string_view text) {
  const std::string quoted = "\u201c" + std::string(text) + "\u201d: ";
  const auto refuse = [&quoted](const std::string& why) {
    return ReadSubstrateResult{std::nullopt, quoted + why};
  };
  constexpr std::string_view kKeys[] = {"er", "h", "t", "tand"};
  bool given[4] = {false, false, false, false};
  Substrate s;  // er and h are always given; t and tand are 0 unless given
  std::string_view rest = text;
  while (true) {
    const std::size_t comma = rest.find(',');
    const std::string_view item = Trim(rest.substr(0, comma));
    const std::size_t equals = item.find('=');
    if (equals == std::string_view::npos) {
      if (item.empty()) return refuse("a property is missing (write er=4.3,h=1.6mm)");
      return refuse(std::string(item) + " is not key=value (write er=4.3,h=1.6mm)");
    }
    const std::string_view key = Trim(item.substr(0, equals));
    const std::string_view value = Trim(item.substr(equals + 1));
    std::size_t index = 0;
    while (index < 4 && kKeys[index] != key) ++index;
    if (index == 4) {
      return refuse("\u201c" + std::string(key) + "\u201d is not a property (er, h, t or tand)");
    }
    if (given[index]) return refuse(std::string(key) + " is given twice");
    given[index] = true;
    if (key == "h" || key == "t") {
      const LengthRead length = ReadLength(key, value);
      if (!length.metres) return refuse(length.error);
      (key == "h" ? s.h : s.t) = *length.metres;
    } else {
      std::string_view number_text = value;
      const auto number = LeadingNumber(number_text);
      if (!number || !number_text.empty()) {
        return refuse(std::string(key) + "=" + std::string(value) + " is not a number");
      }
      (key == "er" ? s.er : s.tand) = *number;
    }
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  if (!given[0]) return refuse("er is missing (write er=4.3,h=1.6mm)");
  if (!given[1]) return refuse("h is missing (write er=4.3,h=1.6mm)");
  if (const auto problem = CheckSubstrate(s)) return refuse(*problem);
  return {s, {}};
}

std::string SubstrateText(const Substrate& s) {
  std::string text = "er=" + ShortestText(s.er) + ",h=" + LengthText(s.h);
  if (s.t != 0.0) text += ",t=" + LengthText(s.t);
  if (s.tand != 0.0) text += ",tand=" + ShortestText(s.tand);
  return text;
}

std::optional<MicrostripFigures> AnalyseMicrostrip(const Substrate& s, double width, double hertz) {
  if (CheckSubstrate(s) || !std::isfinite(width) || width <= 0.0 || !std::isfinite(hertz) ||
      hertz < 0.0) {
    return std::nullopt;
  }
  const double fn = hertz * s.h * 1e-6;  // GHz mm
  if (fn > kMaxMicrostripGHzMm) return std::nullopt;
  const QuasiStatic line = QuasiStaticLine(s, width);
  const double er_eff = DispersedPermittivity(line, s.er, fn);
  const double z0 = DispersedImpedance(line, s.er, fn, er_eff);
  if (!std::isfinite(z0) || !std::isfinite(er_eff) || z0 <= 0.0 || er_eff <= 0.0) {
    return std::nullopt;
  }
  return MicrostripFigures{z0, er_eff};
}

std::optional<double> MicrostripWidth(const Substrate& s, double z0, double hertz) {
  if (!std::isfinite(z0) || z0 <= 0.0) return std::nullopt;
  // How far the impedance at a width is above z0; nothing where the model
  // gives none.
  const auto above = [&](double width) -> std::optional<double> {
    const auto figures = AnalyseMicrostrip(s, width, hertz);
    if (!figures) return std::nullopt;
    return figures->z0 - z0;
  };
  // Widths a factor of 10^(6/96) apart bracket the crossings, narrowest
  // first; bisection narrows each to the last bit, and the first where the
  // impedance meets z0 (not one where the model jumps over it) is the width.
  constexpr int kSteps = 96;
  double narrow = 1e-3 * s.h;
  std::optional<double> narrow_above = above(narrow);
  for (int step = 1; step <= kSteps; ++step) {
    const double wide = s.h * std::pow(10.0, -3.0 + 6.0 * step / kSteps);
    const std::optional<double> wide_above = above(wide);
    if (narrow_above && *narrow_above == 0.0) return narrow;
    if (narrow_above && wide_above && (*narrow_above > 0.0) != (*wide_above > 0.0)) {
      double lo = narrow, hi = wide, lo_above = *narrow_above, hi_above = *wide_above;
      for (double mid = lo + (hi - lo) / 2.0; mid > lo && mid < hi; mid = lo + (hi - lo) / 2.0) {
        const std::optional<double> mid_above = above(mid);
        if (!mid_above) break;
        if ((*mid_above > 0.0) == (lo_above > 0.0)) {
          lo = mid;
          lo_above = *mid_above;
        } else {
          hi = mid;
          hi_above = *mid_above;
        }
      }
      const bool lo_nearer = std::fabs(lo_above) <= std::fabs(hi_above);
      if (std::fabs(lo_nearer ? lo_above : hi_above) <= 1e-9 * z0) return lo_nearer ? lo : hi;
    }
    narrow = wide;
    narrow_above = wide_above;
  }
  if (narrow_above && *narrow_above == 0.0) return narrow;
  return std::nullopt;
}

std::optional<double> MicrostripLength(const Substrate& s, double width, double radians,
                                       double hertz) {
  if (!std::isfinite(radians) || radians < 0.0 || !(hertz > 0.0)) return std::nullopt;
  const auto figures = AnalyseMicrostrip(s, width, hertz);
  if (!figures) return std::nullopt;
  return radians * kSpeedOfLight / (2.0 * kPi * hertz * std::sqrt(figures->er_eff));
}

std::optional<double> MicrostripRadians(const Substrate& s, double width, double length,
                                        double hertz) {
  if (!std::isfinite(length) || length < 0.0 || !(hertz > 0.0)) return std::nullopt;
  const auto figures = AnalyseMicrostrip(s, width, hertz);
  if (!figures) return std::nullopt;
  return length * 2.0 * kPi * hertz * std::sqrt(figures->er_eff) / kSpeedOfLight;
}

std::optional<Strip> StripFor(const Substrate& s, double z0, double degrees, double hertz) {
  const auto width = MicrostripWidth(s, z0, hertz);
  if (!width) return std::nullopt;
  const auto length = MicrostripLength(s, *width, std::fabs(degrees) * kPi / 180.0, hertz);
  if (!length) return std::nullopt;
  return Strip{*width, degrees < 0.0 ? -*length : *length};
}

}  // namespace vorda::rf
