#include "rf/request/Rows.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "engine/SectionTypes.h"
#include "rf/circuit/Units.h"
#include "rf/request/CentredRows.h"
#include "rf/request/RowRanking.h"
#include "rf/synthesis/LineDesigns.h"

namespace vorda::rf {

namespace {

// What the tolerances do to a row's parts as built: over the band with one
// (at most 201 of its points, evenly), at the design frequency otherwise;
// a library part with its own tolerance when asked.
std::optional<YieldFigures> RowYield(const RequestPlan& p, const Network& built) {
  const DesignRequest& r = p.request;
  if (!r.yield) return std::nullopt;
  const YieldRequest y = YieldRequestFor(r, built);
  // Several bands, states or goals: every goal met.
  if (p.band && !p.band->Single()) return YieldOf(built, p.yield_goals.points, y);
  std::vector<double> f = {r.hertz};
  if (const FrequencyAxis* band = r.Band()) {
    f = band->Frequencies();
    if (f.size() > 201) {
      std::vector<double> some;
      for (std::size_t i = 0; i < 201; ++i) some.push_back(f[i * (f.size() - 1) / 200]);
      f = std::move(some);
    }
  }
  return YieldOf(built, p.load, p.source, f, y);
}

void AddNote(Row& t, const std::optional<std::string>& note) {
  if (note) t.note = t.note.empty() ? *note : t.note + "; " + *note;
}

// What a designed row has besides its design at the frequency: its figures
// over the band, the parts that act as the other kind, its yield.
void Complete(Row& t, const RequestPlan& p) {
  const NetworkDesign& d = *t.design;
  if (p.band && !t.band) {
    BandEvaluation e = EvaluateBands(d.built, *p.band, p.layout);
    t.band = e.figures;
    t.goals = std::move(e.goals);
  }
  AddNote(t, ReversedParts(d.built, p.request.hertz));
  t.yield = RowYield(p, d.built);
}

// A row's design from its ideal network (and standard one, when chosen
// already), with its verdict and its figures over the band.
void Design(Row& t, const Network& ideal, const RequestPlan& p, const DesignOptions& options,
            const std::optional<Network>& standard = std::nullopt) {
  if (const Why broken = BrokenWhy(ideal)) {
    t.verdict = Verdict::kNotComputable;
    t.why = broken;
    return;
  }
  NetworkDesign d = DesignNetwork(ideal, p.load, p.source, options, standard);
  if (const Why why = NotComputable(d, p.request.hertz)) {
    t.verdict = Verdict::kNotComputable;
    t.why = why;
    return;
  }
  t.verdict = Verdict::kDesigned;
  t.design = std::move(d);
  Complete(t, p);
}

// The rows of one L type: the engine's run of it for a source of z0, or the
// design layer's solutions (two for some complex sources).
void AddLType(std::int16_t type, const RequestPlan& p, const DesignResult& result,
              std::vector<Row>& rows) {
  const DesignRequest& r = p.request;
  const NetworkKind kind{Topology::kL, type};
  if (r.EngineSource()) {
    Row& t = rows.emplace_back();
    t.kind = kind;
    t.engine = ComputeNumbers({r.z0, result.load.real(), result.load.imag()}, type);
    const ComputeRun& run = t.engine->run;
    if (result.already_matched || run.outcome != Outcome::kComputed) return;
    Design(t,
           SectionAt(*FindSectionType(type), *run.first * run.z0, *run.second * run.z0, run.z0,
                     r.hertz),
           p, p.options);
    return;
  }
  const std::vector<Network> all =
      result.already_matched ? std::vector<Network>{}
                             : LSectionsOfType(type, p.source, result.load, r.hertz, r.z0);
  if (all.empty()) {
    Row& t = rows.emplace_back();
    t.kind = kind;
    if (!result.already_matched) {
      t.verdict = Verdict::kRefused;
      t.why = {Reason::kTypeCannotMatch};
    }
    return;
  }
  for (std::size_t i = 0; i < all.size(); ++i) {
    Row& t = rows.emplace_back();
    t.kind = kind;
    t.solution = static_cast<int>(i);
    Design(t, all[i], p, p.options);
  }
}

// A network of three or four parts synthesised at the design frequency.
void AddNetwork(const NetworkKind& kind, const RequestPlan& p, const DesignResult& result,
                std::vector<Row>& rows) {
  const DesignRequest& r = p.request;
  Row& t = rows.emplace_back();
  t.kind = kind;
  if (kind.topology != Topology::kTwoLLowPass && kind.topology != Topology::kTwoLHighPass) {
    t.design_q = r.loaded_q;
  }
  if (result.already_matched) return;
  const Synthesis s =
      Synthesize(kind, p.source, result.load, r.hertz, r.z0, r.loaded_q, r.intermediate);
  if (!s.network) {
    t.verdict = Verdict::kRefused;
    t.why = s.why;
    return;
  }
  t.became = s.became;
  if (s.became != Became::kAsNamed) t.note = BecameText(s.became);
  Design(t, *s.network, p, p.options);
}

// The designs with lines of a kind at the design frequency: a row for each
// solution, or one that says why there is none.
void AddLineDesign(const NetworkKind& kind, const RequestPlan& p, const DesignResult& result,
                   std::vector<Row>& rows) {
  const DesignRequest& r = p.request;
  if (result.already_matched) {
    rows.emplace_back().kind = kind;
    return;
  }
  const double zc = r.LineZ0();
  const StubEnd end =
      kind.topology == Topology::kSingleStubShort || kind.topology == Topology::kDoubleStubShort
          ? StubEnd::kShort
          : StubEnd::kOpen;
  const LineDesigns d =
      kind.topology == Topology::kQuarterWave ? QuarterWave(p.source, result.load, r.hertz, zc)
      : kind.topology == Topology::kSingleStubOpen || kind.topology == Topology::kSingleStubShort
          ? SingleStub(end, p.source, result.load, r.hertz, zc)
          : DoubleStub(end, p.source, result.load, r.hertz, zc, r.StubSpacingDegrees());
  if (d.networks.empty()) {
    Row& t = rows.emplace_back();
    t.kind = kind;
    t.verdict = Verdict::kRefused;
    t.why = d.why;
    return;
  }
  for (std::size_t i = 0; i < d.networks.size(); ++i) {
    Row& t = rows.emplace_back();
    t.kind = kind;
    t.solution = static_cast<int>(i);
    Design(t, d.networks[i], p, p.options);
  }
}

// Whether a row did what was asked of it: the engine computed it (without a
// design), or the design layer designed it or found the load matched.
bool Succeeded(const Row& t, bool design) {
  if (!design) return t.engine->run.outcome == Outcome::kComputed;
  return t.verdict == Verdict::kDesigned || t.verdict == Verdict::kAlreadyMatched;
}

}  // namespace

const char* OriginName(Origin origin) {
  switch (origin) {
    case Origin::kOverBand:
      return "over the band";
    case Origin::kTuned:
      return "tuned";
    case Origin::kGiven:
      return "given";
    case Origin::kAtFrequency:
      break;
  }
  return "at the frequency";
}

std::string RowName(const Row& t) {
  std::string name = KindName(t.kind) + (t.solution > 0 ? ", second solution" : "");
  switch (t.origin) {
    case Origin::kOverBand:
      return "Band: " + name;
    case Origin::kTuned:
      return "Tuned: " + t.tuned_from;
    case Origin::kGiven:
    case Origin::kAtFrequency:
      break;
  }
  return name;
}

std::string RowKey(const Row& t) {
  std::string key = KindKey(t.kind) + (t.solution > 0 ? "-2" : "");
  switch (t.origin) {
    case Origin::kOverBand:
      return "band-" + key;
    case Origin::kTuned:
      return "tuned";
    case Origin::kGiven:
    case Origin::kAtFrequency:
      break;
  }
  return key;
}

DesignResult RunDesign(const DesignRequest& request) {
  DesignResult result;
  result.plan = PlanOf(request);
  const RequestPlan& p = *result.plan;
  const DesignRequest& r = p.request;
  result.z0 = r.z0;
  result.hertz = r.hertz;
  result.load = r.measurement ? r.measurement->At(r.hertz) : r.load;
  if (r.measurement) {
    if (const auto gap = r.measurement->GapAt(r.hertz)) {
      result.warnings.push_back(GapWarning(r.hertz, *gap));
    }
  }
  result.already_matched = MatchOf(result.load, p.source).Perfect();
  result.frequencies = p.sweep;
  if (p.band) {
    BandSummary& s = result.band.emplace();
    s.axis = *r.Band();
    s.frequencies = p.band_frequencies;
    s.fit = p.limit.fit;
    s.bode_fano = p.limit.bode_fano;
    s.segments = p.layout.goal.segments;
    s.limits = p.layout.limits;
    s.fits = p.layout.fits;
  }
  for (const std::int16_t type : r.types) AddLType(type, p, result, result.rows);
  if (r.networks) {
    for (const NetworkKind& kind : ThreeAndFourPartKinds())
      AddNetwork(kind, p, result, result.rows);
  }
  if (r.elements != Elements::kLumped) {
    for (const NetworkKind& kind : LineKinds()) AddLineDesign(kind, p, result, result.rows);
  }
  for (Row& t : result.rows) {
    if (result.already_matched) t.verdict = Verdict::kAlreadyMatched;
  }
  for (std::size_t i = 0; i < result.rows.size(); ++i) {
    const Row& t = result.rows[i];
    if (t.verdict != Verdict::kDesigned) continue;
    if (!result.best || Better(t, result.rows[*result.best], r.RankingOf())) result.best = i;
  }
  // A given network is designed also when the load matches already: it is
  // asked for.
  if (r.given) result.rows.push_back(FixedRow(result, *r.given, Origin::kGiven));
  if (r.measurement && !result.frequencies.empty()) {
    result.bare_return_loss_db = BareReturnLoss(p.load, p.source, result.frequencies);
  }
  return result;
}

YieldRequest YieldRequestFor(const DesignRequest& r, const Network& built) {
  return WithPartTolerances(r.yield.value_or(YieldRequest{}), built, r.parts.library.get());
}

Row FixedRow(const DesignResult& result, const Network& network, Origin origin) {
  Row t;
  t.origin = origin;
  t.kind = {Topology::kGiven, 0};
  Design(t, network, *result.plan, result.plan->fixed);
  return t;
}

BandResult RunBand(const RequestPlan& p, const std::atomic<bool>* cancel,
                   std::function<void(std::size_t, std::size_t)> progress) {
  BandRequest b = *p.band;
  b.cancel = cancel;
  b.progress = std::move(progress);
  return OptimizeBand(b);
}

void AddBandRows(const BandResult& band, DesignResult& result) {
  const RequestPlan& p = *result.plan;
  std::erase_if(result.rows, [](const Row& t) { return t.origin == Origin::kOverBand; });
  // Band rows come before a tuned one, which stays last.
  auto at = std::find_if(result.rows.begin(), result.rows.end(),
                         [](const Row& t) { return t.origin == Origin::kTuned; });
  std::vector<Row> rows;
  const std::vector<std::optional<Centred>> centred = CentredDesigns(band, p);
  for (std::size_t i = 0; i < band.designs.size(); ++i) {
    const BandDesign& d = band.designs[i];
    Row& t = rows.emplace_back();
    t.origin = Origin::kOverBand;
    t.kind = d.kind;
    t.verdict = Verdict::kDesigned;
    t.design = DesignNetwork(d.ideal, p.load, p.source, p.fixed, d.standard);
    t.band = d.figures;
    t.goals = d.goals;
    if (!d.every_combination) {
      t.note =
          "the library's parts tried one part at a time: too many combinations to try every one";
    }
    Complete(t, p);
    // Values centred for yield, where more builds meet the goals with them.
    if (i >= centred.size() || !centred[i] || !(centred[i]->to > centred[i]->from)) continue;
    Row c;
    c.origin = Origin::kOverBand;
    c.kind = KindOfLadder(centred[i]->ideal);
    c.verdict = Verdict::kDesigned;
    c.design = DesignNetwork(centred[i]->ideal, p.load, p.source, p.fixed, centred[i]->standard);
    Complete(c, p);
    if (!(c.yield && t.yield && c.yield->yield > t.yield->yield)) continue;
    AddNote(c, "values centred for yield, from " + DigitsText(100.0 * t.yield->yield, 4) +
                   " % of the builds");
    t = std::move(c);
  }
  std::stable_sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) {
    return BetterOverBand(a, b, p.request.RankingOf());
  });
  PreferFewerParts(rows, p.request.RankingOf());
  result.rows.insert(at, rows.begin(), rows.end());
  BandSummary& s = *result.band;
  s.frequencies = band.frequencies;
  s.measured_points = band.measured_points;
  s.searched = true;
  s.refused = band.refused;
  s.fit = band.fit;
  s.bode_fano = band.bode_fano;
  s.segments = band.segments;
  s.limits = band.limits;
  s.fits = band.fits;
  s.best_by_parts = band.best_by_parts;
  s.family = band.family;
}

std::vector<Shortfall> ShortfallsOf(const DesignResult& result) {
  const auto& rows = result.rows;
  const bool design = result.plan != nullptr;
  const auto any = [&](auto in_group) {
    return std::any_of(rows.begin(), rows.end(),
                       [&](const Row& t) { return in_group(t) && Succeeded(t, design); });
  };
  std::vector<Shortfall> missed;
  const auto is_l = [](const Row& t) {
    return t.kind.topology == Topology::kL && t.origin == Origin::kAtFrequency;
  };
  const DesignRequest* r = design ? &result.plan->request : nullptr;
  const auto types = static_cast<std::size_t>(std::count_if(rows.begin(), rows.end(), is_l));
  if ((r == nullptr || r->types_asked) && !any(is_l)) {
    if (types == 1 || (r != nullptr && r->types.size() == 1)) {
      missed.push_back({Shortfall::What::kType, &*std::find_if(rows.begin(), rows.end(), is_l)});
    } else {
      missed.push_back({Shortfall::What::kTypes});
    }
  }
  if (r == nullptr) return missed;
  const auto is_line_design = [](const Row& t) {
    return t.origin == Origin::kAtFrequency && t.kind.topology >= Topology::kSingleStubOpen;
  };
  const auto is_network = [&](const Row& t) {
    return t.origin == Origin::kAtFrequency && t.kind.topology != Topology::kL &&
           !is_line_design(t);
  };
  if (r->networks && !any(is_network)) missed.push_back({Shortfall::What::kNetworks});
  if (r->elements != Elements::kLumped && !any(is_line_design)) {
    missed.push_back({Shortfall::What::kLineDesigns});
  }
  const auto is_given = [](const Row& t) { return t.origin == Origin::kGiven; };
  if (r->given && !any(is_given)) {
    const auto given = std::find_if(rows.begin(), rows.end(), is_given);
    missed.push_back({Shortfall::What::kGiven, given != rows.end() ? &*given : nullptr});
  }
  const auto is_band = [](const Row& t) { return t.origin == Origin::kOverBand; };
  if (r->Band() != nullptr && !any(is_band)) missed.push_back({Shortfall::What::kBand});
  for (const Row& t : rows) {
    if (t.design && t.design->no_standard) missed.push_back({Shortfall::What::kStandard, &t});
  }
  return missed;
}

}  // namespace vorda::rf
