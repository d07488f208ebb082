#include "rf/synthesis/Design.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "engine/PortableMath.h"
#include "rf/circuit/Units.h"

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

bool Finite(double v) {
  return std::isfinite(v);
}

std::optional<std::string> UnfitMatch(const Match& m, const char* what, double hertz) {
  if (m.Finite()) return std::nullopt;
  return std::string("the input impedance of the ") + what + " at " +
         FormatEngineering(hertz, "Hz") + " is not a number";
}

}  // namespace

Network WithLosses(Network n, double q_inductor, double q_capacitor) {
  for (Element& e : n.elements) {
    if (e.part.kind == Part::Kind::kInductor) e.part.q = q_inductor;
    if (e.part.kind == Part::Kind::kCapacitor) e.part.q = q_capacitor;
  }
  return n;
}

DesignOptions PartOptions(double hertz, std::optional<ESeries> series,
                          std::optional<double> q_inductor, std::optional<double> q_capacitor) {
  DesignOptions d;
  d.hertz = hertz;
  d.series = series;
  d.q_inductor = q_inductor.value_or(kIdealQ);
  d.q_capacitor = q_capacitor.value_or(kIdealQ);
  d.losses = q_inductor || q_capacitor;
  return d;
}

Network SectionAt(const SectionType& type, double first_ohms, double second_ohms, double z0,
                  double hertz) {
  return LSection(type.family, MatchingPart(first_ohms, z0, hertz),
                  MatchingPart(second_ohms, z0, hertz));
}

Network ChooseStandard(const Network& ideal, ESeries series, const LoadModel& load,
                       const Source& source, double hertz) {
  const Impedance zl = load.At(hertz);
  std::vector<std::vector<Part>> candidates;
  std::transform(ideal.elements.begin(), ideal.elements.end(), std::back_inserter(candidates),
                 [series](const Element& e) { return Candidates(e.part, series); });
  std::optional<Network> best;
  double best_gamma = 0.0;
  Network n = ideal;
  // Ascending values: a later set replaces an earlier one only when it is
  // strictly better, so a tie keeps the lower values.
  auto visit = [&](const Network& candidate) {
    const double gamma = candidate.MatchAt(hertz, zl, source).gamma_magnitude;
    if (!best || gamma < best_gamma) {
      best = candidate;
      best_gamma = gamma;
    }
  };
  EachCombination(candidates, n, 0, visit);
  return *best;
}

Response ResponseOf(const Network& network, const LoadModel& load, const Source& source,
                    const std::vector<double>& frequencies) {
  Response r;
  r.return_loss_db.reserve(frequencies.size());
  r.vswr.reserve(frequencies.size());
  r.insertion_loss_db.reserve(frequencies.size());
  for (const double f : frequencies) {
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
  if (standard) {
    d.standard = standard;
  } else if (options.series) {
    d.standard = ChooseStandard(d.ideal, *options.series, load, source, f);
  }
  if (d.standard) d.standard_match = d.standard->MatchAt(f, zl, source);
  d.built = WithLosses(d.Chosen(), options.q_inductor, options.q_capacitor);
  d.match = d.built.MatchAt(f, zl, source);
  if (options.losses) {
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
  d.harmonics = HarmonicsOf(d.built, load, source, f, options.known_up_to);
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

std::optional<std::string> NotComputable(const NetworkDesign& d, double hertz) {
  if (auto broken = d.ideal.Broken()) return broken;
  const auto& parts = d.built.elements;
  if (std::any_of(parts.begin(), parts.end(), [](const Element& e) {
        return e.part.IsReal() && !(Finite(e.part.value) && e.part.value > 0.0);
      })) {
    return "a part's value at " + FormatEngineering(hertz, "Hz") + " is not a number";
  }
  if (d.standard_match) {
    if (auto why = UnfitMatch(*d.standard_match, "standard parts", hertz)) return why;
  }
  if (auto why = UnfitMatch(d.match, "parts as built", hertz)) return why;
  if (d.loss) {
    if (!Finite(d.loss->efficiency) || !Finite(d.loss->dissipation_db)) {
      return "the efficiency at " + FormatEngineering(hertz, "Hz") + " is not a number";
    }
  }
  if (d.response && !d.response->finite) {
    return std::string("the response over the sweep is not a number everywhere");
  }
  return std::nullopt;
}

}  // namespace vorda::rf
