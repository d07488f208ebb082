#include "rf/request/DesignRequest.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

#include "rf/circuit/Limits.h"
#include "rf/circuit/Units.h"

namespace vorda::rf {

namespace {

// A range of frequencies within the measurement, when there is one.
std::optional<std::string> Outside(const DesignRequest& r, double start, double stop,
                                   const char* what) {
  const Measurement* m = r.measurement.get();
  if (m == nullptr || (m->Covers(start) && m->Covers(stop))) return std::nullopt;
  return std::string(what) + " " + RangeText(start, stop) + " reaches outside the measured range " +
         RangeText(m->First(), m->Last());
}

// Measured points that are no load: the two around the design frequency,
// and those across the band and an asked-for sweep.
std::optional<RequestError> CheckPassive(const DesignRequest& r) {
  const Measurement* m = r.measurement.get();
  if (m == nullptr) return std::nullopt;
  const auto bad = [&](double from, double to) { return m->NotPassive(from, to); };
  if (auto points = bad(r.hertz, r.hertz); !points.empty()) {
    return RequestError{Field::kFrequency, NotPassiveText(points, m->reference)};
  }
  for (const PassBand& b : r.bands) {
    if (auto points = bad(b.axis.start, b.axis.stop); !points.empty()) {
      return RequestError{Field::kBand, NotPassiveText(points, m->reference)};
    }
  }
  for (const RejectBand& b : r.rejects) {
    if (auto points = bad(b.axis.start, b.axis.stop); !points.empty()) {
      return RequestError{Field::kReject, NotPassiveText(points, m->reference)};
    }
  }
  // A sweep asked for over a range, or over every point of the file.
  std::optional<std::pair<double, double>> sweep;
  if (r.sweep.kind == SweepPlan::Kind::kRange) sweep = {r.sweep.axis.start, r.sweep.axis.stop};
  if (r.sweep.kind == SweepPlan::Kind::kMeasured) sweep = {m->First(), m->Last()};
  if (sweep) {
    if (auto points = bad(sweep->first, sweep->second); !points.empty()) {
      return RequestError{Field::kSpan, NotPassiveText(points, m->reference)};
    }
  }
  return std::nullopt;
}

std::optional<RequestError> CheckLoad(const DesignRequest& r) {
  const bool measured = r.measurement != nullptr;
  const Field field = measured ? Field::kFrequency : Field::kLoadR;
  const std::string where = measured ? "at " + FormatEngineering(r.hertz, "Hz") + ", " : "";
  const Impedance load = measured ? r.measurement->At(r.hertz) : r.load;
  if (auto why = CheckLoadResistance(load.real(), r.z0)) return RequestError{field, where + *why};
  if (auto why = CheckLoadReactance(load.imag(), r.z0)) {
    return RequestError{measured ? field : Field::kLoadX, where + *why};
  }
  return std::nullopt;
}

std::optional<RequestError> CheckSweep(const DesignRequest& r) {
  if (r.sweep.kind != SweepPlan::Kind::kRange) return std::nullopt;
  const FrequencyAxis& a = r.sweep.axis;
  auto why = CheckFrequency(a.start, "the sweep");
  if (!why) why = CheckFrequency(a.stop, "the sweep");
  if (!why) why = Outside(r, a.start, a.stop, "the sweep");
  if (why) return RequestError{Field::kSpan, *why};
  return std::nullopt;
}

std::optional<RequestError> CheckSource(const DesignRequest& r) {
  if (!r.source) return std::nullopt;
  auto why = CheckLoadResistance(r.source->real(), r.z0);
  if (!why) why = CheckLoadReactance(r.source->imag(), r.z0);
  if (why) return RequestError{Field::kSource, "the source: " + *why};
  return std::nullopt;
}

// A band's frequencies, within every measurement of the load's states and
// the radiation efficiency's data, passive in each state.
std::optional<std::string> BandWhy(const DesignRequest& r, const FrequencyAxis& a,
                                   const std::string& what) {
  auto why = CheckFrequency(a.start, what);
  if (!why) why = CheckFrequency(a.stop, what);
  if (!why && a.start > a.stop) why = what + "'s start lies above its stop";
  if (!why) why = Outside(r, a.start, a.stop, what.c_str());
  for (const DesignRequest::State& s : r.states) {
    if (why) break;
    const Measurement& m = *s.measurement;
    if (!m.Covers(a.start) || !m.Covers(a.stop)) {
      why = what + " " + RangeText(a.start, a.stop) + " reaches outside the measured range " +
            RangeText(m.First(), m.Last()) + " of the state " + s.name;
    } else if (auto points = m.NotPassive(a.start, a.stop); !points.empty()) {
      why = "the state " + s.name + ": " + NotPassiveText(points, m.reference);
    }
  }
  if (!why && r.radiation && !(r.radiation->Covers(a.start) && r.radiation->Covers(a.stop))) {
    why = what + " " + RangeText(a.start, a.stop) +
          " reaches outside the radiation efficiency's data, " +
          RangeText(r.radiation->points.front().first, r.radiation->points.back().first) +
          (r.radiation_name.empty() ? std::string() : " (" + r.radiation_name + ")");
  }
  return why;
}

std::optional<RequestError> CheckBand(const DesignRequest& r) {
  const bool several = r.bands.size() > 1;
  for (std::size_t i = 0; i < r.bands.size(); ++i) {
    const std::string what = several ? "band " + std::to_string(i + 1) : "the band";
    if (auto why = BandWhy(r, r.bands[i].axis, what)) return RequestError{Field::kBand, *why};
  }
  for (std::size_t i = 0; i < r.rejects.size(); ++i) {
    if (r.bands.empty())
      return RequestError{Field::kReject, "a band to reject needs a band to match"};
    const std::string what = "reject band " + std::to_string(i + 1);
    if (auto why = BandWhy(r, r.rejects[i].axis, what)) return RequestError{Field::kReject, *why};
  }
  if (!r.states.empty() && r.bands.empty()) {
    return RequestError{Field::kBand,
                        "several states of the load need a band: one network is searched for "
                        "all of them over it"};
  }
  return std::nullopt;
}

std::optional<RequestError> CheckQs(const DesignRequest& r) {
  const std::pair<const std::optional<double>*, Field> qs[] = {
      {&r.parts.q_inductor, Field::kQInductor},
      {&r.parts.q_capacitor, Field::kQCapacitor},
      {&r.loaded_q, Field::kLoadedQ}};
  for (const auto& [q, field] : qs) {
    if (!*q) continue;
    const char* what = field == Field::kQInductor    ? "the Q of inductors"
                       : field == Field::kQCapacitor ? "the Q of capacitors"
                                                     : "the loaded Q";
    if (auto why = CheckQ(**q, what)) return RequestError{field, *why};
  }
  if (r.intermediate) {
    if (auto why = CheckLoadResistance(*r.intermediate, r.z0)) {
      return RequestError{Field::kLoadedQ, "the intermediate resistance: " + *why};
    }
  }
  return std::nullopt;
}

}  // namespace

namespace {

struct RankingEntry {
  // cppcheck-suppress unusedStructMember ; ParseRanking returns it
  Ranking ranking;
  const char* name;
  const char* key;
  const char* order;  // how a list ranked so reads
};
constexpr RankingEntry kRankings[] = {
    {Ranking::kReturnLoss, "return loss", "return-loss", "best worst return loss first"},
    {Ranking::kDissipation, "dissipation loss", "dissipation",
     "least dissipation loss at the centre first"},
    {Ranking::kBandwidth, "bandwidth", "bandwidth", "widest share within VSWR 2 first"},
    {Ranking::kLowPassFirst, "low-pass first", "low-pass-first",
     "low-pass first, then best worst return loss"},
    {Ranking::kTransducerGain, "transducer gain", "transducer-gain",
     "least worst insertion loss first"},
    {Ranking::kYield, "yield", "yield", "highest yield first"},
};
static_assert(std::size(kRankings) == kRankingCount);

}  // namespace

const char* RankingName(Ranking ranking) {
  return kRankings[static_cast<std::size_t>(ranking)].name;
}

const char* RankingOrder(Ranking ranking) {
  return kRankings[static_cast<std::size_t>(ranking)].order;
}

const char* RankingKey(Ranking ranking) {
  return kRankings[static_cast<std::size_t>(ranking)].key;
}

std::optional<Ranking> ParseRanking(std::string_view key) {
  const auto* e = std::find_if(std::begin(kRankings), std::end(kRankings),
                               [&](const RankingEntry& k) { return key == k.key; });
  if (e == std::end(kRankings)) return std::nullopt;
  return e->ranking;
}

std::optional<RequestError> CheckRequest(const DesignRequest& r) {
  if (auto why = CheckReference(r.z0)) return RequestError{Field::kZ0, *why};
  if (auto e = CheckSource(r)) return e;
  if (auto why = CheckFrequency(r.hertz, "the design frequency")) {
    return RequestError{Field::kFrequency, *why};
  }
  if (r.measurement != nullptr && !r.measurement->Covers(r.hertz)) {
    return RequestError{Field::kFrequency,
                        FormatEngineering(r.hertz, "Hz") + " lies outside the measurement, " +
                            RangeText(r.measurement->First(), r.measurement->Last())};
  }
  if (auto e = CheckBand(r)) return e;
  if (auto e = CheckSweep(r)) return e;
  if (auto e = CheckPassive(r)) return e;
  if (auto e = CheckLoad(r)) return e;
  if (r.given && !ResolvedLines(*r.given, r.z0, r.hertz, r.substrate ? &*r.substrate : nullptr)) {
    return RequestError{Field::kFrequency,
                        r.substrate
                            ? "a strip of the given network has no figures on the substrate "
                              "at the design frequency"
                            : "a strip given by its width and length needs a substrate"};
  }
  return CheckQs(r);
}

std::vector<double> SweepFrequencies(const DesignRequest& r) {
  const Measurement* m = r.measurement.get();
  switch (r.sweep.kind) {
    case SweepPlan::Kind::kNone:
      return {};
    case SweepPlan::Kind::kRange:
      return r.sweep.axis.Frequencies();
    case SweepPlan::Kind::kMeasured:
      return m != nullptr ? m->Frequencies() : std::vector<double>{};
    case SweepPlan::Kind::kAround:
      break;
  }
  const double f = r.hertz;
  const auto& span = r.sweep.span;
  double start = span ? f - *span / 2 : f / 2;
  double stop = span ? f + *span / 2 : f * 1.5;
  // Several bands, or bands to reject: all of them, and a tenth beyond.
  if (!span && (r.bands.size() > 1 || !r.rejects.empty())) {
    for (const PassBand& b : r.bands) {
      start = std::min(start, 0.9 * b.axis.start);
      stop = std::max(stop, 1.1 * b.axis.stop);
    }
    for (const RejectBand& b : r.rejects) {
      start = std::min(start, 0.9 * b.axis.start);
      stop = std::max(stop, 1.1 * b.axis.stop);
    }
  }
  // Around a measured load: where the file knows it, from f through
  // passive points.
  const Measurement::Stretch known =
      m != nullptr ? m->PassiveAround(f) : Measurement::Stretch{0.0, HUGE_VAL};
  if (m != nullptr && !span) {
    start = known.low;
    stop = known.high;
  }
  start = std::max({start, f / 100, kMinHertz, known.low});
  stop = std::min({stop, kMaxHertz, known.high});
  if (!(stop > start)) return {f};
  return FrequencyAxis::Linear(start, stop, r.sweep.axis.points).Frequencies();
}

}  // namespace vorda::rf
