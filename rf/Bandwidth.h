// The band around the design frequency where the match holds: VSWR <= 2.
#pragma once

#include <algorithm>
#include <cmath>
#include <optional>

namespace vorda::rf {

inline constexpr double kBandVswr = 2.0;

struct Band {
  std::optional<double> low;   // hertz; empty when not found
  std::optional<double> high;  // hertz; empty when not found
  std::optional<double> loaded_q;
  bool holds = false;   // the VSWR at the design frequency is within 2
  int evaluations = 0;  // of the VSWR, both edges together
};

namespace band_detail {

// Walks from the design frequency f outward, towards the limit, until
// the VSWR exceeds 2, then bisects between the last frequency inside and the
// first outside to a relative 1e-9, and returns the inside one. Steps grow
// from 1e-4 of the frequency to 0.5 % of it. Nothing when the VSWR stays
// within 2 up to the limit.
template <typename VswrAt>
std::optional<double> Edge(VswrAt& vswr_at, double f, double limit, int& evaluations) {
  const bool up = limit > f;
  if (limit == f) return std::nullopt;
  auto inside = [&](double hz) {
    ++evaluations;
    return vswr_at(hz) <= kBandVswr;  // NaN counts as outside
  };
  double in = f;
  double out = 0.0;
  double step = 1e-4;
  for (;;) {
    double next = up ? in * (1.0 + step) : in / (1.0 + step);
    next = up ? std::min(next, limit) : std::max(next, limit);
    if (!inside(next)) {
      out = next;
      break;
    }
    if (next == limit) return std::nullopt;
    in = next;
    step = std::min(step * 2.0, 5e-3);
  }
  while (std::abs(out - in) > 1e-9 * std::min(in, out)) {
    const double mid = 0.5 * (in + out);
    (inside(mid) ? in : out) = mid;
  }
  return in;
}

}  // namespace band_detail

// The contiguous band around f where vswr_at(frequency) <= 2, searched
// within f / 100 ... 100 f, or narrower limits (those of a measurement).
// Both edges are empty when the VSWR at f itself exceeds 2. Loaded
// Q = f / (high - low), when both edges were found.
template <typename VswrAt>
Band FindBand(VswrAt vswr_at, double f, double low_limit = 0.0, double high_limit = 0.0) {
  Band band;
  ++band.evaluations;
  if (!(vswr_at(f) <= kBandVswr)) return band;
  band.holds = true;
  const double low = std::max(f / 100.0, low_limit);
  const double high = high_limit > 0.0 ? std::min(f * 100.0, high_limit) : f * 100.0;
  band.low = band_detail::Edge(vswr_at, f, low, band.evaluations);
  band.high = band_detail::Edge(vswr_at, f, high, band.evaluations);
  if (band.low && band.high) band.loaded_q = f / (*band.high - *band.low);
  return band;
}

}  // namespace vorda::rf
