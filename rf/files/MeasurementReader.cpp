#include "rf/files/MeasurementReader.h"

namespace vorda::rf {

Measurement ReadMeasurement(ByteSource source) {
  TouchstoneReader reader(std::move(source));
  Measurement m;
  LoadPoint p;
  while (reader.Next(p)) {
    if (p.hertz > 0.0) {
      m.points.push_back(p);
    } else {
      ++m.dc_points;
    }
  }
  m.reference = reader.Reference();
  if (m.points.empty()) {
    throw TouchstoneError(reader.Line(),
                          "the file holds no point above 0 Hz (no L-section "
                          "exists at 0 Hz)");
  }
  return m;
}

LoadAtFrequency ReadLoadAt(ByteSource source, double hertz) {
  TouchstoneReader reader(std::move(source));
  LoadAtFrequency result;
  LoadPoint p;
  bool any = false;
  std::optional<LoadPoint> below, above;  // the frequency's neighbours
  std::optional<double> before, after;    // and the points beyond them
  while (reader.Next(p)) {
    if (!(p.hertz > 0.0)) continue;
    if (!any) result.first = p.hertz;
    any = true;
    result.last = p.hertz;
    if (above) {
      if (!after) after = p.hertz;
      continue;
    }
    if (p.hertz <= hertz) {
      if (below) before = below->hertz;
      below = p;
    }
    if (p.hertz >= hertz) above = p;
  }
  if (below && above) {
    result.load = Interpolate(*below, *above, hertz, reader.Reference());
    if (below->hertz != above->hertz) {
      result.gap = GapOf(before, below->hertz, above->hertz, after);
    }
  }
  return result;
}

}  // namespace vorda::rf
