#include "rf/synthesis/LadderSearch.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numeric>

#include "engine/PortableMath.h"
#include "rf/synthesis/GlobalSearch.h"
#include "rf/synthesis/LSolutions.h"
#include "rf/synthesis/LadderValues.h"
#include "rf/synthesis/LineDesigns.h"

namespace vorda::rf {

namespace {

// The analytic designs of a ladder's form: the L-sections that match at
// the band's centre and edges, Pi and T for a few loaded Qs, two
// L-sections; as the ladder's values.
std::vector<std::vector<double>> StartsFor(const Network& shape, const BandRequest& r) {
  const std::string code = LadderCode(shape);
  const NetworkKind kind = KindOfLadder(shape);
  std::vector<Network> designs;
  // The centre and the edges of the first band, then of each other band in
  // each state.
  std::vector<std::pair<double, const LoadModel*>> f = {
      {r.centre, &r.Load()}, {r.Axis().start, &r.Load()}, {r.Axis().stop, &r.Load()}};
  for (std::size_t state = 0; state < r.states.size(); ++state) {
    for (std::size_t b = 0; b < r.bands.size(); ++b) {
      if (state == 0 && b == 0) continue;
      const FrequencyAxis& a = r.bands[b].axis;
      for (const double hz : {std::sqrt(a.start * a.stop), a.start, a.stop}) {
        // cppcheck-suppress useStlAlgorithm ; three frequencies
        f.emplace_back(hz, r.states[state].load);
      }
    }
  }
  for (const auto& at : f) {
    const double hz = at.first;
    const std::vector<LSolution> solutions = SolveL(r.source.At(hz).z, at.second->At(hz));
    std::transform(solutions.begin(), solutions.end(), std::back_inserter(designs),
                   [&](const LSolution& s) {
                     return LSection(s.family, MatchingPart(s.first_ohms, r.z0, hz),
                                     MatchingPart(s.second_ohms, r.z0, hz));
                   });
  }
  const bool lines = std::any_of(shape.elements.begin(), shape.elements.end(),
                                 [](const Element& e) { return e.IsLine(); });
  if (lines) {  // the designs with lines at the centre
    const Impedance zl = r.Load().At(r.centre);
    const Source s = r.source.At(r.centre);
    const double zc = r.line_z0 > 0.0 ? r.line_z0 : r.z0;
    std::vector<LineDesigns> all = {QuarterWave(s, zl, r.centre, zc)};
    for (const StubEnd end : {StubEnd::kOpen, StubEnd::kShort}) {
      all.push_back(SingleStub(end, s, zl, r.centre, zc));
      for (const double spacing : {45.0, 90.0 + 22.5, 135.0}) {
        // cppcheck-suppress useStlAlgorithm ; three spacings
        all.push_back(DoubleStub(end, s, zl, r.centre, zc, spacing));
      }
    }
    for (const LineDesigns& d : all)
      designs.insert(designs.end(), d.networks.begin(), d.networks.end());
  } else if (kind.topology != Topology::kL && kind.topology != Topology::kLadder) {
    const Impedance zl = r.Load().At(r.centre);
    const double least = MinimumQ(kind.topology, r.source, zl);
    for (const double q : {least * 1.1 + 0.3, least * 2 + 0.5, least * 4 + 1.0}) {
      const Synthesis s = Synthesize({kind.topology, 0}, r.source, zl, r.centre, r.z0,
                                     r.loaded_q.value_or(q), r.intermediate);
      if (s.network) designs.push_back(*s.network);
    }
  }
  std::vector<std::vector<double>> starts;
  for (const Network& d : designs) {
    const Network n = Canonical(d);
    if (LadderCode(n) == code) starts.push_back(LogValues(n));
  }
  return starts;
}

// Whether a part's value is within a hundredth of a decade of its box's
// edge: the search pushes it towards a short or an open.
bool AtEdge(const Network& n, std::size_t i, const BandRequest& r) {
  const SearchBox box = BoxFor(n, r);
  const Element& e = n.elements[i];
  const double u = e.line ? e.line->degrees / kHalfTurn : portable::Log10(e.part.value);
  return u <= box.lo[i] + 0.01 || u >= box.hi[i] - 0.01;
}

// The best values of one ladder: with losses, never worse than the lossless
// optimum with the losses.
Found SearchShape(const Network& shape, const BandRequest& r, const std::vector<BandPoint>& coarse,
                  const std::vector<BandPoint>& all, const std::vector<std::vector<double>>& more) {
  const SearchBox box = BoxFor(shape, r);
  std::vector<std::vector<double>> starts = StartsFor(shape, r);
  starts.insert(starts.end(), more.begin(), more.end());
  // A ladder of parts with a line is searched from its best start alone,
  // over the guiding points: the best of them are polished at the end.
  const bool mixed = Mixed(shape);
  // Lines alone repeat along their lengths: many starts, more of them
  // refined.
  const bool lines = std::all_of(shape.elements.begin(), shape.elements.end(),
                                 [](const Element& e) { return e.IsLine(); });
  const SearchEffort effort = mixed   ? SearchEffort{1, 60, false, 8}
                              : lines ? SearchEffort{3, 120, true, 24}
                                      : SearchEffort{6, 120, true, 32};
  Found found;
  SearchResult best = GlobalSearch(BandObjective(shape, coarse), BandObjective(shape, all), box,
                                   starts, {}, r.cancel, effort);
  found.evaluations = best.evaluations;
  const Network lossy = LossyFor(shape, r);
  if (r.parts.Lossy() || !r.parts.model.Ideal()) {
    found.lossless = WithLogValues(shape, best.u);
    best = GlobalSearch(BandObjective(lossy, coarse), BandObjective(lossy, all), box, starts,
                        {best.u}, r.cancel, effort);
    found.evaluations += best.evaluations;
  }
  found.network = WithLogValues(shape, best.u);
  found.worst = best.worst;
  return found;
}

// The network without the parts that come to nothing: each removed while
// the worst reflection grows by less than 2e-4 of itself (0.002 dB), or 1 %
// for a part the search pushed to the edge of its range (a short or an
// open in the making), then what is left refined.
Found Prune(Found f, const BandRequest& r, const std::vector<BandPoint>& all, bool ranged = false) {
  for (;;) {
    std::optional<Found> lighter;
    for (std::size_t i = 0; i < f.network.elements.size(); ++i) {
      const double allowed = AtEdge(f.network, i, r) ? 1e-2 : 2e-4;
      const auto without = [i](Network n) {
        n.elements.erase(n.elements.begin() + static_cast<long>(i));
        return Canonical(n);
      };
      const Network n = without(f.network);
      const Network lossy = LossyFor(n, r);
      const std::vector<double> u = LogValues(n);
      const double worst = BandObjective(lossy, all).Worst(u.data());
      if (worst <= f.worst * (1 + allowed) + 1e-15 && (!lighter || worst < lighter->worst)) {
        lighter = Found{n, worst, f.evaluations, std::nullopt};
        if (f.lossless) lighter->lossless = without(*f.lossless);
      }
    }
    if (!lighter) return f;
    if (lighter->network.elements.empty()) return *lighter;  // no network does as well
    const Network lossy = LossyFor(lighter->network, r);
    const SearchResult refined = Refine(BandObjective(lossy, all), BoxFor(lossy, r, ranged),
                                        LogValues(lighter->network), 0.01, r.cancel);
    if (refined.worst < lighter->worst) {
      lighter->network = WithLogValues(lighter->network, refined.u);
      lighter->worst = refined.worst;
    }
    lighter->evaluations += refined.evaluations;
    f = *lighter;
  }
}

// The values refined until the worst reflection over every point of the
// band is no more than over the points searched: each round the worst of
// all the points join them.
Found OnAll(Found f, const BandRequest& r, std::vector<BandPoint> fine,
            const std::vector<BandPoint>& all, bool ranged = false) {
  if (all.size() == fine.size() || f.network.elements.empty()) return f;
  const Network lossy = LossyFor(f.network, r);
  std::vector<double> u = LogValues(f.network), g2;
  std::vector<std::size_t> order(all.size());
  for (int round = 0; round < 4; ++round) {
    BandObjective(lossy, all).Gammas(u.data(), g2);
    const double worst = *std::max_element(g2.begin(), g2.end());
    f.worst = worst;
    if (worst <= BandObjective(lossy, fine).Worst(u.data()) * (1 + 1e-9)) break;
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::partial_sort(order.begin(), order.begin() + 8, order.end(),
                      [&](std::size_t a, std::size_t b) { return g2[a] > g2[b]; });
    for (std::size_t k = 0; k < 8; ++k) fine.push_back(all[order[k]]);
    const SearchResult refined =
        Refine(BandObjective(lossy, fine), BoxFor(lossy, r, ranged), u, 0.002, r.cancel);
    f.evaluations += refined.evaluations;
    u = refined.u;
  }
  f.network = WithLogValues(f.network, u);
  return f;
}

// A network with a value outside the range parts are proposed in (the
// search went beyond it): its values brought into the range and refined
// there, then what comes to nothing taken out.
Found Ranged(Found f, const BandRequest& r, const std::vector<BandPoint>& points) {
  if (InRange(f.network, r)) return f;
  const SearchBox box = BoxFor(f.network, r, true);
  std::vector<double> u = LogValues(f.network);
  for (std::size_t i = 0; i < u.size(); ++i) u[i] = std::clamp(u[i], box.least[i], box.most[i]);
  const Network lossy = LossyFor(f.network, r);
  const SearchResult refined = Refine(BandObjective(lossy, points), box, u, 0.01, r.cancel);
  f.network = WithLogValues(f.network, refined.u);
  f.worst = refined.worst;
  f.evaluations += refined.evaluations;
  f.lossless.reset();
  return f;
}

}  // namespace

BandPoints PointsOf(const BandLayout& layout) {
  BandPoints p;
  p.all = layout.goal.points;
  p.coarse = SpreadSegments(layout.goal, kCoarsePoints);
  p.fine = SpreadSegments(layout.goal, kFinePoints);
  return p;
}

Found SearchLadder(const Network& shape, const BandRequest& r, const BandPoints& p,
                   const std::vector<std::vector<double>>& starts) {
  // A ladder of parts and lines is pruned over the guiding points, and
  // polished over every point only when it is among the best (Polish).
  if (Mixed(shape)) return Prune(SearchShape(shape, r, p.coarse, p.fine, starts), r, p.coarse);
  Found f =
      OnAll(Prune(SearchShape(shape, r, p.coarse, p.fine, starts), r, p.fine), r, p.fine, p.all);
  if (InRange(f.network, r)) return f;
  return OnAll(Prune(Ranged(std::move(f), r, p.fine), r, p.fine, true), r, p.fine, p.all, true);
}

void Polish(Found& f, const BandRequest& r, const BandPoints& p) {
  if (f.network.elements.empty()) return;
  const Network lossy = LossyFor(f.network, r);
  const SearchResult refined =
      Refine(BandObjective(lossy, p.fine), BoxFor(lossy, r), LogValues(f.network), 0.002, r.cancel);
  f.evaluations += refined.evaluations;
  if (refined.worst < f.worst) {
    f.network = WithLogValues(f.network, refined.u);
    f.worst = refined.worst;
  }
  f = OnAll(f, r, p.fine, p.all);
  if (!InRange(f.network, r)) {
    f = OnAll(Prune(Ranged(std::move(f), r, p.fine), r, p.fine, true), r, p.fine, p.all, true);
  }
}

bool Mixed(const Network& n) {
  const auto lines = std::count_if(n.elements.begin(), n.elements.end(),
                                   [](const Element& e) { return e.IsLine(); });
  return lines > 0 && static_cast<std::size_t>(lines) < n.elements.size();
}

std::vector<std::vector<double>> StartsFromSmaller(const Network& shape,
                                                   const std::map<std::string, Network>& smaller,
                                                   const BandRequest& r) {
  std::vector<std::vector<double>> starts;
  const double w = kTwoPi * r.centre;
  const double level = Level(r);
  for (std::size_t i = 0; i < shape.elements.size(); ++i) {
    Network less = shape;
    less.elements.erase(less.elements.begin() + static_cast<long>(i));
    // Only where taking the part out leaves the other parts as they were.
    if (Canonical(less).elements.size() != less.elements.size()) continue;
    const auto found = smaller.find(LadderCode(less));
    if (found == smaller.end() || found->second.elements.size() != less.elements.size()) continue;
    std::vector<double> u = LogValues(found->second);
    // The part back, as a twentieth of the level in series, twenty times
    // it in shunt; and at the level itself.
    const Element& e = shape.elements[i];
    if (e.line) {  // a short line, a stub that is nearly nothing; and an eighth wave
      const bool shorted = e.position == Position::kShunt && e.line->end == Line::End::kShort;
      for (const double degrees : {shorted ? 87.0 : 3.0, 45.0}) {
        std::vector<double> v = u;
        v.insert(v.begin() + static_cast<long>(i), degrees / kHalfTurn);
        starts.push_back(std::move(v));
      }
      continue;
    }
    const bool series = e.position == Position::kSeries;
    const bool inductor = e.part.kind == Part::Kind::kInductor;
    for (const double x : {series ? level / 20 : level * 20, level}) {
      std::vector<double> v = u;
      v.insert(v.begin() + static_cast<long>(i), portable::Log10(inductor ? x / w : 1 / (w * x)));
      starts.push_back(std::move(v));
    }
  }
  return starts;
}

}  // namespace vorda::rf
