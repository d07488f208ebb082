// Standard values for a ladder found over a band: of the neighbours of
// every part, the set with the least worst figure with the losses.
#include <limits>

#include "rf/synthesis/LadderSearch.h"
#include "rf/synthesis/LadderValues.h"

namespace vorda::rf {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// The standard parts next to an ideal one: of the series, or of the
// library measured across the band.
std::vector<Element> Choices(const Element& e, const BandRequest& r) {
  if (e.line) return {e};  // a line is cut to its length
  std::vector<Element> parts;
  const Part& ideal = e.part;
  const ValueRange range = RangeAt(r.parts, ideal.kind, r.Highest());
  const auto add = [&](const Part& p) {
    if (range.Holds(p.value)) parts.emplace_back(e.position, p);
  };
  if (r.parts.library) {
    for (const LibraryPart* p : r.parts.library->Neighbours(ideal.kind, ideal.value, r.Lowest())) {
      if (p->part.KnownAt(r.Highest())) add(p->part);
    }
    return parts;
  }
  const auto n = StandardNeighbours(ideal.value, *r.parts.series);
  if (!n) return parts;
  add(WithValue(ideal, n->below));
  if (n->above != n->below) add(WithValue(ideal, n->above));
  return parts;
}

// Of the standard values next to the ideal ones, part by part, the set with
// the least worst reflection with the losses; on a tie the lower values.
std::optional<Network> Standard(const Network& ideal, const BandRequest& r,
                                const std::vector<BandPoint>& all, double& worst) {
  std::vector<std::vector<Element>> choices;
  for (const Element& e : ideal.elements) {
    choices.push_back(Choices(e, r));
    if (choices.back().empty()) return std::nullopt;
  }
  std::vector<std::size_t> pick(choices.size(), 0);
  std::optional<Network> best;
  worst = kInf;
  for (;;) {
    Network n = ideal;
    for (std::size_t i = 0; i < pick.size(); ++i) n.elements[i] = choices[i][pick[i]];
    const std::vector<double> u = LogValues(n);
    const double w = BandObjective(LossyFor(n, r), all).Worst(u.data());
    if (w < worst) {
      worst = w;
      best = n;
    }
    std::size_t k = 0;
    for (; k < pick.size() && ++pick[k] == choices[k].size(); ++k) pick[k] = 0;
    if (k == pick.size()) break;
  }
  return best;
}

}  // namespace

std::optional<Network> StandardFor(Found& f, const BandRequest& r, const BandPoints& p) {
  // The best set of all the rounds is kept.
  std::optional<Network> best;
  double least = kInf;
  if (f.lossless && LadderCode(*f.lossless) == LadderCode(f.network)) {
    best = Standard(*f.lossless, r, p.fine, least);
  }
  for (int round = 0; round < 3; ++round) {
    double worst = kInf;
    const std::optional<Network> standard = Standard(f.network, r, p.fine, worst);
    if (standard && worst < least) {
      least = worst;
      best = standard;
    }
    if (!standard || worst >= f.worst) break;
    const Network lossy = LossyFor(*standard, r);
    const SearchResult refined = Refine(BandObjective(lossy, p.fine), BoxFor(lossy, r),
                                        LogValues(*standard), 0.01, r.cancel);
    f.network = WithLogValues(f.network, refined.u);
    f.worst = refined.worst;
    f.evaluations += refined.evaluations;
  }
  // Standard values never do better than the ideal ones they come from.
  if (best && least < f.worst) {
    f.network = *best;
    f.worst = least;
  }
  return best;
}

}  // namespace vorda::rf
