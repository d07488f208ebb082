// What the band search minimises, fast: the worst of a figure of a ladder
// over the band's points, for its parts' values given as decimal
// logarithms, and a smooth stand-in for it (the mean of a high power of
// it) that a local search can follow. At each point the figure is what its
// margin to its goal makes it, 10^(-margin / 10): the reflection |gamma|^2
// times the return loss asked for, or the transducer gain asked for over
// the gain, or the gain of a band to reject times the attenuation asked
// for; at most 1 where every goal is met, and |gamma|^2 itself where there
// is none. Plain arithmetic and the portable powers of ten only, so that
// the same values give the same bits on every platform.
//
// This is the search's inner loop: the same elements and the same part
// impedance (PartKernel) as the cascade of rf/circuit/Cascade.h, walked
// without what the cascade carries beside the impedance; a test holds the
// two equal to rounding over random ladders, loads and frequencies.
#pragma once

#include <complex>
#include <optional>
#include <vector>

#include "rf/circuit/Network.h"

namespace vorda::rf {

// What a point's figure is of: the reflection at the input, the transducer
// gain (the power the load gets of what the source offers: mismatch and
// losses together), or the gain of a band the network is to reject.
enum class PointFigure { kReflection, kGain, kReject };

// The load and the source at one frequency of the band, and 2 pi f; what
// is asked of the network there, and the weight that makes its figure 1
// where the goal is just met.
struct BandPoint {
  double hertz = 0.0;
  double omega = 0.0;
  std::complex<double> load;
  std::complex<double> source;
  PointFigure figure = PointFigure::kReflection;
  double weight = 1.0;
};

// A line's length is searched in half turns of its phase (degrees / 180).
inline constexpr double kHalfTurn = 180.0;

class BandObjective {
 public:
  // shape: the ladder's parts from the source side (their kinds, positions
  // and quality factors; values are given to each call).
  BandObjective(const Network& shape, std::vector<BandPoint> points);

  std::size_t Size() const { return parts_.size(); }
  const std::vector<BandPoint>& Points() const { return points_; }
  // The worst figure over the points (|gamma|^2 where nothing else is
  // asked) for the parts' values 10^u[i] (a line's degrees 180 u[i]);
  // infinite where a figure is no number.
  double Worst(const double* u) const;
  // The mean of the figure to the power (a power of two): it approaches
  // the worst as power grows, and varies smoothly with the values.
  double Smooth(const double* u, int power) const;
  // The figure at each point.
  void Gammas(const double* u, std::vector<double>& g2) const;
  // The same for the parts' values themselves (henries and farads).
  double WorstOf(const double* values) const;
  void GammasOf(const double* values, std::vector<double>& g2) const;

 private:
  // A part's position and what it is made of: its kernel, or its data; or
  // a line (its value is its electrical length, degrees at its frequency).
  struct Piece {
    bool series;
    PartKernel kernel;
    double nominal;                              // of a measured part
    std::vector<std::complex<double>> measured;  // its impedance at each point
    std::optional<Line> line;
    std::vector<double> ratio;                    // a line's: f / its frequency, each point
    std::vector<std::pair<double, double>> loss;  // its cosh and sinh of the loss
  };
  double Gamma2(std::size_t at, const double* values) const;
  // The transducer gain: the voltage and current walked from the load.
  double Gain(std::size_t at, const double* values) const;
  // A part's impedance at a point (not a series line).
  std::complex<double> PieceImpedance(const Piece& part, std::size_t at, double value) const;
  double Figure(std::size_t at, const double* values) const;
  void Values(const double* u, double* values) const;

  std::vector<Piece> parts_;
  std::vector<BandPoint> points_;
};

}  // namespace vorda::rf
