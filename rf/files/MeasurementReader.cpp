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

}  // namespace vorda::rf
