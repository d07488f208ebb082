#include "rf/request/DesignRequest.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "rf/circuit/Limits.h"
#include "rf/circuit/Sweep.h"
#include "rf/circuit/Units.h"
#include "rf/synthesis/Topology.h"

namespace vorda::rf {

namespace {

std::string Range(double first, double last) {
  return FormatEngineering(first, "Hz") + " to " + FormatEngineering(last, "Hz");
}

std::optional<RequestError> CheckLoad(const DesignRequest& r) {
  const Field field = r.measurement != nullptr ? Field::kFrequency : Field::kLoadR;
  const std::string where =
      r.measurement != nullptr ? "at " + FormatEngineering(r.hertz, "Hz") + ", " : "";
  const Impedance load = r.measurement != nullptr ? r.measurement->At(r.hertz) : r.load;
  if (auto why = CheckLoadResistance(load.real(), r.z0)) return RequestError{field, where + *why};
  if (auto why = CheckLoadReactance(load.imag(), r.z0)) {
    return RequestError{r.measurement != nullptr ? field : Field::kLoadX, where + *why};
  }
  return std::nullopt;
}

std::optional<RequestError> CheckSweep(const DesignRequest& r) {
  if (r.sweep.kind != SweepPlan::Kind::kRange) return std::nullopt;
  auto why = CheckFrequency(r.sweep.start, "the sweep");
  if (!why) why = CheckFrequency(r.sweep.stop, "the sweep");
  if (why) return RequestError{Field::kSpan, *why};
  if (r.measurement != nullptr &&
      !(r.measurement->Covers(r.sweep.start) && r.measurement->Covers(r.sweep.stop))) {
    return RequestError{Field::kSpan, "the sweep " + Range(r.sweep.start, r.sweep.stop) +
                                          " reaches outside the measured range " +
                                          Range(r.measurement->First(), r.measurement->Last())};
  }
  return std::nullopt;
}

// The load across frequency: measured, or typed as R in series with L or C.
template <typename Use>
auto WithLoad(const DesignRequest& r, Use use) {
  if (r.measurement != nullptr) return use(MeasuredLoad(*r.measurement));
  return use(SeriesLoad(r.load.real(), r.load.imag(), r.hertz));
}

DesignOptions OptionsFor(const DesignRequest& r, const std::vector<double>& frequencies,
                         const std::vector<double>& visit) {
  DesignOptions d = PartOptions(r.hertz, r.series, r.q_inductor, r.q_capacitor);
  d.bandwidth = r.band;
  if (r.responses) d.sweep = frequencies;
  if (r.measurement != nullptr) {
    d.band_limits = LimitsAround(r.hertz, r.measurement->First(), r.measurement->Last());
    d.band_visit = visit;
    d.known_up_to = r.measurement->Last();
  } else {
    d.band_limits = LimitsAround(r.hertz);
  }
  return d;
}

double ReturnLossOf(const TypeResult& t) {
  return t.at_design->return_loss_db.value_or(HUGE_VAL);  // a perfect match ranks first
}

double BandwidthOf(const TypeResult& t) {
  const Band& b = *t.design->band;
  if (!b.holds) return 0.0;
  return b.high.value_or(b.searched.high) - b.low.value_or(b.searched.low);
}

// Whether a ranks above b; both designed.
bool Better(const TypeResult& a, const TypeResult& b, Ranking ranking) {
  const double rl_a = ReturnLossOf(a), rl_b = ReturnLossOf(b);
  const double loss_a = a.dissipation_db.value_or(0.0), loss_b = b.dissipation_db.value_or(0.0);
  switch (ranking) {
    case Ranking::kDissipation:
      if (loss_a != loss_b) return loss_a < loss_b;
      return rl_a > rl_b;
    case Ranking::kBandwidth: {
      const double bw_a = BandwidthOf(a), bw_b = BandwidthOf(b);
      if (bw_a != bw_b) return bw_a > bw_b;
      break;
    }
    case Ranking::kLowPassFirst: {
      const bool lp_a = IsLowPass(a.design->Chosen()), lp_b = IsLowPass(b.design->Chosen());
      if (lp_a != lp_b) return lp_a;
      break;
    }
    case Ranking::kReturnLoss:
      break;
  }
  if (rl_a != rl_b) return rl_a > rl_b;
  return loss_a < loss_b;
}

// A row's design from its ideal network, with its verdict.
void Design(TypeResult& t, const Network& ideal, const DesignRequest& r,
            const DesignOptions& options) {
  const Source source = r.SourceOf();
  WithLoad(r, [&](const LoadModel& load) {
    TypeDesign d = DesignNetwork(ideal, load, source, options);
    t.at_design = d.evaluated.MatchAt(r.hertz, load.At(r.hertz), source);
    auto why = NotComputable(d, r.hertz);
    if (!why && !t.at_design->Finite()) why = "the input impedance is not a number";
    if (why) {
      t.verdict = Verdict::kNotComputable;
      t.status = "not computable: " + *why;
      t.at_design.reset();
      return;
    }
    t.verdict = Verdict::kDesigned;
    t.status = "admitted";
    if (d.loss) t.dissipation_db = d.loss->dissipation_db;
    t.design = std::move(d);
  });
}

// A row the design layer synthesises itself: an L type for a source other
// than z0, or a network of three or four parts.
TypeResult Synthesised(const NetworkKind& kind, const DesignRequest& r, Impedance load,
                       const DesignOptions& options) {
  TypeResult t;
  t.kind = kind;
  const Synthesis s =
      Synthesize(kind, r.SourceOf(), load, r.hertz, r.z0, r.loaded_q, r.intermediate);
  if (!s.network) {
    t.status = "refused: " + s.why;
    return t;
  }
  if (const auto broken = s.network->Broken()) {
    t.verdict = Verdict::kNotComputable;
    t.status = "not computable: " + *broken;
    return t;
  }
  Design(t, *s.network, r, options);
  return t;
}

std::optional<RequestError> CheckSource(const DesignRequest& r) {
  if (!r.source) return std::nullopt;
  if (auto why = CheckLoadResistance(r.source->real(), r.z0)) {
    return RequestError{Field::kSource, "the source: " + *why};
  }
  if (auto why = CheckLoadReactance(r.source->imag(), r.z0)) {
    return RequestError{Field::kSource, "the source: " + *why};
  }
  return std::nullopt;
}

std::optional<RequestError> CheckBand(const DesignRequest& r) {
  if (!r.band_range) return std::nullopt;
  const auto [start, stop] = *r.band_range;
  auto why = CheckFrequency(start, "the band");
  if (!why) why = CheckFrequency(stop, "the band");
  if (why) return RequestError{Field::kBand, *why};
  if (start > stop) return RequestError{Field::kBand, "the band's start lies above its stop"};
  if (r.measurement != nullptr && !(r.measurement->Covers(start) && r.measurement->Covers(stop))) {
    return RequestError{Field::kBand, "the band " + Range(start, stop) +
                                          " reaches outside the measured range " +
                                          Range(r.measurement->First(), r.measurement->Last())};
  }
  return std::nullopt;
}

}  // namespace

std::optional<RequestError> CheckRequest(const DesignRequest& r) {
  if (auto why = CheckReference(r.z0)) return RequestError{Field::kZ0, *why};
  if (auto e = CheckSource(r)) return e;
  if (auto why = CheckFrequency(r.hertz, "the design frequency")) {
    return RequestError{Field::kFrequency, *why};
  }
  if (r.measurement != nullptr && !r.measurement->Covers(r.hertz)) {
    return RequestError{Field::kFrequency,
                        FormatEngineering(r.hertz, "Hz") + " lies outside the measurement, " +
                            Range(r.measurement->First(), r.measurement->Last())};
  }
  if (auto e = CheckLoad(r)) return e;
  if (r.q_inductor) {
    if (auto why = CheckQ(*r.q_inductor, "the Q of inductors")) {
      return RequestError{Field::kQInductor, *why};
    }
  }
  if (r.q_capacitor) {
    if (auto why = CheckQ(*r.q_capacitor, "the Q of capacitors")) {
      return RequestError{Field::kQCapacitor, *why};
    }
  }
  if (r.loaded_q) {
    if (auto why = CheckQ(*r.loaded_q, "the loaded Q")) return RequestError{Field::kLoadedQ, *why};
  }
  if (r.intermediate) {
    if (auto why = CheckLoadResistance(*r.intermediate, r.z0)) {
      return RequestError{Field::kLoadedQ, "the intermediate resistance: " + *why};
    }
  }
  if (auto e = CheckBand(r)) return e;
  return CheckSweep(r);
}

std::vector<double> SweepFrequencies(const DesignRequest& r) {
  const Measurement* m = r.measurement;
  switch (r.sweep.kind) {
    case SweepPlan::Kind::kNone:
      return {};
    case SweepPlan::Kind::kRange:
      return LinearFrequencies(r.sweep.start, r.sweep.stop, r.sweep.points);
    case SweepPlan::Kind::kMeasured:
      return m != nullptr ? m->Frequencies() : std::vector<double>{};
    case SweepPlan::Kind::kAround:
      break;
  }
  const double f = r.hertz;
  const auto& span = r.sweep.span;
  double start = span ? f - *span / 2 : f / 2;
  double stop = span ? f + *span / 2 : f * 1.5;
  if (m != nullptr && !span) {
    start = m->First();
    stop = m->Last();
  }
  start = std::max({start, f / 100, kMinHertz});
  stop = std::min(stop, kMaxHertz);
  if (m != nullptr) {
    start = std::max(start, m->First());
    stop = std::min(stop, m->Last());
  }
  if (!(stop > start)) return {f};
  return LinearFrequencies(start, stop, r.sweep.points);
}

DesignResult RunDesign(const DesignRequest& r) {
  DesignResult result;
  result.z0 = r.z0;
  result.hertz = r.hertz;
  result.load = r.measurement != nullptr ? r.measurement->At(r.hertz) : r.load;
  if (r.measurement != nullptr) {
    if (const auto gap = r.measurement->GapAt(r.hertz)) {
      result.warnings.push_back(GapWarning(r.hertz, *gap));
    }
  }
  const Source source = r.SourceOf();
  result.already_matched = MatchOf(result.load, source).Perfect();
  result.frequencies = SweepFrequencies(r);
  const std::vector<double> visit =
      r.measurement != nullptr && r.band ? r.measurement->Frequencies() : std::vector<double>{};
  const DesignOptions options = OptionsFor(r, result.frequencies, visit);
  const LoadNumbers numbers{r.z0, result.load.real(), result.load.imag()};
  std::vector<NetworkKind> kinds;
  std::transform(r.types.begin(), r.types.end(), std::back_inserter(kinds), [](std::int16_t type) {
    return NetworkKind{Topology::kL, type};
  });
  if (r.networks) {
    const std::vector<NetworkKind> more = ThreeAndFourPartKinds();
    kinds.insert(kinds.end(), more.begin(), more.end());
  }
  if (r.given) kinds.push_back({Topology::kGiven, 0});
  for (const NetworkKind& kind : kinds) {
    TypeResult& t = result.types.emplace_back();
    if (kind.topology == Topology::kL && r.EngineSource()) {
      t.kind = kind;
      t.engine = ComputeNumbers(numbers, kind.type);
      t.status = EngineStatus(*t.engine);
      if (!result.already_matched && t.engine->run.outcome == Outcome::kComputed) {
        const ComputeRun& run = t.engine->run;
        Design(t,
               SectionAt(*FindSectionType(kind.type), *run.first * run.z0, *run.second * run.z0,
                         run.z0, r.hertz),
               r, options);
        // The engine's words (with a boundary warning) for a designed type;
        // a type the design could not compute keeps saying why.
        if (t.verdict == Verdict::kDesigned) t.status = EngineStatus(*t.engine);
      }
    } else if (kind.topology == Topology::kGiven) {
      t.kind = kind;
      Design(t, *r.given, r, options);  // also when the load matches already: it is asked for
      if (t.verdict == Verdict::kDesigned) t.status = "given";
    } else if (!result.already_matched) {
      t = Synthesised(kind, r, result.load, options);
    } else {
      t.kind = kind;
    }
    if (result.already_matched && kind.topology != Topology::kGiven) {
      t.verdict = Verdict::kAlreadyMatched;
      t.status = kAlreadyMatchedText;
    }
    if (t.verdict != Verdict::kDesigned || kind.topology == Topology::kGiven) continue;
    const std::size_t at = result.types.size() - 1;
    if (!result.best || Better(t, result.types[*result.best], r.ranking)) result.best = at;
  }
  if (r.measurement != nullptr && !result.frequencies.empty()) {
    result.bare_return_loss_db =
        BareReturnLoss(MeasuredLoad(*r.measurement), source, result.frequencies);
  }
  return result;
}

Curves CurvesOf(const DesignRequest& r, const DesignResult& result, const Network& ideal,
                const std::optional<Network>& standard, const std::optional<Network>& built) {
  Curves c;
  WithLoad(r, [&](const LoadModel& load) {
    const Source source = r.SourceOf();
    c.ideal = ResponseOf(ideal, load, source, result.frequencies);
    if (standard) c.standard = ResponseOf(*standard, load, source, result.frequencies);
    if (built) c.built = ResponseOf(*built, load, source, result.frequencies);
    if (r.measurement != nullptr) c.bare = ResponseOf(Network{}, load, source, result.frequencies);
  });
  return c;
}

Curves CurvesFor(const DesignRequest& r, const DesignResult& result, const TypeResult& t) {
  if (!t.design) return {};
  const TypeDesign& d = *t.design;
  return CurvesOf(r, result, d.ideal, d.standard,
                  d.loss ? std::optional<Network>(d.evaluated) : std::nullopt);
}

TypeResult DesignGiven(const DesignRequest& request, const Network& network) {
  DesignRequest r = request;
  r.types.clear();
  r.networks = false;
  r.given = network;
  return RunDesign(r).types.back();
}

BandResult RunBand(const DesignRequest& r, const std::atomic<bool>* cancel) {
  return WithLoad(r, [&](const LoadModel& load) {
    BandRequest b;
    b.start = r.band_range->first;
    b.stop = r.band_range->second;
    b.points = r.band_points;
    b.centre = r.hertz;
    b.source = r.SourceOf();
    b.z0 = r.z0;
    b.load = &load;
    if (r.measurement != nullptr) {
      b.measured = r.measurement->Frequencies();
      b.known_up_to = r.measurement->Last();
    }
    b.series = r.series;
    b.q_inductor = r.q_inductor;
    b.q_capacitor = r.q_capacitor;
    b.loaded_q = r.loaded_q;
    b.intermediate = r.intermediate;
    b.cancel = cancel;
    return OptimizeBand(b);
  });
}

}  // namespace vorda::rf
