// A measurement read from a Touchstone one-port file.
#pragma once

#include <optional>

#include "rf/circuit/Measurement.h"
#include "rf/files/Touchstone.h"

namespace vorda::rf {

// Reads a whole file; throws TouchstoneError, also for a file with no point
// above 0 Hz.
Measurement ReadMeasurement(ByteSource source);

}  // namespace vorda::rf
