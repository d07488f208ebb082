#include "rf/synthesis/LadderValues.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/PortableMath.h"

namespace vorda::rf {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
// Lines are searched from a shortest length to half a wave at the centre.
constexpr double kShortestDegrees = 0.5;
constexpr double kLongestDegrees = 180.0;

}  // namespace

// The search's variables: each part's value as its decimal logarithm, and
// each line's electrical length (at the band's centre) in half turns: a
// line's match repeats along it, and is searched evenly.
std::vector<double> LogValues(const Network& n) {
  std::vector<double> u;
  for (const Element& e : n.elements) {
    if (e.line) {
      u.push_back(e.line->degrees / kHalfTurn);
    } else if (e.part.IsReal()) {
      u.push_back(portable::Log10(e.part.value));
    }
  }
  return u;
}

Network WithLogValues(Network n, const std::vector<double>& u) {
  std::size_t i = 0;
  for (Element& e : n.elements) {
    if (e.line) {
      e.line = WithDegrees(*e.line, kHalfTurn * u[i++]);
    } else if (e.part.IsReal()) {
      e.part.value = portable::Pow10(u[i++]);
    }
  }
  return n;
}

// The impedance level between the source and the load at the centre.
double Level(const BandRequest& r) {
  return std::sqrt(Magnitude(r.source.At(r.centre).z) * Magnitude(r.Load().At(r.centre)));
}

// Each part's values from a thousandth to a thousand times the impedance
// level between the source and the load at the centre, in reactance.
SearchBox BoxFor(const Network& shape, const BandRequest& r, bool ranged) {
  const double w = kTwoPi * r.centre;
  const double level = Level(r);
  SearchBox box;
  for (const Element& e : shape.elements) {
    if (e.line) {
      box.lo.push_back(kShortestDegrees / kHalfTurn);
      // cppcheck-suppress duplicateExpression ; half a wave is one half turn
      box.hi.push_back(kLongestDegrees / kHalfTurn);
      box.least.push_back(-kInf);
      box.most.push_back(kInf);
      continue;
    }
    const double x_lo = level * 1e-3, x_hi = level * 1e3;
    const bool l = e.part.kind == Part::Kind::kInductor;
    box.lo.push_back(portable::Log10(l ? x_lo / w : 1.0 / (w * x_hi)));
    box.hi.push_back(portable::Log10(l ? x_hi / w : 1.0 / (w * x_lo)));
    // Where asked: no value outside the range parts are proposed in.
    const ValueRange range = RangeAt(r.parts, e.part.kind, r.Highest());
    box.least.push_back(!ranged ? -kInf : range.low > 0.0 ? portable::Log10(range.low) : kInf);
    box.most.push_back(!ranged ? kInf : range.high > 0.0 ? portable::Log10(range.high) : -kInf);
  }
  return box;
}

Network LossyFor(Network n, const BandRequest& r) {
  return WithLosses(std::move(n), r.parts);
}

double WorstOver(const Network& n, const BandRequest& r, const std::vector<BandPoint>& points) {
  const std::vector<double> u = LogValues(n);
  return BandObjective(LossyFor(n, r), points).Worst(u.data());
}

Network RefinedOver(const Network& n, const BandRequest& r, const std::vector<BandPoint>& points) {
  if (n.elements.empty()) return n;
  const Network lossy = LossyFor(n, r);
  const std::vector<double> u = LogValues(n);
  const SearchResult refined =
      Refine(BandObjective(lossy, points), BoxFor(n, r, true), u, 0.01, r.cancel);
  if (!(refined.worst < BandObjective(lossy, points).Worst(u.data()))) return n;
  return WithLogValues(n, refined.u);
}

bool InRange(const Network& n, const BandRequest& r) {
  return std::all_of(n.elements.begin(), n.elements.end(), [&](const Element& e) {
    return !e.IsPart() || RangeAt(r.parts, e.part.kind, r.Highest()).Holds(e.part.value);
  });
}

}  // namespace vorda::rf
