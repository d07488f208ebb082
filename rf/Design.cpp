#include "rf/Design.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "engine/PortableMath.h"

namespace vorda::rf {

namespace {

// The candidates for one part: the standard values next to its ideal value;
// a short stays a short.
std::vector<Part> Candidates(const Part& ideal, ESeries series) {
  if (ideal.kind == Part::Kind::kShort) return {ideal};
  const Neighbours n = StandardNeighbours(ideal.value, series);
  if (n.below == n.above) return {WithValue(ideal, n.below)};
  return {WithValue(ideal, n.below), WithValue(ideal, n.above)};
}

Section WithLosses(Section s, double q_inductor, double q_capacitor) {
  for (Part* p : {&s.first, &s.second}) {
    p->q = p->kind == Part::Kind::kInductor ? q_inductor : q_capacitor;
  }
  return s;
}

}  // namespace

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

Section SectionAt(const SectionType& type, double first_ohms, double second_ohms, double hertz) {
  return {type.family, PartFor(first_ohms, hertz), PartFor(second_ohms, hertz)};
}

Section ChooseStandard(const Section& ideal, ESeries series, const LoadModel& load, double z0,
                       double hertz) {
  const Impedance zl = load.At(hertz);
  std::optional<Section> best;
  double best_gamma = 0.0;
  // Ascending values: a later pair replaces an earlier one only when it is
  // strictly better, so a tie keeps the lower values.
  for (const Part& first : Candidates(ideal.first, series)) {
    for (const Part& second : Candidates(ideal.second, series)) {
      const Section s{ideal.family, first, second};
      const double gamma = s.MatchAt(hertz, zl, z0).gamma;
      if (!best || gamma < best_gamma) {
        best = s;
        best_gamma = gamma;
      }
    }
  }
  return *best;
}

Response ResponseOf(const Section& section, const LoadModel& load, double z0,
                    const std::vector<double>& frequencies) {
  Response r;
  r.return_loss_db.reserve(frequencies.size());
  r.vswr.reserve(frequencies.size());
  for (const double f : frequencies) {
    const Match m = section.MatchAt(f, load.At(f), z0);
    r.return_loss_db.push_back(m.return_loss_db);
    r.vswr.push_back(m.vswr);
  }
  return r;
}

std::vector<std::optional<double>> BareReturnLoss(const LoadModel& load, double z0,
                                                  const std::vector<double>& frequencies) {
  std::vector<std::optional<double>> rl;
  rl.reserve(frequencies.size());
  std::transform(frequencies.begin(), frequencies.end(), std::back_inserter(rl),
                 [&](double f) { return MatchOf(load.At(f), z0).return_loss_db; });
  return rl;
}

TypeDesign DesignType(const SectionType& type, double first_ohms, double second_ohms,
                      const LoadModel& load, double z0, const DesignOptions& options) {
  const double f = options.hertz;
  const Impedance zl = load.At(f);
  TypeDesign d;
  d.ideal = SectionAt(type, first_ohms, second_ohms, f);
  if (options.series) {
    d.standard = ChooseStandard(d.ideal, *options.series, load, z0, f);
    d.standard_match = d.standard->MatchAt(f, zl, z0);
  }
  d.evaluated = WithLosses(d.Chosen(), options.q_inductor, options.q_capacitor);
  if (options.losses) {
    LossFigures loss;
    loss.match = d.evaluated.MatchAt(f, zl, z0);
    loss.efficiency = d.evaluated.Efficiency(f, zl);
    loss.dissipation_db = -10.0 * portable::Log10(loss.efficiency);
    d.loss = loss;
  }
  if (options.bandwidth) {
    d.band =
        FindBand([&](double hz) { return Vswr(d.evaluated.InputImpedance(hz, load.At(hz)), z0); },
                 f, options.band_low_limit, options.band_high_limit);
  }
  if (!options.sweep.empty()) d.response = ResponseOf(d.evaluated, load, z0, options.sweep);
  return d;
}

TypeDesign DesignComputed(std::int16_t type_index, const ComputeRun& run, const LoadModel& load,
                          const DesignOptions& options) {
  return DesignType(*FindSectionType(type_index), *run.first * run.z0, *run.second * run.z0, load,
                    run.z0, options);
}

}  // namespace vorda::rf
