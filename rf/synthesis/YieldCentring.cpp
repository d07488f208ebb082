#include "rf/synthesis/YieldCentring.h"

#include <cmath>

#include "engine/PortableMath.h"
#include "rf/circuit/StandardValues.h"

namespace vorda::rf {

namespace {

class Scorer {
 public:
  explicit Scorer(const CentringRequest& r) : r_(r) {}
  BuildScore Of(const Network& n, const std::vector<BandPoint>& points) {
    const Network built = WithLosses(n, r_.parts);
    if (&points == &r_.coarse) ++evaluations;
    return ScoreBuilds(built, points, WithPartTolerances(r_.yield, built, r_.parts.library.get()));
  }
  long evaluations = 0;

 private:
  const CentringRequest& r_;
};

// Each element's tolerance (0: a part that does not vary, a short, an open
// or a line, which keeps its length).
std::vector<double> Tolerances(const Network& n, const CentringRequest& r) {
  std::vector<double> t(n.elements.size(), 0.0);
  const Tolerance& tol = r.yield.tolerance;
  for (std::size_t i = 0; i < n.elements.size(); ++i) {
    const Element& e = n.elements[i];
    if (!e.IsPart()) continue;
    if (tol.from_library) {
      const LibraryPart* p =
          r.parts.library ? r.parts.library->Find(e.part.kind, e.part.value) : nullptr;
      t[i] = p != nullptr ? p->tolerance : 0.0;
    } else {
      t[i] = e.part.kind == Part::Kind::kInductor ? tol.inductor : tol.capacitor;
    }
  }
  return t;
}

// Ideal values: each moved up or down by a share of its tolerance while
// that helps, the share halved twice.
Network CentreIdeal(Network n, const CentringRequest& r, Scorer& scorer) {
  const std::vector<double> t = Tolerances(n, r);
  double best = scorer.Of(n, r.coarse).score;
  for (const double share : {1.0, 0.5, 0.25}) {
    for (int round = 0; round < 6; ++round) {
      bool better = false;
      for (std::size_t i = 0; i < n.elements.size(); ++i) {
        if (t[i] <= 0.0) continue;
        const Part part = n.elements[i].part;
        const ValueRange range = RangeFor(r.parts, part.kind);
        for (const double sign : {1.0, -1.0}) {
          Network moved = n;
          const double v = part.value * portable::Pow10(sign * share * std::log10(1.0 + t[i]));
          if (!range.Holds(v)) continue;
          moved.elements[i].part = WithValue(part, v);
          const double score = scorer.Of(moved, r.coarse).score;
          if (score > best) {
            best = score;
            n = std::move(moved);
            better = true;
            break;
          }
        }
      }
      if (!better) break;
    }
  }
  return n;
}

// The standard values next to a part's own, below and above.
std::vector<Part> NextTo(const Part& p, const CentringRequest& r) {
  std::vector<Part> next;
  const ValueRange range = RangeFor(r.parts, p.kind);
  if (r.parts.library) {
    const auto below = r.parts.library->Neighbours(p.kind, p.value * (1 - 1e-9));
    const auto above = r.parts.library->Neighbours(p.kind, p.value * (1 + 1e-9));
    if (!below.empty() && below.front()->part.value < p.value) next.push_back(below.front()->part);
    if (!above.empty() && above.back()->part.value > p.value) next.push_back(above.back()->part);
  } else if (r.parts.series) {
    const auto below = StandardNeighbours(p.value * (1 - 1e-6), *r.parts.series);
    const auto above = StandardNeighbours(p.value * (1 + 1e-6), *r.parts.series);
    if (below && below->below < p.value) next.push_back(WithValue(p, below->below));
    if (above && above->above > p.value) next.push_back(WithValue(p, above->above));
  }
  std::erase_if(next, [&](const Part& q) { return !range.Holds(q.value); });
  return next;
}

// Standard values: each part moved to the next value either way while that
// helps.
Network CentreStandard(Network n, const CentringRequest& r, Scorer& scorer) {
  const std::vector<double> t = Tolerances(n, r);
  double best = scorer.Of(n, r.coarse).score;
  for (int round = 0; round < 4; ++round) {
    bool better = false;
    for (std::size_t i = 0; i < n.elements.size(); ++i) {
      if (!n.elements[i].IsPart()) continue;
      for (const Part& p : NextTo(n.elements[i].part, r)) {
        Network moved = n;
        moved.elements[i].part = p;
        const double score = scorer.Of(moved, r.coarse).score;
        if (score > best) {
          best = score;
          n = std::move(moved);
          better = true;
        }
      }
    }
    if (!better) break;
  }
  return n;
}

}  // namespace

Centred CentreForYield(const Network& ideal, const std::optional<Network>& standard,
                       const CentringRequest& r) {
  Scorer scorer(r);
  const Network& start = standard ? *standard : ideal;
  const auto builds = static_cast<double>(r.yield.builds);
  Centred c{ideal, standard, 0.0, 0.0, 0};
  c.from = static_cast<double>(scorer.Of(start, r.full).met) / builds;
  c.to = c.from;
  const Network moved = standard ? CentreStandard(start, r, scorer) : CentreIdeal(start, r, scorer);
  c.evaluations = scorer.evaluations;
  const double to = static_cast<double>(scorer.Of(moved, r.full).met) / builds;
  if (!(to > c.from)) return c;
  c.to = to;
  (standard ? *c.standard : c.ideal) = moved;
  return c;
}

}  // namespace vorda::rf
