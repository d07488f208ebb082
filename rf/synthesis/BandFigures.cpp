#include "rf/synthesis/BandFigures.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

#include "engine/PortableMath.h"
#include "rf/circuit/Match.h"

namespace vorda::rf {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

std::optional<double> ReturnLossOf(double gamma) {
  if (gamma <= kPerfectGamma) return std::nullopt;
  return 0.0 - 20.0 * portable::Log10(gamma);
}

std::optional<double> LossOf(double gain) {
  if (!(gain > 0.0)) return std::nullopt;
  return gain > 1.0 - 1e-12 ? 0.0 : 0.0 - 10.0 * portable::Log10(gain);
}

// A band's figures in one state of the load, over its frequencies; the
// VSWR-2 coverage over its even points, the dissipation at its edges and
// at `centre`.
struct Sums {
  double gamma = 0.0, least_gain = kInf;
  std::size_t points = 0, covered = 0, grid = 0;
};
BandFigures FiguresIn(const Network& n, const LoadModel& load, const Source& source,
                      const FrequencyAxis& axis, double centre, const std::vector<double>& f,
                      const std::optional<BodeFanoBound>& limit, const EfficiencyCurve* radiation,
                      Sums* sums = nullptr) {
  BandFigures fig;
  double sum = 0.0, least_gain = kInf, least_total = kInf;
  for (const double hz : f) {
    const Impedance zl = load.At(hz);
    const double g = n.MatchAt(hz, zl, source).gamma_magnitude;
    fig.worst_gamma = std::isnan(g) ? kInf : std::max(fig.worst_gamma, g);
    sum += g;
    const double gain = std::min(n.TransducerGain(hz, zl, source), 1.0);
    least_gain = std::min(least_gain, gain);
    if (radiation != nullptr) least_total = std::min(least_total, gain * radiation->At(hz));
  }
  std::size_t covered = 0;
  const std::vector<double> grid = axis.Frequencies();
  for (const double hz : grid) {
    const double g = n.MatchAt(hz, load.At(hz), source).gamma_magnitude;
    if ((1.0 + g) <= 2.0 * (1.0 - g)) ++covered;  // VSWR <= 2
  }
  fig.worst_return_loss_db = ReturnLossOf(fig.worst_gamma);
  fig.mean_return_loss_db = ReturnLossOf(sum / static_cast<double>(f.size()));
  fig.vswr2_coverage = static_cast<double>(covered) / static_cast<double>(grid.size());
  fig.dissipation_low_db = n.DissipationDb(axis.start, load.At(axis.start));
  fig.dissipation_centre_db = n.DissipationDb(centre, load.At(centre));
  fig.dissipation_high_db = n.DissipationDb(axis.stop, load.At(axis.stop));
  fig.worst_insertion_loss_db = LossOf(least_gain);
  if (limit) {
    using Use = BandFigures::LimitUse;
    fig.limit_db = limit->worst_return_loss_db;
    fig.limit_use = !Lossless(n)                           ? Use::kLossy
                    : fig.limit_db > kUnboundLimitDb       ? Use::kUnbound
                    : fig.worst_return_loss_db.has_value() ? Use::kDistance
                                                           : Use::kNone;
    if (fig.limit_use == Use::kDistance) {
      fig.below_limit_db = limit->worst_return_loss_db - *fig.worst_return_loss_db;
    }
  }
  if (radiation != nullptr) fig.worst_total_efficiency = std::max(least_total, 0.0);
  if (sums != nullptr) *sums = {sum, least_gain, f.size(), covered, grid.size()};
  return fig;
}

// The figure the objective takes at a point, from the cascade.
double PointFigureOf(const Network& n, const BandPoint& p) {
  const Source source(p.source);
  switch (p.figure) {
    case PointFigure::kGain: {
      const double g = std::min(n.TransducerGain(p.hertz, p.load, source), 1.0);
      return g > 0.0 ? p.weight / g : kInf;
    }
    case PointFigure::kReject:
      return p.weight * std::max(n.TransducerGain(p.hertz, p.load, source), 0.0);
    case PointFigure::kReflection:
      break;
  }
  const double g = n.MatchAt(p.hertz, p.load, source).gamma_magnitude;
  return std::isnan(g) ? kInf : p.weight * g * g;
}

std::optional<double> MarginOf(double figure) {
  if (!(figure > 0.0) || std::isinf(figure)) return std::nullopt;
  return MarginDb(figure);
}

}  // namespace

bool Lossless(const Network& n) {
  return std::all_of(n.elements.begin(), n.elements.end(), [](const Element& e) {
    if (e.line) return e.line->conductor.db == 0.0 && e.line->dielectric.db == 0.0;
    return !e.part.IsReal() || (std::isinf(e.part.q) && !e.part.model.measured);
  });
}

double BandRequest::Lowest() const {
  double f = kInf;
  for (const PassBand& b : bands) f = std::min(f, b.axis.start);
  for (const RejectBand& b : rejects) f = std::min(f, b.axis.start);
  return f;
}

double BandRequest::Highest() const {
  double f = 0.0;
  for (const PassBand& b : bands) f = std::max(f, b.axis.stop);
  for (const RejectBand& b : rejects) f = std::max(f, b.axis.stop);
  return f;
}

BandRequest OneBand(const FrequencyAxis& axis, const LoadModel& load,
                    std::vector<double> measured) {
  BandRequest r;
  r.bands = {PassBand{axis, std::nullopt}};
  r.states = {LoadState{&load, std::move(measured), {}}};
  return r;
}

std::vector<double> BandFrequencies(const BandRequest& r, std::size_t* measured_points) {
  const FrequencyAxis& axis = r.Axis();
  const std::vector<double>& measured = r.states.front().measured;
  std::vector<double> f = axis.Frequencies();
  const auto inside = [&](double hz) { return hz >= axis.start && hz <= axis.stop; };
  if (measured_points != nullptr) {
    *measured_points =
        static_cast<std::size_t>(std::count_if(measured.begin(), measured.end(), inside));
  }
  std::copy_if(measured.begin(), measured.end(), std::back_inserter(f), inside);
  std::sort(f.begin(), f.end());
  f.erase(std::unique(f.begin(), f.end()), f.end());
  return f;
}

namespace {

BandLimit LimitIn(const LoadModel& load, const FrequencyAxis& axis, const Source& source) {
  BandLimit limit;
  if (source.Resistive()) {
    const std::vector<double> even = axis.Frequencies();
    limit.fit = FitLoad(load, even);
    limit.bode_fano = BodeFano(load, axis.start, axis.stop, even);
  }
  return limit;
}

}  // namespace

BandLimit LimitOf(const BandRequest& r) {
  return LimitIn(r.Load(), r.Axis(), r.source);
}

BandLayout LayoutOf(const BandRequest& r) {
  BandLayout layout;
  layout.goal = GoalPointsOf(r.bands, r.rejects, r.states, r.source, r.figure, r.radiation);
  for (const Segment& s : layout.goal.segments) {
    if (s.reject) continue;
    const BandLimit limit = LimitIn(*r.states[s.state].load, r.bands[s.band].axis, r.source);
    layout.limits.push_back(limit.bode_fano);
    layout.fits.push_back(limit.fit);
  }
  return layout;
}

BandFigures FiguresOf(const Network& n, const BandRequest& r, const std::vector<double>& f,
                      const std::optional<BodeFanoBound>& limit) {
  return FiguresIn(n, r.Load(), r.source, r.Axis(), r.centre, f, limit, r.radiation);
}

BandEvaluation EvaluateBands(const Network& n, const BandRequest& r, const BandLayout& layout) {
  const std::vector<Segment>& segments = layout.goal.segments;
  if (r.Single()) {
    BandEvaluation e{FiguresOf(n, r, segments.front().frequencies, layout.limits.front()),
                     std::nullopt, 0.0};
    if (r.Plain()) {
      e.worst_figure = e.figures.worst_gamma * e.figures.worst_gamma;
    } else {
      for (const BandPoint& p : layout.goal.points)
        e.worst_figure = std::max(e.worst_figure, PointFigureOf(n, p));
    }
    return e;
  }
  GoalFigures g;
  Sums all;
  BandFigures overall;
  double least_gain = kInf;
  std::size_t pass = 0;
  for (const Segment& s : segments) {
    double worst = 0.0;
    for (std::size_t i = s.begin; i < s.end; ++i) {
      worst = std::max(worst, PointFigureOf(n, layout.goal.points[i]));
    }
    g.worst_figure = std::max(g.worst_figure, worst);
    if (s.reject) {
      double most = 0.0;
      for (const double hz : s.frequencies) {
        most = std::max(most, n.TransducerGain(hz, r.states[s.state].load->At(hz), r.source));
      }
      RejectFigures reject;
      reject.attenuation_db = most > 0.0 ? std::optional(MarginDb(most)) : std::nullopt;
      reject.margin_db = MarginOf(worst);
      reject.met = !(worst > 1.0);
      g.rejects.push_back(reject);
      continue;
    }
    const FrequencyAxis& axis = r.bands[s.band].axis;
    const double centre =
        s.band == 0 ? r.centre : std::sqrt(axis.start * axis.stop);  // the design frequency
    Sums sums;
    const BandFigures fig = FiguresIn(n, *r.states[s.state].load, r.source, axis, centre,
                                      s.frequencies, layout.limits[pass++], r.radiation, &sums);
    if (g.bands.empty()) {
      overall = fig;
    } else {
      overall.worst_gamma = std::max(overall.worst_gamma, fig.worst_gamma);
      if (s.state == 0) overall.dissipation_high_db = fig.dissipation_high_db;
      if (fig.worst_total_efficiency) {
        overall.worst_total_efficiency =
            std::min(*overall.worst_total_efficiency, *fig.worst_total_efficiency);
      }
    }
    least_gain = std::min(least_gain, sums.least_gain);
    all.gamma += sums.gamma;
    all.points += sums.points;
    all.covered += sums.covered;
    all.grid += sums.grid;
    g.bands.push_back(fig);
    g.margins_db.push_back(MarginOf(worst));
    g.blocked.push_back(std::isinf(worst));
  }
  overall.worst_return_loss_db = ReturnLossOf(overall.worst_gamma);
  overall.mean_return_loss_db = ReturnLossOf(all.gamma / static_cast<double>(all.points));
  overall.vswr2_coverage = static_cast<double>(all.covered) / static_cast<double>(all.grid);
  overall.worst_insertion_loss_db = LossOf(least_gain);
  // Each band has its own limit.
  if (g.bands.size() > 1) overall.below_limit_db.reset();
  g.worst_margin_db = MarginOf(g.worst_figure);
  g.worst_blocked = std::isinf(g.worst_figure);
  return {overall, g, g.worst_figure};
}

}  // namespace vorda::rf
