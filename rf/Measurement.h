// A measured load from a Touchstone file, at any frequency within its range.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "rf/Load.h"
#include "rf/Match.h"
#include "rf/Touchstone.h"

namespace vorda::rf {

// The load between two measured points, linear in the real and imaginary
// parts of the reflection coefficient referred to the file's reference;
// exactly the measured impedance at a measured frequency.
Impedance Interpolate(const LoadPoint& a, const LoadPoint& b, double hertz, double reference);

// Two neighbouring measured points much farther apart than the points on
// either side of them (ten times): the load between them is a guess.
struct Gap {
  double from = 0.0;
  double to = 0.0;
};
inline constexpr double kGapFactor = 10.0;

// A whole file in memory. Points at 0 Hz (a network analyser's DC point)
// are left out: no L-section exists there, and no design, band or sweep
// uses them.
struct Measurement {
  double reference = 50.0;
  std::vector<LoadPoint> points;  // above 0 Hz, strictly increasing, at least one
  std::size_t dc_points = 0;      // points at 0 Hz in the file

  double First() const { return points.front().hertz; }
  double Last() const { return points.back().hertz; }
  bool Covers(double hertz) const { return hertz >= First() && hertz <= Last(); }
  // The load at a frequency within the range.
  Impedance At(double hertz) const;
  std::vector<double> Frequencies() const;
  // The gap a frequency within the range falls in, if it falls in one.
  std::optional<Gap> GapAt(double hertz) const;
};

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

// "the load at 5 MHz is interpolated across a gap in the measurement, from
// 1 kHz to 7 MHz".
std::string GapWarning(double hertz, const Gap& gap);

// The measurement as the load of a network.
class MeasuredLoad : public LoadModel {
 public:
  explicit MeasuredLoad(const Measurement& m) : m_(m) {}
  Impedance At(double hertz) const override { return m_.At(hertz); }

 private:
  const Measurement& m_;
};

}  // namespace vorda::rf
