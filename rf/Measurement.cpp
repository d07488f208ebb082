#include "rf/Measurement.h"

#include <algorithm>
#include <iterator>
#include <limits>

namespace vorda::rf {

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

Measurement ReadMeasurement(ByteSource source) {
  TouchstoneReader reader(std::move(source));
  Measurement m;
  LoadPoint p;
  while (reader.Next(p)) m.points.push_back(p);
  m.reference = reader.Reference();
  return m;
}

LoadAtFrequency ReadLoadAt(ByteSource source, double hertz) {
  TouchstoneReader reader(std::move(source));
  LoadAtFrequency result;
  LoadPoint p;
  bool first = true;
  std::optional<LoadPoint> below, above;
  while (reader.Next(p)) {
    if (first) result.first = p.hertz;
    first = false;
    result.last = p.hertz;
    if (p.hertz <= hertz) below = p;
    if (p.hertz >= hertz && !above) above = p;
  }
  if (below && above) result.load = Interpolate(*below, *above, hertz, reader.Reference());
  return result;
}

}  // namespace vorda::rf
