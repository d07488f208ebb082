// A measured load from a Touchstone file, at any frequency within its range.
#pragma once

#include <complex>
#include <optional>
#include <string>
#include <vector>

#include "rf/circuit/Load.h"
#include "rf/circuit/Match.h"

namespace vorda::rf {

// One measured point: the frequency and the load impedance in ohms.
struct LoadPoint {
  double hertz = 0.0;
  std::complex<double> z;
};

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

// Up to four points in a row, the two around a frequency in the middle:
// whether the spacing between the middle two is a gap.
std::optional<Gap> GapOf(const std::optional<double>& before, double a, double b,
                         const std::optional<double>& after);

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
  // The measured points from `from` to `to` (the two around each when it
  // lies between points) whose load is not passive: |reflection
  // coefficient| of one or more (to within 1e-9), R not above zero.
  std::vector<LoadPoint> NotPassive(double from, double to) const;
  // Where the load is known around a frequency within the range: from the
  // lowest to the highest frequency reached from it through passive points
  // alone. Past a point that is not passive the file says nothing about
  // the load; just the frequency when a point next to it is such a point.
  struct Stretch {
    double low = 0.0;
    double high = 0.0;
  };
  Stretch PassiveAround(double hertz) const;
  // Whether the load at a frequency is a load: within the range, from
  // passive points.
  bool Knows(double hertz) const { return Covers(hertz) && NotPassive(hertz, hertz).empty(); }
};

// Why points are no load to design for, naming up to three: "the measured
// load is not passive at 150 MHz (|S11| 1.3) and 151 MHz (|S11| 1)".
std::string NotPassiveText(const std::vector<LoadPoint>& points, double reference);

// "the load at 5 MHz is interpolated across a gap in the measurement, from
// 1 kHz to 7 MHz".
std::string GapWarning(double hertz, const Gap& gap);

// The measurement as the load of a network.
class MeasuredLoad : public LoadModel {
 public:
  explicit MeasuredLoad(const Measurement& m) : m_(m) {}
  Impedance At(double hertz) const override { return m_.At(hertz); }
  bool Knows(double hertz) const override { return m_.Knows(hertz); }

 private:
  const Measurement& m_;
};

}  // namespace vorda::rf
