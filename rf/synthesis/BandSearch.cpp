#include "rf/synthesis/BandSearch.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <iterator>
#include <limits>

#include "engine/PortableMath.h"
#include "rf/circuit/FrequencyAxis.h"

namespace vorda::rf {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// The load at one frequency of the band, and 2 pi f.
struct Point {
  double omega;
  Impedance load;
  Impedance source;  // the source at this frequency
};

// The worst |gamma|^2 over the points of a network whose real parts take the
// given values (in element order) and keep their kind and Q; shorts and
// opens stay as they are. NaN counts as the worst.
double WorstGamma2(const Network& shape, const std::vector<double>& values,
                   const std::vector<Point>& points) {
  double worst = 0.0;
  for (const Point& p : points) {
    Impedance z = p.load;
    std::size_t v = values.size();
    for (std::size_t k = shape.elements.size(); k-- > 0;) {
      const Element& e = shape.elements[k];
      if (!e.part.IsReal()) {
        if (e.part.kind == Part::Kind::kShort && e.position == Position::kShunt) z = 0.0;
        continue;  // a series short, or a shunt open: nothing
      }
      const double value = values[--v];
      const double x =
          e.part.kind == Part::Kind::kInductor ? p.omega * value : -1.0 / (p.omega * value);
      const Impedance zp(std::fabs(x) / e.part.q, x);
      z = e.position == Position::kSeries ? z + zp : zp * z / (zp + z);
    }
    const double g2 = Norm2(z - std::conj(p.source)) / Norm2(z + p.source);
    if (!(g2 <= worst)) worst = std::isnan(g2) ? kInf : g2;
  }
  return worst;
}

std::vector<double> RealValues(const Network& n) {
  std::vector<double> v;
  for (const Element& e : n.elements) {
    if (e.part.IsReal()) v.push_back(e.part.value);
  }
  return v;
}

Network WithValues(Network n, const std::vector<double>& values) {
  std::size_t i = 0;
  for (Element& e : n.elements) {
    if (e.part.IsReal()) e.part.value = values[i++];
  }
  return n;
}

Network WithLosses(Network n, const BandRequest& r) {
  for (Element& e : n.elements) {
    if (e.part.kind == Part::Kind::kInductor) e.part.q = r.q_inductor.value_or(kIdealQ);
    if (e.part.kind == Part::Kind::kCapacitor) e.part.q = r.q_capacitor.value_or(kIdealQ);
  }
  return n;
}

// A search that counts its evaluations and stops when asked.
struct Objective {
  const Network* shape;  // with the losses
  const std::vector<Point>* points;
  const Source* source;
  const std::atomic<bool>* cancel;
  long* evaluations;

  double operator()(const std::vector<double>& values) const {
    ++*evaluations;
    if (!std::all_of(values.begin(), values.end(), [](double v) { return v > 0.0; })) {
      return kInf;
    }
    return WorstGamma2(*shape, values, *points);
  }
  bool Cancelled() const { return cancel != nullptr && cancel->load(std::memory_order_relaxed); }
};

// Nelder-Mead on the values scaled by their start (each starts at 1), a
// simplex of relative size `step` around it; deterministic. Returns the best
// values met and their objective.
std::pair<std::vector<double>, double> NelderMead(const Objective& f, const std::vector<double>& v0,
                                                  double step, int max_evaluations) {
  const std::size_t n = v0.size();
  const auto values = [&](const std::vector<double>& x) {
    std::vector<double> v(n);
    for (std::size_t i = 0; i < n; ++i) v[i] = v0[i] * x[i];
    return v;
  };
  std::vector<std::vector<double>> s(n + 1, std::vector<double>(n, 1.0));
  for (std::size_t i = 0; i < n; ++i) s[i + 1][i] = 1.0 + step;
  std::vector<double> fs(n + 1);
  for (std::size_t i = 0; i <= n; ++i) fs[i] = f(values(s[i]));
  int used = static_cast<int>(n + 1);
  std::vector<std::size_t> order(n + 1);
  while (used < max_evaluations && !f.Cancelled()) {
    for (std::size_t i = 0; i <= n; ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return fs[a] < fs[b]; });
    const std::size_t best = order[0], worst = order[n], second = order[n - 1];
    // Converged: the simplex has shrunk to a relative 1e-7.
    double size = 0.0;
    for (std::size_t i = 0; i <= n; ++i) {
      for (std::size_t k = 0; k < n; ++k) size = std::max(size, std::fabs(s[i][k] - s[best][k]));
    }
    if (size < 1e-7) break;
    std::vector<double> centroid(n, 0.0);
    for (std::size_t i = 0; i <= n; ++i) {
      if (i == worst) continue;
      for (std::size_t k = 0; k < n; ++k) centroid[k] += s[i][k] / static_cast<double>(n);
    }
    const auto toward = [&](double t) {  // centroid + t (centroid - worst)
      std::vector<double> x(n);
      for (std::size_t k = 0; k < n; ++k) x[k] = centroid[k] + t * (centroid[k] - s[worst][k]);
      return x;
    };
    const std::vector<double> reflected = toward(1.0);
    const double fr = f(values(reflected));
    ++used;
    if (fr < fs[best]) {
      const std::vector<double> expanded = toward(2.0);
      const double fe = f(values(expanded));
      ++used;
      if (fe < fr) {
        s[worst] = expanded;
        fs[worst] = fe;
      } else {
        s[worst] = reflected;
        fs[worst] = fr;
      }
      continue;
    }
    if (fr < fs[second]) {
      s[worst] = reflected;
      fs[worst] = fr;
      continue;
    }
    const bool outside = fr < fs[worst];
    const std::vector<double> contracted = toward(outside ? 0.5 : -0.5);
    const double fc = f(values(contracted));
    ++used;
    if (fc < (outside ? fr : fs[worst])) {
      s[worst] = contracted;
      fs[worst] = fc;
      continue;
    }
    for (std::size_t i = 0; i <= n; ++i) {  // shrink towards the best
      if (i == best) continue;
      for (std::size_t k = 0; k < n; ++k) s[i][k] = s[best][k] + 0.5 * (s[i][k] - s[best][k]);
      fs[i] = f(values(s[i]));
      ++used;
    }
  }
  const std::size_t best =
      static_cast<std::size_t>(std::min_element(fs.begin(), fs.end()) - fs.begin());
  return {values(s[best]), fs[best]};
}

// The values from a start, searched three times from the best so far with a
// smaller simplex each time; never worse than the start.
std::pair<std::vector<double>, double> Search(const Objective& f, std::vector<double> start) {
  double best = f(start);
  for (const double step : {0.5, 0.1, 0.02}) {
    if (start.empty() || f.Cancelled()) break;
    auto [values, value] = NelderMead(f, start, step, 400 * static_cast<int>(start.size()));
    if (value < best) {
      best = value;
      start = std::move(values);
    }
  }
  return {start, best};
}

// The best set of standard values next to the values given: the neighbours
// of each part, every combination, ascending; a tie keeps the lower values.
std::optional<std::vector<double>> Standard(const Objective& f, const std::vector<double>& ideal,
                                            ESeries series) {
  std::vector<std::vector<double>> candidates;
  for (const double v : ideal) {
    const auto n = StandardNeighbours(v, series);
    if (!n) return std::nullopt;
    candidates.push_back(n->below == n->above ? std::vector<double>{n->below}
                                              : std::vector<double>{n->below, n->above});
  }
  std::vector<double> pick(ideal.size()), best;
  double best_value = kInf;
  std::function<void(std::size_t)> each = [&](std::size_t at) {
    if (at == candidates.size()) {
      const double value = f(pick);
      if (best.empty() || value < best_value) {
        best = pick;
        best_value = value;
      }
      return;
    }
    for (const double c : candidates[at]) {
      pick[at] = c;
      each(at + 1);
    }
  };
  each(0);
  return best;
}

// The analytic designs a kind's search starts from.
std::vector<Network> Starts(const NetworkKind& kind, const BandRequest& r) {
  const Impedance zl = r.load->At(r.centre);
  std::vector<std::optional<double>> qs = {std::nullopt};
  const bool pi_or_t =
      kind.topology == Topology::kPiLowPass || kind.topology == Topology::kPiHighPass ||
      kind.topology == Topology::kTLowPass || kind.topology == Topology::kTHighPass;
  if (pi_or_t) {
    const double least = MinimumQ(kind.topology, r.source, zl);
    qs = r.loaded_q ? std::vector<std::optional<double>>{r.loaded_q}
                    : std::vector<std::optional<double>>{least * 1.1 + 0.3, least * 2 + 0.5,
                                                         least * 4 + 1};
  }
  std::vector<Network> starts;
  for (const auto& q : qs) {
    const Synthesis s = Synthesize(kind, r.source, zl, r.centre, r.z0, q, r.intermediate);
    if (s.network && !s.network->Broken()) starts.push_back(*s.network);
  }
  return starts;
}

std::string WhyNone(const NetworkKind& kind, const BandRequest& r) {
  const Synthesis s = Synthesize(
      kind, r.source, r.load->At(r.centre), r.centre, r.z0,
      r.loaded_q.value_or(2 * MinimumQ(kind.topology, r.source, r.load->At(r.centre)) + 0.5),
      r.intermediate);
  if (!s.network) return s.why;
  return *s.network->Broken();
}

double DissipationDb(const Network& n, const LoadModel& load, double hertz) {
  return n.DissipationDb(hertz, load.At(hertz));
}

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

BandFigures FiguresOf(const Network& n, const BandRequest& r, const std::vector<double>& f) {
  BandFigures fig;
  double sum = 0.0;
  std::size_t even = 0, covered = 0;
  const std::vector<double> grid = r.axis.Frequencies();
  for (const double hz : f) {
    const double g = std::sqrt(
        WorstGamma2(n, RealValues(n), {{kTwoPi * hz, r.load->At(hz), r.source.At(hz).z}}));
    fig.worst_gamma = std::max(fig.worst_gamma, g);
    sum += g;
  }
  for (const double hz : grid) {
    const double g = std::sqrt(
        WorstGamma2(n, RealValues(n), {{kTwoPi * hz, r.load->At(hz), r.source.At(hz).z}}));
    ++even;
    if ((1.0 + g) <= 2.0 * (1.0 - g)) ++covered;  // VSWR <= 2
  }
  fig.worst_return_loss_db = ReturnLossOf(fig.worst_gamma);
  fig.mean_return_loss_db = ReturnLossOf(sum / static_cast<double>(f.size()));
  fig.vswr2_coverage = static_cast<double>(covered) / static_cast<double>(even);
  fig.dissipation_low_db = DissipationDb(n, *r.load, r.axis.start);
  fig.dissipation_centre_db = DissipationDb(n, *r.load, r.centre);
  fig.dissipation_high_db = DissipationDb(n, *r.load, r.axis.stop);
  return fig;
}

BandResult OptimizeBand(const BandRequest& r) {
  BandResult result;
  result.frequencies = r.axis.Frequencies();
  const auto inside = [&](double hz) { return hz >= r.axis.start && hz <= r.axis.stop; };
  result.measured_points =
      static_cast<std::size_t>(std::count_if(r.measured.begin(), r.measured.end(), inside));
  std::copy_if(r.measured.begin(), r.measured.end(), std::back_inserter(result.frequencies),
               inside);
  std::sort(result.frequencies.begin(), result.frequencies.end());
  result.frequencies.erase(std::unique(result.frequencies.begin(), result.frequencies.end()),
                           result.frequencies.end());
  std::vector<Point> points;
  points.reserve(result.frequencies.size());
  for (const double hz : result.frequencies)
    points.push_back({kTwoPi * hz, r.load->At(hz), r.source.At(hz).z});

  for (const NetworkKind& kind : r.kinds) {
    if (r.cancel != nullptr && r.cancel->load()) {
      result.cancelled = true;
      return result;
    }
    const std::vector<Network> starts = Starts(kind, r);
    if (starts.empty()) {
      result.refused.emplace_back(kind, WhyNone(kind, r));
      continue;
    }
    // The search weighs the parts with their losses, so that it finds the
    // values best as built.
    const Network shape = WithLosses(starts.front(), r);
    const Objective f{&shape, &points, &r.source, r.cancel, &result.evaluations};
    std::vector<double> ideal;
    double ideal_value = kInf;
    for (const Network& start : starts) {
      auto [values, value] = Search(f, RealValues(start));
      if (ideal.empty() || value < ideal_value) {
        ideal = std::move(values);
        ideal_value = value;
      }
    }
    std::optional<std::vector<double>> standard;
    if (r.series) {
      // Standard values never do better than the ideal ones they come from:
      // when they would, the search goes on from them.
      for (int round = 0; round < 3; ++round) {
        standard = Standard(f, ideal, *r.series);
        if (!standard || f(*standard) >= ideal_value) break;
        auto [values, value] = Search(f, *standard);
        ideal = std::move(values);
        ideal_value = value;
      }
      if (standard && f(*standard) < ideal_value) {
        ideal = *standard;
        ideal_value = f(ideal);
      }
    }
    BandDesign d;
    d.kind = kind;
    d.ideal = WithValues(starts.front(), ideal);
    if (standard) d.standard = WithValues(starts.front(), *standard);
    d.evaluated = WithLosses(d.standard ? *d.standard : d.ideal, r);
    d.parts = static_cast<int>(ideal.size());
    d.figures = FiguresOf(d.evaluated, r, result.frequencies);
    d.ideal_figures = FiguresOf(WithLosses(d.ideal, r), r, result.frequencies);
    d.harmonics = HarmonicsOf(d.evaluated, *r.load, r.source, r.centre, r.known_up_to);
    result.designs.push_back(std::move(d));
  }
  std::stable_sort(result.designs.begin(), result.designs.end(), Ranks);
  if (r.source.Resistive()) {
    const std::vector<double> even = r.axis.Frequencies();
    result.fit = FitLoad(*r.load, even);
    result.bode_fano = BodeFano(*r.load, r.axis.start, r.axis.stop, even);
  }
  return result;
}

}  // namespace vorda::rf
