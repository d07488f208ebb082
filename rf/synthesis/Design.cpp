#include "rf/synthesis/Design.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "engine/PortableMath.h"
#include "rf/circuit/Units.h"
#include "rf/synthesis/GlobalSearch.h"

namespace vorda::rf {

namespace {

// The candidates for one part: the standard values next to its ideal value;
// a short or an open stays as it is.
std::vector<Part> Candidates(const Part& ideal, ESeries series) {
  if (!ideal.IsReal()) return {ideal};
  const auto n = StandardNeighbours(ideal.value, series);
  if (!n) return {ideal};
  if (n->below == n->above) return {WithValue(ideal, n->below)};
  return {WithValue(ideal, n->below), WithValue(ideal, n->above)};
}

// Every set of candidates, element by element, in ascending order of values.
template <typename Visit>
void EachCombination(const std::vector<std::vector<Part>>& candidates, Network& n, std::size_t at,
                     Visit& visit) {
  if (at == candidates.size()) {
    visit(n);
    return;
  }
  for (const Part& p : candidates[at]) {
    n.elements[at].part = p;
    EachCombination(candidates, n, at + 1, visit);
  }
}

// Of every set of candidates, the one with the least |gamma| at f.
// Ascending values: a later set replaces an earlier one only when it is
// strictly better, so a tie keeps the lower values.
std::optional<Network> BestCombination(const Network& ideal,
                                       const std::vector<std::vector<Part>>& candidates,
                                       const LoadModel& load, const Source& source, double hertz) {
  const Impedance zl = load.At(hertz);
  std::optional<Network> best;
  double best_gamma = 0.0;
  Network n = ideal;
  auto visit = [&](const Network& candidate) {
    const double gamma = candidate.MatchAt(hertz, zl, source).gamma_magnitude;
    if (!best || gamma < best_gamma) {
      best = candidate;
      best_gamma = gamma;
    }
  };
  EachCombination(candidates, n, 0, visit);
  return best;
}

bool Finite(double v) {
  return std::isfinite(v);
}

}  // namespace

std::optional<Network> ChooseFromLibrary(const Network& ideal, const PartLibrary& library,
                                         const LoadModel& load, const Source& source,
                                         double hertz) {
  std::vector<std::vector<Part>> candidates;
  for (const Element& e : ideal.elements) {
    if (!e.part.IsReal()) {
      candidates.push_back({e.part});
      continue;
    }
    std::vector<Part> parts;
    const std::vector<const LibraryPart*> next =
        library.Neighbours(e.part.kind, e.part.value, hertz);
    std::transform(next.begin(), next.end(), std::back_inserter(parts),
                   [](const LibraryPart* p) { return p->part; });
    if (parts.empty()) return std::nullopt;
    candidates.push_back(std::move(parts));
  }
  return BestCombination(ideal, candidates, load, source, hertz);
}

Why Unsold(const Network& chosen, const PartsChoice& parts, double hertz) {
  for (std::size_t i = 0; i < chosen.elements.size(); ++i) {
    const Element& e = chosen.elements[i];
    if (!e.IsPart()) continue;
    const bool inductor = e.part.kind == Part::Kind::kInductor;
    const auto index = static_cast<double>(i + 1);
    if (!RangeFor(parts, e.part.kind).Holds(e.part.value)) {
      return {Reason::kNotSold, e.part.value, index, hertz, false, inductor};
    }
    Part built = e.part;
    built.model = parts.model.For(built);
    if (built.Reversed(hertz))
      return {Reason::kSoldReversed, e.part.value, index, hertz, false, inductor};
  }
  return {};
}

Network Compensate(const Network& ideal, const PartsChoice& parts, const LoadModel& load,
                   const Source& source, double hertz) {
  const PartModel& model = parts.model;
  const Impedance zl = load.At(hertz);
  std::vector<double> u;
  for (const Element& e : ideal.elements) {
    if (e.part.IsReal()) u.push_back(portable::Log10(e.part.value));
  }
  if (u.empty()) return ideal;
  const auto with = [&](const double* v) {
    Network n = ideal;
    std::size_t i = 0;
    for (Element& e : n.elements) {
      if (e.part.IsReal()) e.part.value = portable::Pow10(v[i++]);
    }
    return WithParasitics(n, model);
  };
  const Objective gamma = [&](const double* v) {
    const Network n = with(v);
    // A part is what it is sold as: below its self-resonance, in the range.
    const bool unsold = std::any_of(n.elements.begin(), n.elements.end(), [&](const Element& e) {
      return e.IsPart() &&
             (e.part.Reversed(hertz) || !RangeFor(parts, e.part.kind).Holds(e.part.value));
    });
    if (unsold) return HUGE_VAL;
    const double g = n.MatchAt(hertz, zl, source).gamma_magnitude;
    return std::isnan(g) ? HUGE_VAL : g;
  };
  long evaluations = 0;
  for (const double step : {0.05, 0.002}) {
    u = Simplex(gamma, u, step, 400 * static_cast<int>(u.size()), nullptr, evaluations);
  }
  Network n = with(u.data());
  for (Element& e : n.elements) e.part.model = {};
  return n;
}

Network SectionAt(const SectionType& type, double first_ohms, double second_ohms, double z0,
                  double hertz) {
  return LSection(type.family, MatchingPart(first_ohms, z0, hertz),
                  MatchingPart(second_ohms, z0, hertz));
}

Network ChooseStandard(const Network& ideal, ESeries series, const LoadModel& load,
                       const Source& source, double hertz) {
  std::vector<std::vector<Part>> candidates;
  std::transform(ideal.elements.begin(), ideal.elements.end(), std::back_inserter(candidates),
                 [series](const Element& e) { return Candidates(e.part, series); });
  return *BestCombination(ideal, candidates, load, source, hertz);
}

Response ResponseOf(const Network& network, const LoadModel& load, const Source& source,
                    const std::vector<double>& frequencies) {
  Response r;
  r.return_loss_db.reserve(frequencies.size());
  r.vswr.reserve(frequencies.size());
  r.insertion_loss_db.reserve(frequencies.size());
  for (const double f : frequencies) {
    if (!network.KnownAt(f)) {  // beyond a measured part's data: not known
      r.return_loss_db.emplace_back();
      r.vswr.emplace_back();
      r.insertion_loss_db.emplace_back();
      continue;
    }
    const Impedance zl = load.At(f);
    const Match m = network.MatchAt(f, zl, source);
    r.finite = r.finite && m.Finite();
    r.return_loss_db.push_back(m.return_loss_db);
    r.vswr.push_back(m.vswr);
    const double gain = std::min(network.TransducerGain(f, zl, source), 1.0);
    r.insertion_loss_db.push_back(
        gain > 0.0 ? std::optional<double>(0.0 - 10.0 * portable::Log10(gain)) : std::nullopt);
  }
  return r;
}

std::vector<std::optional<double>> BareReturnLoss(const LoadModel& load, const Source& source,
                                                  const std::vector<double>& frequencies) {
  std::vector<std::optional<double>> rl;
  rl.reserve(frequencies.size());
  std::transform(frequencies.begin(), frequencies.end(), std::back_inserter(rl),
                 [&](double f) { return MatchOf(load.At(f), source.At(f)).return_loss_db; });
  return rl;
}

NetworkDesign DesignNetwork(const Network& ideal, const LoadModel& load, const Source& source,
                            const DesignOptions& options, const std::optional<Network>& standard) {
  const double f = options.hertz;
  const Impedance zl = load.At(f);
  NetworkDesign d;
  d.ideal = ideal;
  const PartsChoice& parts = options.parts;
  if (options.compensate && !parts.model.Ideal()) {
    d.ideal = Compensate(ideal, parts, load, source, f);
    if (d.ideal != ideal) d.uncompensated = ideal;
  }
  if (standard) {
    d.standard = standard;
  } else if (parts.library) {
    d.standard = ChooseFromLibrary(d.ideal, *parts.library, load, source, f);
  } else if (parts.series) {
    d.standard =
        ChooseStandard(WithParasitics(d.ideal, parts.model), *parts.series, load, source, f);
  }
  if (parts.library && !d.standard) {
    double first = HUGE_VAL, last = 0.0;
    for (const LibraryPart& p : parts.library->parts) {
      first = std::min(first, p.part.model.measured->First());
      last = std::max(last, p.part.model.measured->Last());
    }
    d.no_standard = {Reason::kLibraryNotAtFrequency, first, last, f};
  }
  if (d.standard && (parts.series || parts.library)) {
    // What no one sells is no standard value.
    d.no_standard = Unsold(*d.standard, parts, f);
    if (d.no_standard) d.standard.reset();
  }
  if (d.standard) {
    d.standard = WithParasitics(*d.standard, parts.model);
    d.standard_match = d.standard->MatchAt(f, zl, source);
  }
  d.built = WithLosses(d.Chosen(), parts);
  d.match = d.built.MatchAt(f, zl, source);
  if (parts.Lossy()) {
    LossFigures loss;
    loss.efficiency = d.built.Efficiency(f, zl);
    loss.dissipation_db = d.built.DissipationDb(f, zl);
    d.loss = loss;
  }
  if (options.bandwidth) {
    const BandLimits limits =
        options.band_limits.high > 0.0 ? options.band_limits : LimitsAround(f);
    d.band = FindBand(
        [&](double hz) { return Vswr(d.built.InputImpedance(hz, load.At(hz)), source.At(hz)); }, f,
        limits, options.band_visit);
  }
  if (!options.sweep.empty()) d.response = ResponseOf(d.built, load, source, options.sweep);
  d.harmonics = HarmonicsOf(d.built, load, source, f);
  return d;
}

NetworkDesign DesignType(const SectionType& type, double first_ohms, double second_ohms,
                         const LoadModel& load, double z0, const DesignOptions& options) {
  return DesignNetwork(SectionAt(type, first_ohms, second_ohms, z0, options.hertz), load,
                       Source(z0), options);
}

NetworkDesign DesignComputed(std::int16_t type_index, const ComputeRun& run, const LoadModel& load,
                             const DesignOptions& options) {
  return DesignType(*FindSectionType(type_index), *run.first * run.z0, *run.second * run.z0, load,
                    run.z0, options);
}

std::optional<std::string> ReversedParts(const Network& built, double hertz) {
  std::string text;
  for (std::size_t i = 0; i < built.elements.size(); ++i) {
    const Part& p = built.elements[i].part;
    if (!p.Reversed(hertz)) continue;
    const bool capacitor = p.kind == Part::Kind::kCapacitor;
    if (!text.empty()) text += "; ";
    text += "part " + std::to_string(i + 1) + " (" + KindName(p) + ") is " +
            (capacitor ? "inductive" : "capacitive") + " at " + FormatEngineering(hertz, "Hz");
    if (const auto srf = p.SelfResonance()) {
      text += ", past its self-resonance at " + FormatEngineering(*srf, "Hz");
    }
  }
  if (text.empty()) return std::nullopt;
  return text;
}

Why BrokenWhy(const Network& network) {
  const auto broken = network.Broken();
  if (!broken) return {};
  return {*broken == Position::kSeries ? Reason::kSeriesOpen : Reason::kShuntShort};
}

Why NotComputable(const NetworkDesign& d, double hertz) {
  if (const Why broken = BrokenWhy(d.ideal)) return broken;
  const auto& parts = d.built.elements;
  if (std::any_of(parts.begin(), parts.end(), [](const Element& e) {
        return e.part.IsReal() && !(Finite(e.part.value) && e.part.value > 0.0);
      })) {
    return {Reason::kValueNotANumber, 0.0, 0.0, hertz};
  }
  if (d.standard_match && !d.standard_match->Finite()) {
    return {Reason::kStandardNotANumber, 0.0, 0.0, hertz};
  }
  if (!d.match.Finite()) return {Reason::kBuiltNotANumber, 0.0, 0.0, hertz};
  if (d.loss && (!Finite(d.loss->efficiency) || !Finite(d.loss->dissipation_db))) {
    return {Reason::kEfficiencyNotANumber, 0.0, 0.0, hertz};
  }
  if (d.response && !d.response->finite) return {Reason::kResponseNotANumber};
  return {};
}

}  // namespace vorda::rf
