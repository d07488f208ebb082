#include "rf/circuit/BodeFano.h"

#include <cmath>
#include <complex>
#include <numbers>

#include "rf/circuit/Match.h"
#include "rf/circuit/Parts.h"

namespace vorda::rf {

namespace {

// 20 log10(e): a reflection of exp(-a) is a return loss of a times this.
constexpr double kDbPerNeper = 8.685889638065035;

struct Sums {
  double n = 0, re = 0, w_x = 0, w2 = 0, x_w = 0, inv_w2 = 0, norm = 0;
};

double FitError(const LoadModel& load, const std::vector<double>& f, const LoadFit& fit) {
  double diff = 0, total = 0;
  for (const double hz : f) {
    const double w = kTwoPi * hz;
    std::complex<double> z;
    switch (fit.circuit) {
      case LoadCircuit::kSeriesRL:
        z = {fit.resistance, w * fit.reactive};
        break;
      case LoadCircuit::kSeriesRC:
        z = {fit.resistance, -1.0 / (w * fit.reactive)};
        break;
      case LoadCircuit::kParallelRC:
        z = 1.0 / std::complex<double>(1.0 / fit.resistance, w * fit.reactive);
        break;
      case LoadCircuit::kParallelRL:
        z = 1.0 / std::complex<double>(1.0 / fit.resistance, -1.0 / (w * fit.reactive));
        break;
    }
    const std::complex<double> zl = load.At(hz);
    diff += Norm2(zl - z);
    total += Norm2(zl);
  }
  return std::sqrt(diff / total);
}

// R and the reactive part of one circuit, fitted in impedance (series) or
// admittance (parallel): the real part's mean, and the reactive part's
// least squares against w (an inductance or capacitance) or against 1 / w.
std::optional<LoadFit> Fit(const LoadModel& load, const std::vector<double>& f, LoadCircuit c) {
  const bool parallel = c == LoadCircuit::kParallelRC || c == LoadCircuit::kParallelRL;
  const bool with_w = c == LoadCircuit::kSeriesRL || c == LoadCircuit::kParallelRC;
  Sums s;
  for (const double hz : f) {
    const double w = kTwoPi * hz;
    std::complex<double> v = load.At(hz);
    if (parallel) v = 1.0 / v;
    s.n += 1;
    s.re += v.real();
    s.w_x += w * v.imag();
    s.w2 += w * w;
    s.x_w += v.imag() / w;
    s.inv_w2 += 1.0 / (w * w);
  }
  LoadFit fit;
  fit.circuit = c;
  const double mean = s.re / s.n;
  fit.resistance = parallel ? 1.0 / mean : mean;
  // X = w L (or B = w C); X = -1 / (w C) (or B = -1 / (w L)).
  fit.reactive = with_w ? s.w_x / s.w2 : -s.inv_w2 / s.x_w;
  if (!(fit.resistance > 0.0) || !(fit.reactive > 0.0) || !std::isfinite(fit.reactive)) {
    return std::nullopt;
  }
  fit.error = FitError(load, f, fit);
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
      break;
  }
  return "parallel R-L";
}

std::optional<LoadFit> FitLoad(const LoadModel& load, const std::vector<double>& frequencies) {
  std::optional<LoadFit> best;
  for (const LoadCircuit c : {LoadCircuit::kSeriesRL, LoadCircuit::kSeriesRC,
                              LoadCircuit::kParallelRC, LoadCircuit::kParallelRL}) {
    const auto fit = Fit(load, frequencies, c);
    if (fit && (!best || fit->error < best->error)) best = fit;
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
  // integral: of ln(1/|gamma|) for series R-L (pi R / L) and parallel R-C
  // (pi / (R C)); of ln(1/|gamma|) / w^2 for series R-C (pi R C) and
  // parallel R-L (pi L / R).
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
  }
  return BodeFanoBound{*fit, kDbPerNeper * a};
}

}  // namespace vorda::rf
