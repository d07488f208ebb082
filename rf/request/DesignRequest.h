// The design of every asked-for type for one set of inputs, as vorda-match
// and the designer both ask for it: the inputs in, checked, and the designs
// out, each with its verdict.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/ComputeRecord.h"
#include "rf/circuit/Measurement.h"
#include "rf/request/Verdict.h"
#include "rf/synthesis/BandSearch.h"
#include "rf/synthesis/Design.h"
#include "rf/synthesis/Topology.h"

namespace vorda::rf {

// The inputs a request is made of, as the designer names its fields.
enum class Field {
  kZ0,
  kSource,
  kLoadR,
  kLoadX,
  kFrequency,
  kBand,
  kSeries,
  kQInductor,
  kQCapacitor,
  kLoadedQ,
  kSpan,
};
inline constexpr std::size_t kFieldCount = 11;

// The frequencies of the response.
struct SweepPlan {
  enum class Kind {
    kNone,      // no response
    kRange,     // points frequencies from start to stop
    kMeasured,  // the measurement's own frequencies
    kAround,    // the span around the design frequency (f / 2 ... 3 f / 2 when
                // none is given, or the measurement's range), within the
                // measurement
  } kind = Kind::kNone;
  double start = 0.0;
  double stop = 0.0;
  std::size_t points = 201;
  std::optional<double> span;  // kAround
};

// Which design is the best: the highest return loss at the design frequency
// (then the lowest dissipation loss), the lowest dissipation loss (then
// return loss), the widest VSWR <= 2 band (then return loss), or a low-pass
// network first (inductors in series, capacitors in shunt: harmonics of a
// transmitter are attenuated), then return loss.
enum class Ranking { kReturnLoss, kDissipation, kBandwidth, kLowPassFirst };

struct DesignRequest {
  double z0 = 50.0;
  // The source, matched conjugately; nothing: the resistance z0. A source
  // other than z0 is designed for by the design layer's own L-sections
  // instead of the engine's.
  std::optional<Impedance> source;
  Impedance load{40.0, 30.0};                // typed, at the design frequency
  const Measurement* measurement = nullptr;  // instead of the typed load
  std::string measurement_name;              // how the measurement is named in notes
  double hertz = 14.2e6;
  std::optional<ESeries> series;
  std::optional<double> q_inductor;
  std::optional<double> q_capacitor;
  bool band = false;  // search the VSWR <= 2 band
  SweepPlan sweep;
  // Each row's response over the sweep (vorda-match prints them all); the
  // designer draws only the selected row's, from CurvesFor.
  bool responses = true;
  std::vector<std::int16_t> types = {1, 2, 3, 4, 5, 6, 7, 8};
  // Pi and T for this loaded Q, and two L-sections in cascade (through
  // `intermediate`, or the geometric mean), after the L types.
  std::optional<double> loaded_q;
  std::optional<double> intermediate;
  bool networks = false;
  // The band a fixed network is optimised over (see rf/BandSearch.h); the
  // design frequency is its centre for the analytic starting points.
  std::optional<std::pair<double, double>> band_range;
  std::size_t band_points = 201;
  // A network whose parts are given (tuned by hand, or typed): designed like
  // the others, its values fixed, after them.
  std::optional<Network> given;
  Ranking ranking = Ranking::kReturnLoss;

  Source SourceOf() const { return source ? Source(*source) : Source(z0); }
  // Whether the engine's eight types serve the source: it is z0 itself.
  bool EngineSource() const { return !source || *source == Impedance(z0, 0.0); }
};

// An input the design cannot honour, and which one.
struct RequestError {
  Field field;
  std::string message;
};

// Nothing when every input lies within what the design accepts (see
// rf/Limits.h), the load is passive and a measurement covers the design
// frequency and the sweep.
std::optional<RequestError> CheckRequest(const DesignRequest& request);

// One row of a design: an L type (the engine's run of it, when the engine
// serves the source) or a network of three or four parts.
struct TypeResult {
  NetworkKind kind;
  std::optional<ComputeRecord> engine;
  Verdict verdict = Verdict::kNotComputed;
  std::string status;                // "admitted", or why not, in words
  std::optional<TypeDesign> design;  // when designed
  // The parts as built (standard values when a series is chosen, with the
  // losses) at the design frequency.
  std::optional<Match> at_design;
  std::optional<double> dissipation_db;
};

struct DesignResult {
  double z0 = 0.0;
  double hertz = 0.0;  // the design frequency
  Impedance load;      // at it
  bool already_matched = false;
  std::vector<double> frequencies;  // of the response
  std::vector<TypeResult> types;    // the L types asked for, then the networks
  std::optional<std::size_t> best;  // index into types, by the request's ranking
  // With a measurement and a sweep: the bare load's return loss.
  std::vector<std::optional<double>> bare_return_loss_db;
  std::vector<std::string> warnings;  // for the user: the load is a guess here
};

// Designs every type of a request that CheckRequest passed.
DesignResult RunDesign(const DesignRequest& request);

// A given network's row for a request, as RunDesign makes it.
TypeResult DesignGiven(const DesignRequest& request, const Network& network);

// The frequencies of the request's sweep.
std::vector<double> SweepFrequencies(const DesignRequest& request);

// A designed type over the result's frequencies: ideal lossless parts,
// standard lossless parts (with a series), and the parts as built (with
// losses).
struct Curves {
  Response ideal;
  std::optional<Response> standard;
  std::optional<Response> built;
  std::optional<Response> bare;  // the load alone, with a measurement
};
Curves CurvesFor(const DesignRequest& request, const DesignResult& result, const TypeResult& type);
// The same for any network: its ideal parts, its standard ones, and the
// parts as built when they have losses.
Curves CurvesOf(const DesignRequest& request, const DesignResult& result, const Network& ideal,
                const std::optional<Network>& standard, const std::optional<Network>& built);

// The band search of a request that has a band (see rf/BandSearch.h): its
// load, source, standard series, losses and loaded Q, from the design
// frequency's analytic designs. cancel, when set, stops it early.
BandResult RunBand(const DesignRequest& request, const std::atomic<bool>* cancel = nullptr);

}  // namespace vorda::rf
