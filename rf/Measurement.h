// A measured load from a Touchstone file, at any frequency within its range.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "rf/Load.h"
#include "rf/Section.h"
#include "rf/Touchstone.h"

namespace vorda::rf {

// The load between two measured points, linear in the real and imaginary
// parts of the reflection coefficient referred to the file's reference;
// exactly the measured impedance at a measured frequency.
Impedance Interpolate(const LoadPoint& a, const LoadPoint& b, double hertz, double reference);

// A whole file in memory.
struct Measurement {
  double reference = 50.0;
  std::vector<LoadPoint> points;  // strictly increasing frequencies, at least one

  double First() const { return points.front().hertz; }
  double Last() const { return points.back().hertz; }
  bool Covers(double hertz) const { return hertz >= First() && hertz <= Last(); }
  // The load at a frequency within the range.
  Impedance At(double hertz) const;
  std::vector<double> Frequencies() const;
};

// Reads a whole file; throws TouchstoneError.
Measurement ReadMeasurement(ByteSource source);

// Reads a whole file, keeping only what the load at one frequency needs.
// Nothing when the frequency lies outside the file's range. Throws
// TouchstoneError.
struct LoadAtFrequency {
  std::optional<Impedance> load;
  double first = 0.0, last = 0.0;  // the file's range
};
LoadAtFrequency ReadLoadAt(ByteSource source, double hertz);

// The measurement as the load of a section.
class MeasuredLoad : public LoadModel {
 public:
  explicit MeasuredLoad(const Measurement& m) : m_(m) {}
  Impedance At(double hertz) const override { return m_.At(hertz); }

 private:
  const Measurement& m_;
};

}  // namespace vorda::rf
