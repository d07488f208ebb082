// The band around the design frequency where the match holds: VSWR <= 2.
#pragma once

#include <algorithm>
#include <cmath>
#include <optional>
#include <span>

namespace vorda::rf {

inline constexpr double kBandVswr = 2.0;

// Where the band is searched: f / 100 ... 100 f around the design frequency,
// or, for a measured load, no farther than the measurement knows the load;
// and which of the two sets each limit.
enum class LimitBy {
  kFactor,  // f / 100 or 100 f
  kData,    // as far as the measurement knows the load
};
struct BandLimits {
  double low = 0.0;
  double high = 0.0;
  LimitBy low_by = LimitBy::kFactor;
  LimitBy high_by = LimitBy::kFactor;
};

struct Band {
  std::optional<double> low;   // hertz; empty when not found within the limits
  std::optional<double> high;  // hertz; empty when not found within the limits
  std::optional<double> loaded_q;
  bool holds = false;   // the VSWR at the design frequency is within 2
  BandLimits searched;  // where the edges were looked for
  int evaluations = 0;  // of the VSWR, both edges together
};

namespace band_detail {

// Walks from the design frequency f outward, towards the limit, until the
// VSWR exceeds 2, then bisects between the last frequency inside and the
// first outside to a relative 1e-9, and returns the inside one. Steps grow
// from 1e-4 of the frequency to 0.5 % of it, and never pass over a
// frequency of `visit` (a measured load's points, ascending): each of those
// between f and the edge is evaluated. Nothing when the VSWR stays within 2
// up to the limit.
template <typename VswrAt>
std::optional<double> Edge(VswrAt& vswr_at, double f, double limit, std::span<const double> visit,
                           int& evaluations) {
  const bool up = limit > f;
  if (limit == f) return std::nullopt;
  auto inside = [&](double hz) {
    ++evaluations;
    return vswr_at(hz) <= kBandVswr;  // NaN counts as outside
  };
  // The first point to visit beyond a frequency, in the walk's direction.
  auto next_visit = [&](double from) -> std::optional<double> {
    if (up) {
      const auto it = std::upper_bound(visit.begin(), visit.end(), from);
      if (it != visit.end()) return *it;
    } else {
      const auto it = std::lower_bound(visit.begin(), visit.end(), from);
      if (it != visit.begin()) return *(it - 1);
    }
    return std::nullopt;
  };
  double in = f;
  double out = 0.0;
  double step = 1e-4;
  for (;;) {
    double next = up ? in * (1.0 + step) : in / (1.0 + step);
    next = up ? std::min(next, limit) : std::max(next, limit);
    if (const auto v = next_visit(in)) next = up ? std::min(next, *v) : std::max(next, *v);
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

// The limits of the search around f: f / 100 ... 100 f, narrowed to a
// measurement's range [first, last] when one is given.
inline BandLimits LimitsAround(double f, std::optional<double> first = std::nullopt,
                               std::optional<double> last = std::nullopt) {
  BandLimits l{f / 100.0, f * 100.0};
  if (first && *first > l.low) l = {*first, l.high, LimitBy::kData, l.high_by};
  if (last && *last < l.high) l = {l.low, *last, l.low_by, LimitBy::kData};
  return l;
}

// The contiguous band around f where vswr_at(frequency) <= 2, searched
// within the limits and visiting every frequency of `visit` on the way.
// Both edges are empty when the VSWR at f itself exceeds 2. Loaded
// Q = f / (high - low), when both edges were found apart.
template <typename VswrAt>
Band FindBand(VswrAt vswr_at, double f, const BandLimits& limits,
              std::span<const double> visit = {}) {
  Band band;
  band.searched = limits;
  ++band.evaluations;
  if (!(vswr_at(f) <= kBandVswr)) return band;
  band.holds = true;
  band.low = band_detail::Edge(vswr_at, f, limits.low, visit, band.evaluations);
  band.high = band_detail::Edge(vswr_at, f, limits.high, visit, band.evaluations);
  // A band of no width (the VSWR is 2 at f and above it on both sides) has
  // no Q.
  if (band.low && band.high && *band.high > *band.low) {
    band.loaded_q = f / (*band.high - *band.low);
  }
  return band;
}

}  // namespace vorda::rf
