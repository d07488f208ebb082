#include "rf/circuit/Measurement.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

#include "rf/circuit/Units.h"

namespace vorda::rf {

std::optional<Gap> GapOf(const std::optional<double>& before, double a, double b,
                         const std::optional<double>& after) {
  const double spacing = b - a;
  double usual = 0.0;
  if (before) usual = std::max(usual, a - *before);
  if (after) usual = std::max(usual, *after - b);
  if (usual == 0.0 || spacing <= kGapFactor * usual) return std::nullopt;
  return Gap{a, b};
}

Impedance Interpolate(const LoadPoint& a, const LoadPoint& b, double hertz, double reference) {
  if (hertz == a.hertz) return a.z;
  if (hertz == b.hertz) return b.z;
  const double t = (hertz - a.hertz) / (b.hertz - a.hertz);
  const Impedance ga = GammaOf(a.z, reference);
  const Impedance gb = GammaOf(b.z, reference);
  return ImpedanceOf(ga + t * (gb - ga), reference);
}

Impedance Measurement::At(double hertz) const {
  if (!Covers(hertz)) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    return {nan, nan};
  }
  const auto above = std::lower_bound(points.begin(), points.end(), hertz,
                                      [](const LoadPoint& p, double f) { return p.hertz < f; });
  if (above->hertz == hertz) return above->z;
  return Interpolate(*(above - 1), *above, hertz, reference);
}

std::vector<double> Measurement::Frequencies() const {
  std::vector<double> f;
  f.reserve(points.size());
  std::transform(points.begin(), points.end(), std::back_inserter(f),
                 [](const LoadPoint& p) { return p.hertz; });
  return f;
}

std::optional<Gap> Measurement::GapAt(double hertz) const {
  if (!Covers(hertz)) return std::nullopt;
  const auto above = std::lower_bound(points.begin(), points.end(), hertz,
                                      [](const LoadPoint& p, double f) { return p.hertz < f; });
  if (above->hertz == hertz) return std::nullopt;  // measured there
  const auto below = above - 1;
  const std::optional<double> before =
      below != points.begin() ? std::optional<double>((below - 1)->hertz) : std::nullopt;
  const std::optional<double> after =
      above + 1 != points.end() ? std::optional<double>((above + 1)->hertz) : std::nullopt;
  return GapOf(before, below->hertz, above->hertz, after);
}

namespace {

// |gamma| within rounding of 1 is a lossless load's, R zero but for
// rounding; NaN is no load either.
bool Passive(const LoadPoint& p, double reference) {
  return Magnitude(GammaOf(p.z, reference)) < 1.0 - 1e-9;
}

}  // namespace

Measurement::Stretch Measurement::PassiveAround(double hertz) const {
  if (!Covers(hertz)) return {hertz, hertz};
  // The points around the frequency: one when it is measured there.
  auto hi = std::lower_bound(points.begin(), points.end(), hertz,
                             [](const LoadPoint& p, double f) { return p.hertz < f; });
  auto lo = hi->hertz == hertz ? hi : hi - 1;
  if (!Passive(*lo, reference) || !Passive(*hi, reference)) return {hertz, hertz};
  while (lo != points.begin() && Passive(*(lo - 1), reference)) --lo;
  while (hi + 1 != points.end() && Passive(*(hi + 1), reference)) ++hi;
  return {lo->hertz, hi->hertz};
}

std::vector<LoadPoint> Measurement::NotPassive(double from, double to) const {
  // From the last point at or below `from` to the first at or above `to`.
  const auto above_from = std::upper_bound(
      points.begin(), points.end(), from, [](double f, const LoadPoint& p) { return f < p.hertz; });
  auto lo = above_from == points.begin() ? above_from : above_from - 1;
  auto hi = std::lower_bound(points.begin(), points.end(), to,
                             [](const LoadPoint& p, double f) { return p.hertz < f; });
  if (hi == points.end()) --hi;
  std::vector<LoadPoint> bad;
  for (; lo <= hi; ++lo) {
    if (!Passive(*lo, reference)) bad.push_back(*lo);
  }
  return bad;
}

std::string NotPassiveText(const std::vector<LoadPoint>& points, double reference) {
  std::string s = "the measured load is not passive (R not above zero, |S11| of 1 or more) at ";
  for (std::size_t i = 0; i < points.size() && i < 3; ++i) {
    if (i > 0) s += i + 1 == points.size() || i == 2 ? " and " : ", ";
    // |S11|; far above 1 (the impedance close to -reference, where |S11|
    // says little after the round trip through it), the resistance; a
    // point that is no number at all as such.
    const Impedance z = points[i].z;
    const double g = Magnitude(GammaOf(z, reference));
    std::string why = "no impedance";
    if (g <= 1e3) {
      why = "|S11| " + DigitsText(g, 4);
    } else if (std::isfinite(z.real())) {
      why = "R " + DigitsText(z.real(), 4) + " ohms";
    }
    s += FormatEngineering(points[i].hertz, "Hz") + " (" + why + ")";
  }
  if (points.size() > 3) s += " and " + std::to_string(points.size() - 3) + " more points";
  return s + ": no network of real parts matches it";
}

std::string GapWarning(double hertz, const Gap& gap) {
  return "the load at " + FormatEngineering(hertz, "Hz") +
         " is interpolated across a gap in the measurement, from " +
         FormatEngineering(gap.from, "Hz") + " to " + FormatEngineering(gap.to, "Hz");
}

}  // namespace vorda::rf
