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

constexpr double kInf = std::numeric_limits<double>::infinity();

std::optional<double> ReturnLossOf(double gamma) {
  if (gamma <= kPerfectGamma) return std::nullopt;
  return 0.0 - 20.0 * portable::Log10(gamma);
}

bool Ranks(const BandDesign& a, const BandDesign& b) {
  const double ga = a.figures.worst_gamma, gb = b.figures.worst_gamma;
  if (ga != gb) return ga < gb;
  return a.parts < b.parts;
}

}  // namespace

std::vector<double> BandFrequencies(const BandRequest& r, std::size_t* measured_points) {
  std::vector<double> f = r.axis.Frequencies();
  const auto inside = [&](double hz) { return hz >= r.axis.start && hz <= r.axis.stop; };
  if (measured_points != nullptr) {
    *measured_points =
        static_cast<std::size_t>(std::count_if(r.measured.begin(), r.measured.end(), inside));
  }
  std::copy_if(r.measured.begin(), r.measured.end(), std::back_inserter(f), inside);
  std::sort(f.begin(), f.end());
  f.erase(std::unique(f.begin(), f.end()), f.end());
  return f;
}

BandLimit LimitOf(const BandRequest& r) {
  BandLimit limit;
  if (r.source.Resistive()) {
    const std::vector<double> even = r.axis.Frequencies();
    limit.fit = FitLoad(*r.load, even);
    limit.bode_fano = BodeFano(*r.load, r.axis.start, r.axis.stop, even);
  }
  return limit;
}

BandFigures FiguresOf(const Network& n, const BandRequest& r, const std::vector<double>& f,
                      const std::optional<BodeFanoBound>& limit) {
  BandFigures fig;
  double sum = 0.0, least_gain = kInf;
  for (const double hz : f) {
    const Impedance zl = r.load->At(hz);
    const double g = n.MatchAt(hz, zl, r.source).gamma_magnitude;
    fig.worst_gamma = std::isnan(g) ? kInf : std::max(fig.worst_gamma, g);
    sum += g;
    least_gain = std::min(least_gain, std::min(n.TransducerGain(hz, zl, r.source), 1.0));
  }
  std::size_t covered = 0;
  const std::vector<double> grid = r.axis.Frequencies();
  for (const double hz : grid) {
    const double g = n.MatchAt(hz, r.load->At(hz), r.source).gamma_magnitude;
    if ((1.0 + g) <= 2.0 * (1.0 - g)) ++covered;  // VSWR <= 2
  }
  fig.worst_return_loss_db = ReturnLossOf(fig.worst_gamma);
  fig.mean_return_loss_db = ReturnLossOf(sum / static_cast<double>(f.size()));
  fig.vswr2_coverage = static_cast<double>(covered) / static_cast<double>(grid.size());
  fig.dissipation_low_db = n.DissipationDb(r.axis.start, r.load->At(r.axis.start));
  fig.dissipation_centre_db = n.DissipationDb(r.centre, r.load->At(r.centre));
  fig.dissipation_high_db = n.DissipationDb(r.axis.stop, r.load->At(r.axis.stop));
  if (least_gain > 0.0) {
    fig.worst_insertion_loss_db =
        least_gain > 1.0 - 1e-12 ? 0.0 : 0.0 - 10.0 * portable::Log10(least_gain);
  }
  if (limit && fig.worst_return_loss_db) {
    fig.below_limit_db = limit->worst_return_loss_db - *fig.worst_return_loss_db;
  }
  return fig;
}

BandResult OptimizeBand(const BandRequest& r) {
  BandResult result;
  result.frequencies = BandFrequencies(r, &result.measured_points);
  const BandPoints points = PointsOf(r, result.frequencies);
  const int most = std::clamp(r.max_parts, 2, kMostParts);
  std::vector<Network> shapes = Ladders(2, most, r.elements);
  // The family's lines of the line impedance, their lengths at the centre.
  for (Network& s : shapes) s = *ResolvedLines(s, r.line_z0 > 0.0 ? r.line_z0 : r.z0, r.centre);
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
  const BandLimit limit = LimitOf(r);
  for (auto& [code, f] : best) {
    BandDesign d;
    d.kind = KindOfLadder(f.network);
    if (r.parts.series || r.parts.library) d.standard = StandardFor(f, r, points);
    d.ideal = f.network;
    d.evaluated = LossyFor(d.standard ? *d.standard : d.ideal, r);
    d.parts = static_cast<int>(d.ideal.elements.size());
    d.figures = FiguresOf(d.evaluated, r, result.frequencies, limit.bode_fano);
    d.ideal_figures = FiguresOf(LossyFor(d.ideal, r), r, result.frequencies);
    d.harmonics = HarmonicsOf(d.evaluated, *r.load, r.source, r.centre);
    result.designs.push_back(std::move(d));
  }
  std::stable_sort(result.designs.begin(), result.designs.end(), Ranks);
  result.fit = limit.fit;
  result.bode_fano = limit.bode_fano;
  for (int parts = 1; parts <= most; ++parts) {
    const auto with = std::find_if(result.designs.begin(), result.designs.end(),
                                   [&](const BandDesign& d) { return d.parts == parts; });
    if (with != result.designs.end()) {
      result.best_by_parts.emplace_back(parts, with->figures.worst_return_loss_db);
    }
  }
  return result;
}

}  // namespace vorda::rf
