#include "rf/request/RequestPlan.h"
#include <algorithm>
#include <iterator>

#include <cmath>

namespace vorda::rf {

namespace {

PartsChoice PartsOf(const DesignRequest& r) {
  PartsChoice p = r.parts;
  if (p.library && p.model.Ideal()) p.model.package = p.library->CommonPackage();
  return p;
}

DesignOptions OptionsOf(const DesignRequest& r, const PartsChoice& parts,
                        const std::vector<double>& sweep, bool compensate) {
  DesignOptions d;
  d.hertz = r.hertz;
  d.parts = parts;
  d.bandwidth = r.bandwidth;
  if (r.responses) d.sweep = sweep;
  // The VSWR-2 band of a measured load is searched where the file knows
  // the load, visiting its points. (Only when asked for: the design at each
  // point of a long file must not go through the whole file each time.)
  if (r.measurement && r.bandwidth) {
    const Measurement::Stretch known = r.measurement->PassiveAround(r.hertz);
    d.band_limits = LimitsAround(r.hertz, known.low, known.high);
    d.band_visit = r.measurement->Frequencies();
  } else {
    d.band_limits = LimitsAround(r.hertz);
  }
  d.compensate = compensate;
  return d;
}

std::optional<BandRequest> BandOf(const DesignRequest& r, const LoadModel& load,
                                  const std::vector<MeasuredLoad>& states,
                                  const PartsChoice& parts) {
  if (r.bands.empty()) return std::nullopt;
  BandRequest b;
  b.bands = r.bands;
  b.rejects = r.rejects;
  b.states.push_back(LoadState{&load,
                               r.measurement ? r.measurement->Frequencies() : std::vector<double>{},
                               r.measurement_name});
  for (std::size_t i = 0; i < states.size(); ++i) {
    b.states.push_back(
        LoadState{&states[i], r.states[i].measurement->Frequencies(), r.states[i].name});
  }
  b.figure = r.SearchFigure();
  b.radiation = r.radiation.get();
  b.centre = r.hertz;
  b.source = r.SourceOf();
  b.z0 = r.z0;
  b.parts = parts;
  b.loaded_q = r.loaded_q;
  b.intermediate = r.intermediate;
  b.max_parts = r.max_parts;
  b.elements = r.elements;
  b.line_z0 = r.LineZ0();
  return b;
}

std::vector<MeasuredLoad> StatesOf(const DesignRequest& r) {
  std::vector<MeasuredLoad> loads;
  loads.reserve(r.states.size());
  std::transform(r.states.begin(), r.states.end(), std::back_inserter(loads),
                 [](const DesignRequest::State& s) { return MeasuredLoad(*s.measurement); });
  return loads;
}

// What a build is held to: every band's goal, the goal VSWR's return loss
// where a band has none; up to kYieldPoints of each band.
GoalPoints YieldGoalsOf(const DesignRequest& r, const std::optional<BandRequest>& b) {
  if (!b || !r.yield) return {};
  std::vector<PassBand> bands = b->bands;
  const double v = r.yield->goal_vswr, gamma = (v - 1.0) / (v + 1.0);
  for (PassBand& band : bands) {
    if (!band.goal) band.goal = BandGoal{BandFigure::kReturnLoss, -20.0 * std::log10(gamma)};
  }
  const GoalPoints all =
      GoalPointsOf(bands, b->rejects, b->states, b->source, b->figure, b->radiation);
  GoalPoints some;
  for (const Segment& s : all.segments) {
    const std::vector<BandPoint> points(all.points.begin() + static_cast<long>(s.begin),
                                        all.points.begin() + static_cast<long>(s.end));
    Segment t = s;
    t.begin = some.points.size();
    for (const BandPoint& p : Spread(points, kYieldPoints)) some.points.push_back(p);
    t.end = some.points.size();
    some.segments.push_back(std::move(t));
  }
  return some;
}

}  // namespace

namespace {

// The request with its given network's lines resolved against it.
DesignRequest Resolved(DesignRequest r) {
  if (r.given) {
    // CheckRequest has made sure the lines resolve.
    if (auto n = ResolvedLines(*r.given, r.z0, r.hertz, r.substrate ? &*r.substrate : nullptr)) {
      r.given = std::move(n);
    }
  }
  return r;
}

}  // namespace

RequestPlan::RequestPlan(DesignRequest r)
    : request(Resolved(std::move(r))),
      load(request),
      source(request.SourceOf()),
      parts(PartsOf(request)),
      sweep(SweepFrequencies(request)),
      options(OptionsOf(request, parts, sweep, true)),
      fixed(OptionsOf(request, parts, sweep, false)),
      states(StatesOf(request)),
      band(BandOf(request, load, states, parts)),
      band_frequencies(band ? BandFrequencies(*band) : std::vector<double>{}),
      limit(band ? LimitOf(*band) : BandLimit{}),
      layout(band ? LayoutOf(*band) : BandLayout{}),
      yield_goals(YieldGoalsOf(request, band)) {}

std::shared_ptr<const RequestPlan> PlanOf(const DesignRequest& request) {
  return std::make_shared<const RequestPlan>(request);
}

}  // namespace vorda::rf
