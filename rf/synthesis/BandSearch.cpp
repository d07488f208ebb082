#include "rf/synthesis/BandSearch.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <map>
#include <mutex>
#include <numeric>
#include <thread>

#include "engine/PortableMath.h"
#include "rf/synthesis/BandObjective.h"
#include "rf/synthesis/GlobalSearch.h"
#include "rf/synthesis/LSolutions.h"
#include "rf/synthesis/LadderSearch.h"

namespace vorda::rf {

namespace {

// The least worst figure first (for a Plain request the worst reflection
// as the figures have it), then the fewer parts.
bool Ranks(const BandDesign& a, const BandDesign& b, bool plain) {
  const double ga = plain ? a.figures.worst_gamma : a.worst;
  const double gb = plain ? b.figures.worst_gamma : b.worst;
  if (ga != gb) return ga < gb;
  return a.parts < b.parts;
}

// A design without the parts whose removal costs less than kNegligibleDb
// of its worst figure over every point, the cheapest first, while one
// does; only where taking the part out leaves the others as they were.
void TrimNegligible(BandDesign& d, const BandRequest& r, const BandPoints& points) {
  const std::vector<BandPoint>& all = points.all;
  const double allowed = portable::Pow10(kNegligibleDb / 10.0);
  for (bool trimmed = false;; trimmed = true) {
    const Network& chosen = d.standard ? *d.standard : d.ideal;
    const double worst = WorstOver(chosen, r, all);
    std::optional<std::size_t> cheapest;
    double least = 0.0;
    for (std::size_t i = 0; chosen.elements.size() > 1 && i < chosen.elements.size(); ++i) {
      Network less = chosen;
      less.elements.erase(less.elements.begin() + static_cast<long>(i));
      if (Canonical(less).elements.size() != less.elements.size()) continue;
      const double w = WorstOver(less, r, all);
      if (w <= worst * allowed && (!cheapest || w < least)) {
        cheapest = i;
        least = w;
      }
    }
    if (!cheapest) {
      // The values of what is left found again; standard ones among them.
      if (trimmed && r.parts.library && d.standard) {
        // A library's parts chosen again for what is left.
        double again_worst = 0.0;
        if (auto again = FromLibrary(d.ideal, r, points, again_worst, d.every_combination)) {
          if (again_worst < WorstOver(*d.standard, r, all)) d.standard = std::move(again);
        }
      }
      if (trimmed) {
        d.ideal = RefinedOver(d.ideal, r, all);
        if (d.standard && WorstOver(*d.standard, r, all) < WorstOver(d.ideal, r, all)) {
          d.ideal = *d.standard;
        }
      }
      return;
    }
    const auto erase = [i = static_cast<long>(*cheapest)](Network& n) {
      n.elements.erase(n.elements.begin() + i);
    };
    erase(d.ideal);
    if (d.standard) erase(*d.standard);
  }
}

}  // namespace

BandResult OptimizeBand(const BandRequest& r) {
  BandResult result;
  const BandLayout layout = LayoutOf(r);
  result.segments = layout.goal.segments;
  result.limits = layout.limits;
  result.fits = layout.fits;
  result.frequencies = result.segments.front().frequencies;
  result.measured_points = result.segments.front().measured_points;
  const BandPoints points = PointsOf(layout);
  const int most = std::clamp(r.max_parts, 2, kMostParts);
  std::vector<Network> shapes = Ladders(2, most, r.elements);
  // The family's lines of the line impedance, their lengths at the centre.
  std::transform(shapes.begin(), shapes.end(), shapes.begin(), [&](const Network& s) {
    return *ResolvedLines(s, r.line_z0 > 0.0 ? r.line_z0 : r.z0, r.centre);
  });
  // The ladders of each size searched together, by as many threads as the
  // machine has, from the optima of the size before; each ladder's search
  // is its own, so the result is the same for any number of threads.
  std::vector<Found> found(shapes.size());
  std::map<std::string, Network> smaller, these;
  std::atomic<std::size_t> done{0};
  std::mutex told;
  const unsigned hardware = std::max(1u, std::thread::hardware_concurrency());
  const unsigned count = std::min(4u, r.threads > 0 ? static_cast<unsigned>(r.threads) : hardware);
  for (int parts = 2; parts <= most; ++parts) {
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
      for (std::size_t i; (i = next++) < shapes.size();) {
        if (static_cast<int>(shapes[i].elements.size()) != parts) continue;
        if (r.cancel != nullptr && r.cancel->load()) return;
        found[i] = SearchLadder(shapes[i], r, points, StartsFromSmaller(shapes[i], smaller, r));
        if (r.progress) {
          const std::lock_guard lock(told);
          r.progress(++done, shapes.size());
        }
      }
    };
    std::vector<std::thread> threads;
    for (unsigned t = 1; t < count; ++t) threads.emplace_back(work);
    work();
    for (std::thread& t : threads) t.join();
    these.clear();
    for (std::size_t i = 0; i < shapes.size(); ++i) {
      if (static_cast<int>(shapes[i].elements.size()) == parts) {
        these[LadderCode(shapes[i])] = found[i].network;
      }
    }
    smaller = std::move(these);
  }
  if (r.cancel != nullptr && r.cancel->load()) {
    result.cancelled = true;
    return result;
  }
  // Each network that is left once: the best of the ladders that came to it.
  std::map<std::string, Found> best;
  for (const Found& f : found) {
    result.evaluations += f.evaluations;
    if (f.network.elements.empty()) continue;
    const std::string code = LadderCode(f.network);
    const auto at = best.find(code);
    if (at == best.end() || f.worst < at->second.worst) best[code] = f;
  }
  // The best of the ladders of parts with lines, searched more lightly,
  // polished over every point.
  {
    std::vector<Found*> order;
    order.reserve(best.size());
    for (auto& [code, f] : best) order.push_back(&f);
    std::stable_sort(order.begin(), order.end(),
                     [](const Found* a, const Found* b) { return a->worst < b->worst; });
    std::size_t polished = 0;
    for (Found* f : order) {
      if (polished == kPolished) break;
      if (!Mixed(f->network)) continue;
      const long before = f->evaluations;
      Polish(*f, r, points);
      result.evaluations += f->evaluations - before;
      ++polished;
    }
  }
  const bool plain = r.Plain();
  std::map<std::string, BandDesign> designs;
  std::map<std::string, std::string> came_to;  // from the search's code to the design's
  for (auto& [code, f] : best) {
    BandDesign d;
    if (r.parts.series || r.parts.library) {
      d.standard = StandardFor(f, r, points, &d.every_combination);
    }
    d.ideal = f.network;
    TrimNegligible(d, r, points);
    d.kind = KindOfLadder(d.ideal);
    d.evaluated = LossyFor(d.standard ? *d.standard : d.ideal, r);
    if (!InRange(d.standard ? *d.standard : d.ideal, r)) continue;
    d.parts = static_cast<int>(d.ideal.elements.size());
    const BandEvaluation e = EvaluateBands(d.evaluated, r, layout);
    d.figures = e.figures;
    d.goals = e.goals;
    d.worst = e.worst_figure;
    // A network that passes no power somewhere in a band is no design.
    if (!std::isfinite(d.worst)) continue;
    d.ideal_figures = EvaluateBands(LossyFor(d.ideal, r), r, layout).figures;
    d.harmonics = HarmonicsOf(d.evaluated, r.Load(), r.source, r.centre);
    // A design trimmed to another's network is that one, once: the better.
    const std::string key = LadderCode(d.ideal);
    came_to[code] = key;
    const auto at = designs.find(key);
    if (at == designs.end() || Ranks(d, at->second, plain)) designs[key] = std::move(d);
  }
  for (auto& [code, d] : designs) result.designs.push_back(std::move(d));
  result.family.reserve(shapes.size());
  for (std::size_t i = 0; i < shapes.size(); ++i) {
    const auto to = found[i].network.elements.empty() ? came_to.end()
                                                      : came_to.find(LadderCode(found[i].network));
    result.family.emplace_back(LadderCode(shapes[i]), to != came_to.end() ? to->second : "");
  }
  std::stable_sort(
      result.designs.begin(), result.designs.end(),
      [plain](const BandDesign& a, const BandDesign& b) { return Ranks(a, b, plain); });
  // Within a hundredth of a dB, fewer parts first.
  const auto db = [plain](const BandDesign& d) {
    if (plain) return d.figures.worst_return_loss_db.value_or(HUGE_VAL);
    return d.worst > 0.0 ? MarginDb(d.worst) : HUGE_VAL;
  };
  auto& all = result.designs;
  for (std::size_t i = 1; i < all.size(); ++i) {
    for (std::size_t j = i; j > 0 && all[j].parts < all[j - 1].parts; --j) {
      const double a = db(all[j - 1]), b = db(all[j]);
      if (!(a == b || a - b <= kTieDb)) break;
      std::swap(all[j - 1], all[j]);
    }
  }
  const BandLimit limit{result.fits.front(), result.limits.front()};
  result.fit = limit.fit;
  result.bode_fano = limit.bode_fano;
  for (int parts = 1; parts <= most; ++parts) {
    const auto with = std::find_if(result.designs.begin(), result.designs.end(),
                                   [&](const BandDesign& d) { return d.parts == parts; });
    if (with == result.designs.end()) continue;
    if (plain) {
      result.best_by_parts.emplace_back(parts, with->figures.worst_return_loss_db);
    } else {
      const bool perfect = !(with->worst > 0.0);
      result.best_by_parts.emplace_back(
          parts, perfect ? std::nullopt : std::optional(MarginDb(with->worst)));
    }
  }
  return result;
}

}  // namespace vorda::rf
