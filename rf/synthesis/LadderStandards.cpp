// Standard values for a ladder found over a band: of the neighbours of
// every part in a series, the set with the least worst figure with the
// losses; of a library, every combination of its parts where they are few
// enough, else each part in turn through the whole library.
#include <algorithm>
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
      if (p->part.KnownAt(r.Highest()) && !p->part.Reversed(r.Highest())) add(p->part);
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

// Every part of a library that could stand for an element: of its kind, in
// the range at the band's highest frequency, measured across the bands.
std::vector<Element> EveryChoice(const Element& e, const BandRequest& r) {
  if (!e.IsPart()) return {e};
  std::vector<Element> parts;
  const ValueRange range = RangeAt(r.parts, e.part.kind, r.Highest());
  for (const LibraryPart& p : r.parts.library->parts) {
    // Measured across the bands, and what it is sold as there: below its
    // self-resonance.
    if (p.part.kind == e.part.kind && range.Holds(p.part.value) && p.part.KnownAt(r.Lowest()) &&
        p.part.KnownAt(r.Highest()) && !p.part.Reversed(r.Highest())) {
      parts.emplace_back(e.position, p.part);
    }
  }
  return parts;
}

double WorstOf(const Network& n, const BandRequest& r, const std::vector<BandPoint>& points) {
  const std::vector<double> u = LogValues(n);
  return BandObjective(LossyFor(n, r), points).Worst(u.data());
}

// Of a library's parts: every combination over the guiding points and the
// best eight of them over all, where there are at most kEveryCombination;
// else from the best set of neighbours, each part in turn replaced by the
// library's best for it while that helps (and `every` false).
}  // namespace

std::optional<Network> FromLibrary(const Network& ideal, const BandRequest& r, const BandPoints& p,
                                   double& worst, bool& every) {
  std::vector<std::vector<Element>> choices;
  double combinations = 1.0;
  for (const Element& e : ideal.elements) {
    choices.push_back(EveryChoice(e, r));
    if (choices.back().empty()) return std::nullopt;
    combinations *= static_cast<double>(choices.back().size());
  }
  every = combinations <= kEveryCombination;
  if (!every) {
    std::optional<Network> best = Standard(ideal, r, p.fine, worst);
    if (!best) return best;
    for (int round = 0; round < 6; ++round) {
      bool better = false;
      for (std::size_t i = 0; i < choices.size(); ++i) {
        for (const Element& e : choices[i]) {
          Network n = *best;
          n.elements[i] = e;
          const double w = WorstOf(n, r, p.fine);
          if (w < worst) {
            worst = w;
            best = std::move(n);
            better = true;
          }
        }
      }
      if (!better) break;
    }
    return best;
  }
  std::vector<std::pair<double, Network>> ranked;
  std::vector<std::size_t> pick(choices.size(), 0);
  for (;;) {
    Network n = ideal;
    for (std::size_t i = 0; i < pick.size(); ++i) n.elements[i] = choices[i][pick[i]];
    ranked.emplace_back(WorstOf(n, r, p.coarse), std::move(n));
    std::size_t k = 0;
    for (; k < pick.size() && ++pick[k] == choices[k].size(); ++k) pick[k] = 0;
    if (k == pick.size()) break;
  }
  const std::size_t kept = std::min<std::size_t>(8, ranked.size());
  std::partial_sort(ranked.begin(), ranked.begin() + static_cast<long>(kept), ranked.end(),
                    [](const auto& a, const auto& b) { return a.first < b.first; });
  std::optional<Network> best;
  worst = kInf;
  for (std::size_t i = 0; i < kept; ++i) {
    const double w = WorstOf(ranked[i].second, r, p.fine);
    if (w < worst) {
      worst = w;
      best = ranked[i].second;
    }
  }
  return best;
}

std::optional<Network> StandardFor(Found& f, const BandRequest& r, const BandPoints& p,
                                   bool* every) {
  if (r.parts.library) {
    double worst = kInf;
    bool all = true;
    std::optional<Network> best = FromLibrary(f.network, r, p, worst, all);
    if (every != nullptr) *every = all;
    if (best && worst < f.worst) {
      f.network = *best;
      f.worst = worst;
    }
    return best;
  }
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
