#include "rf/circuit/ReferencePlane.h"

#include <algorithm>

#include "rf/circuit/FrequencyAxis.h"
#include "rf/circuit/Network.h"
#include "rf/circuit/Units.h"

namespace vorda::rf {

namespace {

// The fixture's S-parameters at a frequency within its data.
TwoPortPoint At(const TwoPortData& d, double hertz) {
  const auto hi = std::lower_bound(d.points.begin(), d.points.end(), hertz,
                                   [](const TwoPortPoint& p, double f) { return p.hertz < f; });
  if (hi->hertz == hertz || hi == d.points.begin()) return *hi;
  const TwoPortPoint& a = *(hi - 1);
  const TwoPortPoint& b = *hi;
  const double t = (hertz - a.hertz) / (b.hertz - a.hertz);
  const auto mix = [t](std::complex<double> x, std::complex<double> y) { return x + t * (y - x); };
  return {hertz, mix(a.s11, b.s11), mix(a.s21, b.s21), mix(a.s12, b.s12), mix(a.s22, b.s22)};
}

}  // namespace

Measurement Extended(const Measurement& measured, Line line) {
  if (line.impedance == 0.0) line.impedance = measured.reference;
  line.degrees = -line.degrees;  // the line between the planes, taken off
  line.given = -line.given;
  const Network back{{SeriesLine(line)}};
  Measurement m = measured;
  for (LoadPoint& p : m.points) p.z = back.InputImpedance(p.hertz, p.z);
  return m;
}

Deembedded Deembed(const Measurement& measured, const TwoPortData& fixture,
                   const std::string& name) {
  if (fixture.points.empty()) return {std::nullopt, name + " holds no frequencies"};
  const double first = fixture.points.front().hertz, last = fixture.points.back().hertz;
  Measurement m = measured;
  const double r = fixture.reference;
  for (LoadPoint& p : m.points) {
    if (p.hertz < first || p.hertz > last) {
      return {std::nullopt, "the measurement at " + FormatEngineering(p.hertz, "Hz") +
                                " lies outside the fixture " + name + "'s " +
                                RangeText(first, last)};
    }
    const TwoPortPoint s = At(fixture, p.hertz);
    const std::complex<double> gm = GammaOf(p.z, r);
    const std::complex<double> g = (gm - s.s11) / (s.s12 * s.s21 + s.s22 * (gm - s.s11));
    p.z = ImpedanceOf(g, r);
  }
  return {m, {}};
}

Deembedded MovedToPart(const Measurement& measured, const TwoPortData* fixture,
                       const std::string& name, const std::optional<Line>& extend) {
  Deembedded d{measured, {}};
  if (fixture != nullptr) d = Deembed(measured, *fixture, name);
  if (d.measurement && extend) d.measurement = Extended(*d.measurement, *extend);
  return d;
}

}  // namespace vorda::rf
