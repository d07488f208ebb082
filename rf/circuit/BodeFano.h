// The physical limit of a match over a band: when the load across the band
// is an R-L, R-C or R-L-C circuit, the Bode-Fano integrals bound the best
// worst-case reflection any lossless network of any size can reach from a
// resistive source. For a series R-L load, the integral of ln(1/|gamma|)
// over all frequencies is at most pi R / L, so a constant |gamma| across
// [w1, w2] cannot be below exp(-pi R / (L (w2 - w1))). A series R-L-C load
// obeys both its inductor's integral and its capacitor's (of
// ln(1/|gamma|) / w^2, at most pi R C), and the tighter of the two holds.
#pragma once

#include <optional>
#include <vector>

#include "rf/circuit/Load.h"

namespace vorda::rf {

enum class LoadCircuit { kSeriesRL, kSeriesRC, kParallelRC, kParallelRL, kSeriesRLC, kParallelRLC };

// "series R-L", "series R-C", "parallel R-C", "parallel R-L", "series
// R-L-C", "parallel R-L-C".
const char* CircuitName(LoadCircuit circuit);

// A load fitted by least squares at the given frequencies: its resistance,
// its inductance or capacitance, and the relative RMS distance of the fit
// from the load (|Z - Zfit| against |Z|).
struct LoadFit {
  LoadCircuit circuit = LoadCircuit::kSeriesRL;
  double resistance = 0.0;   // ohms
  double reactive = 0.0;     // henries or farads; of an R-L-C circuit, its inductance
  double capacitance = 0.0;  // of an R-L-C circuit, farads
  double error = 0.0;
};

// Whether a circuit has an inductor, and a capacitor.
bool HasInductance(LoadCircuit circuit);
bool HasCapacitance(LoadCircuit circuit);

// The best of the circuits with a positive R, L and C; an R-L-C circuit
// only where it halves the error of the best R-L or R-C one.
std::optional<LoadFit> FitLoad(const LoadModel& load, const std::vector<double>& frequencies);

// The fits a bound is given for: within 5 % of the load.
inline constexpr double kFitTolerance = 0.05;

struct BodeFanoBound {
  LoadFit fit;
  // The least worst-case |gamma| over [start, stop], as a return loss: no
  // lossless network does better.
  double worst_return_loss_db = 0.0;
};

// Nothing for a band of no width, or a load no circuit fits within the
// tolerance.
std::optional<BodeFanoBound> BodeFano(const LoadModel& load, double start, double stop,
                                      const std::vector<double>& frequencies);

}  // namespace vorda::rf
