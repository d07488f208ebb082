// The Compute operation of the main window: normalize the load, classify it
// on the Smith chart, refuse a type that cannot match it, and otherwise solve
// the section and show its two components.
#pragma once

#include <optional>

#include "engine/ArithmeticFault.h"
#include "engine/ComputeView.h"

namespace vorda {

inline constexpr const char* kBoundaryPrompt =
    "The impedance lies directly on the boundary of one of the circles. This could result in "
    "computational error or a trivial condition where one of the two reactance components is "
    "zero.";
inline constexpr const char* kBoundaryTitle = "Warning!";
inline constexpr const char* kRefusedPrompt =
    "This L-Section type is incorrect for the Region or Domain of this load";
inline constexpr const char* kRefusedTitle = "Skipping computations";
inline constexpr const char* kTypeRangePrompt = "The TypeIndex is not in the range 1 to 8.";
inline constexpr const char* kInternalErrorTitle = "Serious Internal Program Error";

enum class Outcome {
  kComputed,    // both components were computed and shown
  kRefused,     // the type does not serve the load's region
  kOutOfRange,  // TypeIndex outside 1 to 8
  kFault,       // an arithmetic fault ended the run
};

// What one run did, beyond the labels and boxes the view saw.
struct ComputeRun {
  Outcome outcome = Outcome::kFault;
  std::optional<ArithmeticFault> fault;
  // Region code after the boundary step; empty when the run ended before it.
  std::optional<int> region;
  // The load lay exactly on the r = 1 or g = 1 circle: the run warned of it.
  bool on_boundary = false;
  double z0 = 0.0;
  double load_r = 0.0;  // the load in ohms, as converted
  double load_x = 0.0;
  double r = 0.0;  // normalized load
  double x = 0.0;
  // Component reactances, normalized; set when the run computed them.
  std::optional<double> second;
  std::optional<double> first;
};

// Region code of a normalized load with admittance g + jb, before the
// boundary step: 0 when the load lies exactly on the r = 1 or g = 1 circle or
// no test holds.
int ClassifyRegion(double r, double x, double g, double b);

// One run of the Compute operation. An arithmetic fault ends the run where it
// happens and is then made known through view.FaultNotice.
ComputeRun cmdCompute_Click(ComputeView& view);

// The three numbers the input texts convert to: the normalizing resistance
// and the load's real and imaginary parts, in ohms.
struct LoadNumbers {
  double z0 = 0.0;
  double load_r = 0.0;
  double load_x = 0.0;
};

// The same run from numbers instead of the input boxes' texts: every step
// after the conversion is the one above, with the same labels, boxes and
// faults. The view's input texts are not read.
ComputeRun ComputeWithNumbers(ComputeView& view, const LoadNumbers& numbers);

}  // namespace vorda
