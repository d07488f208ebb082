#include "rf/request/Rows.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "engine/SectionTypes.h"
#include "rf/circuit/Units.h"
#include "rf/request/RowRanking.h"

namespace vorda::rf {

namespace {

// The parts' model: the request's, or with a library and no model of its
// own the parasitics of the library's package, which stand for its parts
// while values are searched (the chosen parts are their measured selves).
PartModel ModelOf(const DesignRequest& r) {
  PartModel m = r.model;
  if (r.library && m.Ideal()) m.package = r.library->CommonPackage();
  return m;
}

DesignOptions OptionsFor(const DesignRequest& r, const std::vector<double>& frequencies) {
  DesignOptions d = PartOptions(r.hertz, r.series, r.q_inductor, r.q_capacitor);
  d.bandwidth = r.bandwidth;
  if (r.responses) d.sweep = frequencies;
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
  d.model = ModelOf(r);
  d.library = r.library;
  return d;
}

// What a band search and the band figures of every row are computed with.
BandRequest BandRequestOf(const DesignRequest& r, const LoadModel& load) {
  BandRequest b;
  b.axis = *r.band;
  b.centre = r.hertz;
  b.source = r.SourceOf();
  b.z0 = r.z0;
  b.load = &load;
  if (r.measurement) b.measured = r.measurement->Frequencies();
  b.series = r.series;
  b.q_inductor = r.q_inductor;
  b.q_capacitor = r.q_capacitor;
  b.loaded_q = r.loaded_q;
  b.intermediate = r.intermediate;
  b.max_parts = r.max_parts;
  b.model = ModelOf(r);
  b.library = r.library;
  return b;
}

// Everything a row's design needs that is the same for every row.
struct Context {
  const DesignRequest& request;
  const RequestLoad& load;
  const DesignOptions& options;
  const std::optional<BandRequest>& band;
  const std::vector<double>& band_frequencies;
  const std::optional<BodeFanoBound>& limit;
};

// What the tolerances do to a row's parts as built: over the band with one
// (at most 201 of its points, evenly), at the design frequency otherwise;
// a library part with its own tolerance when asked.
std::optional<YieldFigures> RowYield(const DesignRequest& r, const LoadModel& load,
                                     const Network& built) {
  if (!r.yield) return std::nullopt;
  const YieldRequest y = YieldRequestFor(r, built);
  std::vector<double> f = {r.hertz};
  if (r.band) {
    f = r.band->Frequencies();
    if (f.size() > 201) {
      std::vector<double> some;
      for (std::size_t i = 0; i < 201; ++i) some.push_back(f[i * (f.size() - 1) / 200]);
      f = std::move(some);
    }
  }
  return YieldOf(built, load, r.SourceOf(), f, y);
}

void AddNote(Row& t, const std::optional<std::string>& note) {
  if (note) t.note = t.note.empty() ? *note : t.note + "; " + *note;
}

// A row's design from its ideal network (and standard one, when chosen
// already), with its verdict and its figures over the band.
void Design(Row& t, const Network& ideal, const Context& c,
            const std::optional<Network>& standard = std::nullopt) {
  const DesignRequest& r = c.request;
  if (const auto broken = ideal.Broken()) {
    t.verdict = Verdict::kNotComputable;
    t.status = "not computable: " + *broken;
    return;
  }
  NetworkDesign d = DesignNetwork(ideal, c.load, r.SourceOf(), c.options, standard);
  if (auto why = NotComputable(d, r.hertz)) {
    t.verdict = Verdict::kNotComputable;
    t.status = "not computable: " + *why;
    return;
  }
  t.verdict = Verdict::kDesigned;
  if (c.band) t.band = FiguresOf(d.built, *c.band, c.band_frequencies, c.limit);
  AddNote(t, ReversedParts(d.built, r.hertz));
  t.yield = RowYield(r, c.load, d.built);
  t.design = std::move(d);
}

// The rows of one L type: the engine's run of it for a source of z0, or the
// design layer's solutions (two for some complex sources).
void AddLType(std::int16_t type, const Context& c, const DesignResult& result,
              std::vector<Row>& rows) {
  const DesignRequest& r = c.request;
  const NetworkKind kind{Topology::kL, type};
  if (r.EngineSource()) {
    Row& t = rows.emplace_back();
    t.kind = kind;
    t.engine = ComputeNumbers({r.z0, result.load.real(), result.load.imag()}, type);
    t.status = EngineStatus(*t.engine);
    const ComputeRun& run = t.engine->run;
    if (result.already_matched || run.outcome != Outcome::kComputed) return;
    Design(t,
           SectionAt(*FindSectionType(type), *run.first * run.z0, *run.second * run.z0, run.z0,
                     r.hertz),
           c);
    if (t.verdict == Verdict::kDesigned) t.status = EngineStatus(*t.engine);
    return;
  }
  const std::vector<Network> all =
      result.already_matched ? std::vector<Network>{}
                             : LSectionsOfType(type, r.SourceOf(), result.load, r.hertz, r.z0);
  if (all.empty()) {
    Row& t = rows.emplace_back();
    t.kind = kind;
    t.status = "refused: this type cannot match the load to the source";
    return;
  }
  for (std::size_t i = 0; i < all.size(); ++i) {
    Row& t = rows.emplace_back();
    t.kind = kind;
    t.solution = static_cast<int>(i);
    Design(t, all[i], c);
    if (t.verdict == Verdict::kDesigned) t.status = "admitted";
  }
}

// A network of three or four parts synthesised at the design frequency.
void AddNetwork(const NetworkKind& kind, const Context& c, const DesignResult& result,
                std::vector<Row>& rows) {
  const DesignRequest& r = c.request;
  Row& t = rows.emplace_back();
  t.kind = kind;
  if (kind.topology != Topology::kTwoLLowPass && kind.topology != Topology::kTwoLHighPass) {
    t.design_q = r.loaded_q;
  }
  if (result.already_matched) return;
  const Synthesis s =
      Synthesize(kind, r.SourceOf(), result.load, r.hertz, r.z0, r.loaded_q, r.intermediate);
  if (!s.network) {
    t.status = "refused: " + s.why;
    return;
  }
  Design(t, *s.network, c);
  if (t.verdict != Verdict::kDesigned) return;
  t.note = s.note;
  t.status = s.note.empty() ? "admitted" : "admitted: " + s.note;
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

std::vector<double> BandFrequencies(const DesignRequest& r) {
  std::vector<double> f = r.band->Frequencies();
  if (r.measurement) {
    const std::vector<double> measured = r.measurement->Frequencies();
    std::copy_if(measured.begin(), measured.end(), std::back_inserter(f),
                 [&](double hz) { return hz >= r.band->start && hz <= r.band->stop; });
  }
  std::sort(f.begin(), f.end());
  f.erase(std::unique(f.begin(), f.end()), f.end());
  return f;
}

DesignResult RunDesign(const DesignRequest& r) {
  DesignResult result;
  result.z0 = r.z0;
  result.hertz = r.hertz;
  result.load = r.measurement ? r.measurement->At(r.hertz) : r.load;
  if (r.measurement) {
    if (const auto gap = r.measurement->GapAt(r.hertz)) {
      result.warnings.push_back(GapWarning(r.hertz, *gap));
    }
  }
  const RequestLoad load(r);
  const Source source = r.SourceOf();
  result.already_matched = MatchOf(result.load, source).Perfect();
  result.frequencies = SweepFrequencies(r);
  const DesignOptions options = OptionsFor(r, result.frequencies);
  std::optional<BandRequest> band;
  std::vector<double> band_frequencies;
  if (r.band) {
    band = BandRequestOf(r, load);
    band_frequencies = BandFrequencies(r);
    const BandLimit limit = LimitOf(*band);
    result.band =
        BandSummary{*r.band, band_frequencies, {}, false, {}, limit.fit, limit.bode_fano, {}};
  }
  const std::optional<BodeFanoBound> limit = result.band ? result.band->bode_fano : std::nullopt;
  const Context c{r, load, options, band, band_frequencies, limit};
  for (const std::int16_t type : r.types) AddLType(type, c, result, result.rows);
  if (r.networks) {
    for (const NetworkKind& kind : ThreeAndFourPartKinds())
      AddNetwork(kind, c, result, result.rows);
  }
  for (Row& t : result.rows) {
    if (result.already_matched) {
      t.verdict = Verdict::kAlreadyMatched;
      t.status = kAlreadyMatchedText;
    }
  }
  for (std::size_t i = 0; i < result.rows.size(); ++i) {
    const Row& t = result.rows[i];
    if (t.verdict != Verdict::kDesigned) continue;
    if (!result.best || Better(t, result.rows[*result.best], r.ranking)) result.best = i;
  }
  // A given network is designed also when the load matches already: it is
  // asked for.
  if (r.given) result.rows.push_back(FixedRow(r, result, *r.given, Origin::kGiven));
  if (r.measurement && !result.frequencies.empty()) {
    result.bare_return_loss_db = BareReturnLoss(load, source, result.frequencies);
  }
  return result;
}

YieldRequest YieldRequestFor(const DesignRequest& r, const Network& built) {
  YieldRequest y = r.yield.value_or(YieldRequest{});
  if (y.tolerance.from_library && r.library) {
    for (const Element& e : built.elements) {
      const LibraryPart* p =
          e.part.model.measured ? r.library->Find(e.part.kind, e.part.value) : nullptr;
      y.part_tolerances.push_back(p != nullptr ? p->tolerance : 0.0);
    }
  }
  return y;
}

Row FixedRow(const DesignRequest& r, const DesignResult& result, const Network& network,
             Origin origin) {
  const RequestLoad load(r);
  DesignOptions options = OptionsFor(r, result.frequencies);
  options.compensate = false;  // the values are given
  std::optional<BandRequest> band;
  if (r.band) band = BandRequestOf(r, load);
  const std::vector<double> band_frequencies =
      result.band ? result.band->frequencies : std::vector<double>{};
  Row t;
  t.origin = origin;
  t.kind = {Topology::kGiven, 0};
  const std::optional<BodeFanoBound> limit = result.band ? result.band->bode_fano : std::nullopt;
  Design(t, network, {r, load, options, band, band_frequencies, limit});
  if (t.verdict == Verdict::kDesigned) t.status = OriginName(origin);
  return t;
}

BandResult RunBand(const DesignRequest& r, const std::atomic<bool>* cancel,
                   std::function<void(std::size_t, std::size_t)> progress) {
  const RequestLoad load(r);
  BandRequest b = BandRequestOf(r, load);
  b.cancel = cancel;
  b.progress = std::move(progress);
  return OptimizeBand(b);
}

void AddBandRows(const DesignRequest& r, const BandResult& band, DesignResult& result) {
  std::erase_if(result.rows, [](const Row& t) { return t.origin == Origin::kOverBand; });
  const RequestLoad load(r);
  DesignOptions options = OptionsFor(r, result.frequencies);
  options.compensate = false;  // found over the band
  // Band rows come before a tuned one, which stays last.
  auto at = std::find_if(result.rows.begin(), result.rows.end(),
                         [](const Row& t) { return t.origin == Origin::kTuned; });
  std::vector<Row> rows;
  for (const BandDesign& d : band.designs) {
    Row& t = rows.emplace_back();
    t.origin = Origin::kOverBand;
    t.kind = d.kind;
    t.verdict = Verdict::kDesigned;
    t.status = "optimised over the band";
    t.design = DesignNetwork(d.ideal, load, r.SourceOf(), options, d.standard);
    t.band = d.figures;
    AddNote(t, ReversedParts(t.design->built, r.hertz));
    t.yield = RowYield(r, load, t.design->built);
  }
  std::stable_sort(rows.begin(), rows.end(),
                   [&](const Row& a, const Row& b) { return BetterOverBand(a, b, r.ranking); });
  result.rows.insert(at, rows.begin(), rows.end());
  BandSummary& s = *result.band;
  s.frequencies = band.frequencies;
  s.measured_points = band.measured_points;
  s.searched = true;
  s.refused = band.refused;
  s.fit = band.fit;
  s.bode_fano = band.bode_fano;
  s.best_by_parts = band.best_by_parts;
}

}  // namespace vorda::rf
