#include "rf/circuit/BodeFano.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

#include "rf/circuit/Match.h"
#include "rf/circuit/Parts.h"

namespace vorda::rf {

namespace {

// 20 log10(e): a reflection of exp(-a) is a return loss of a times this.
constexpr double kDbPerNeper = 8.685889638065035;

// The circuit's impedance at w.
std::complex<double> CircuitAt(const LoadFit& fit, double w) {
  const double l = fit.reactive, c = fit.reactive;
  switch (fit.circuit) {
    case LoadCircuit::kSeriesRL:
      return {fit.resistance, w * l};
    case LoadCircuit::kSeriesRC:
      return {fit.resistance, -1.0 / (w * c)};
    case LoadCircuit::kParallelRC:
      return 1.0 / std::complex<double>(1.0 / fit.resistance, w * c);
    case LoadCircuit::kParallelRL:
      return 1.0 / std::complex<double>(1.0 / fit.resistance, -1.0 / (w * l));
    case LoadCircuit::kSeriesRLC:
      return {fit.resistance, w * l - 1.0 / (w * fit.capacitance)};
    case LoadCircuit::kParallelRLC:
      break;
  }
  return 1.0 / std::complex<double>(1.0 / fit.resistance, w * fit.capacitance - 1.0 / (w * l));
}

double FitError(const LoadModel& load, const std::vector<double>& f, const LoadFit& fit) {
  double diff = 0, total = 0;
  for (const double hz : f) {
    const std::complex<double> zl = load.At(hz);
    diff += Norm2(zl - CircuitAt(fit, kTwoPi * hz));
    total += Norm2(zl);
  }
  return std::sqrt(diff / total);
}

bool Parallel(LoadCircuit c) {
  return c == LoadCircuit::kParallelRC || c == LoadCircuit::kParallelRL ||
         c == LoadCircuit::kParallelRLC;
}

// R and the reactive parts of one circuit, fitted in impedance (series) or
// admittance (parallel): the real part's mean, and the reactive part's
// least squares against w (an inductance or capacitance), against -1 / w,
// or against both (an R-L-C circuit).
std::optional<LoadFit> Fit(const LoadModel& load, const std::vector<double>& f, LoadCircuit c) {
  double n = 0, re = 0, w_x = 0, w2 = 0, x_w = 0, inv_w2 = 0;
  for (const double hz : f) {
    const double w = kTwoPi * hz;
    std::complex<double> v = load.At(hz);
    if (Parallel(c)) v = 1.0 / v;
    n += 1;
    re += v.real();
    w_x += w * v.imag();
    w2 += w * w;
    x_w += v.imag() / w;
    inv_w2 += 1.0 / (w * w);
  }
  LoadFit fit;
  fit.circuit = c;
  const double mean = re / n;
  fit.resistance = Parallel(c) ? 1.0 / mean : mean;
  // X = a w - b / w: a alone (L, or C in admittance), b alone (1 / C, or
  // 1 / L), or both from the normal equations.
  double a = 0, b = 0;
  if (c == LoadCircuit::kSeriesRL || c == LoadCircuit::kParallelRC) {
    a = w_x / w2;
  } else if (c == LoadCircuit::kSeriesRC || c == LoadCircuit::kParallelRL) {
    b = -x_w / inv_w2;
  } else {
    const double det = w2 * inv_w2 - n * n;
    a = (w_x * inv_w2 - n * x_w) / det;
    b = (w_x * n - w2 * x_w) / det;
  }
  switch (c) {
    case LoadCircuit::kSeriesRL:
    case LoadCircuit::kParallelRC:
      fit.reactive = a;
      break;
    case LoadCircuit::kSeriesRC:
    case LoadCircuit::kParallelRL:
      fit.reactive = 1.0 / b;
      break;
    case LoadCircuit::kSeriesRLC:
      fit.reactive = a;
      fit.capacitance = 1.0 / b;
      break;
    case LoadCircuit::kParallelRLC:
      fit.reactive = 1.0 / b;
      fit.capacitance = a;
      break;
  }
  const bool three = c == LoadCircuit::kSeriesRLC || c == LoadCircuit::kParallelRLC;
  if (!(fit.resistance > 0.0) || !(fit.reactive > 0.0) || !std::isfinite(fit.reactive) ||
      (three && (!(fit.capacitance > 0.0) || !std::isfinite(fit.capacitance)))) {
    return std::nullopt;
  }
  fit.error = FitError(load, f, fit);
  if (!std::isfinite(fit.error)) return std::nullopt;
  return fit;
}

}  // namespace

const char* CircuitName(LoadCircuit circuit) {
  switch (circuit) {
    case LoadCircuit::kSeriesRL:
      return "series R-L";
    case LoadCircuit::kSeriesRC:
      return "series R-C";
    case LoadCircuit::kParallelRC:
      return "parallel R-C";
    case LoadCircuit::kParallelRL:
      return "parallel R-L";
    case LoadCircuit::kSeriesRLC:
      return "series R-L-C";
    case LoadCircuit::kParallelRLC:
      break;
  }
  return "parallel R-L-C";
}

bool HasInductance(LoadCircuit c) {
  return c != LoadCircuit::kSeriesRC && c != LoadCircuit::kParallelRC;
}

bool HasCapacitance(LoadCircuit c) {
  return c != LoadCircuit::kSeriesRL && c != LoadCircuit::kParallelRL;
}

std::optional<LoadFit> FitLoad(const LoadModel& load, const std::vector<double>& frequencies) {
  std::optional<LoadFit> best;
  for (const LoadCircuit c : {LoadCircuit::kSeriesRL, LoadCircuit::kSeriesRC,
                              LoadCircuit::kParallelRC, LoadCircuit::kParallelRL}) {
    const auto fit = Fit(load, frequencies, c);
    if (fit && (!best || fit->error < best->error)) best = fit;
  }
  // A third element earns its place by halving the error.
  for (const LoadCircuit c : {LoadCircuit::kSeriesRLC, LoadCircuit::kParallelRLC}) {
    const auto fit = Fit(load, frequencies, c);
    if (fit && (!best || fit->error < 0.5 * best->error)) best = fit;
  }
  return best;
}

std::optional<BodeFanoBound> BodeFano(const LoadModel& load, double start, double stop,
                                      const std::vector<double>& frequencies) {
  if (!(stop > start) || frequencies.size() < 2) return std::nullopt;
  const auto fit = FitLoad(load, frequencies);
  if (!fit || fit->error > kFitTolerance) return std::nullopt;
  const double r = fit->resistance, x = fit->reactive;
  const double pi = std::numbers::pi;
  const double dw = kTwoPi * (stop - start);
  const double dinv = 1.0 / (kTwoPi * start) - 1.0 / (kTwoPi * stop);
  // The exponent a of the least |gamma| = exp(-a), for each circuit's
  // integrals: of ln(1/|gamma|) for an inductor in series (pi R / L) and a
  // capacitor in parallel (pi / (R C)); of ln(1/|gamma|) / w^2 for a
  // capacitor in series (pi R C) and an inductor in parallel (pi L / R).
  // With both, the tighter.
  const double c = fit->capacitance;
  double a = 0.0;
  switch (fit->circuit) {
    case LoadCircuit::kSeriesRL:
      a = pi * r / x / dw;
      break;
    case LoadCircuit::kParallelRC:
      a = pi / (r * x) / dw;
      break;
    case LoadCircuit::kSeriesRC:
      a = pi * r * x / dinv;
      break;
    case LoadCircuit::kParallelRL:
      a = pi * x / r / dinv;
      break;
    case LoadCircuit::kSeriesRLC:
      a = std::min(pi * r / x / dw, pi * r * c / dinv);
      break;
    case LoadCircuit::kParallelRLC:
      a = std::min(pi / (r * c) / dw, pi * x / r / dinv);
      break;
  }
  return BodeFanoBound{*fit, kDbPerNeper * a};
}

}  // namespace vorda::rf
