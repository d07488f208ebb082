// A measurement read from a Touchstone one-port file: whole, or only what
// the load at one frequency needs.
#pragma once

#include <optional>

#include "rf/circuit/Measurement.h"
#include "rf/files/Touchstone.h"

namespace vorda::rf {

// Reads a whole file; throws TouchstoneError, also for a file with no point
// above 0 Hz.
Measurement ReadMeasurement(ByteSource source);

// Reads a whole file, keeping only what the load at one frequency needs.
// Nothing when the frequency lies outside the file's range above 0 Hz.
// Throws TouchstoneError.
struct LoadAtFrequency {
  std::optional<Impedance> load;
  double first = 0.0, last = 0.0;  // the file's range above 0 Hz
  std::optional<Gap> gap;          // the frequency falls in a gap
};
LoadAtFrequency ReadLoadAt(ByteSource source, double hertz);

}  // namespace vorda::rf
