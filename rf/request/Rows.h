// The designs of a request as one list of rows, whatever made them: the
// eight L types, Pi, T and two L-sections at the design frequency, the
// networks optimised over a band, a network tuned by hand and a network
// given as parts. Each row has its verdict, its networks and its figures;
// every output (text, JSON, CSV, the designer's table) writes rows.
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/ComputeRecord.h"
#include "rf/request/DesignRequest.h"
#include "rf/request/RequestPlan.h"
#include "rf/request/Verdict.h"
#include "rf/synthesis/BandSearch.h"
#include "rf/synthesis/Design.h"
#include "rf/synthesis/Yield.h"

namespace vorda::rf {

// How a row's values were found.
enum class Origin {
  kAtFrequency,  // designed at the design frequency
  kOverBand,     // optimised over the band
  kTuned,        // tuned by hand on the Smith chart
  kGiven,        // given as parts (--network)
};
// "at the frequency", "over the band", "tuned", "given".
const char* OriginName(Origin origin);

struct Row {
  Origin origin = Origin::kAtFrequency;
  NetworkKind kind;
  // The second solution of the same L type (a complex source can have two).
  int solution = 0;
  // The engine's run of an L type, when the engine serves the source: its
  // facts (run) and the labels and boxes the window would show.
  std::optional<ComputeRecord> engine;
  Verdict verdict = Verdict::kNotComputed;
  // Why the design layer refused it, or gives no figures (kRefused,
  // kNotComputable); StatusText says it in words.
  Why why;
  // What a network synthesised at the frequency came to be, when it is not
  // what its name says.
  Became became = Became::kAsNamed;
  // What a designed network came to be, in words, and parts that act as the
  // other kind ("at its least loaded Q this Pi network is an L-section").
  std::string note;
  // The loaded Q a Pi or T network was designed for.
  std::optional<double> design_q;
  // When designed: its networks and their figures at the design frequency.
  std::optional<NetworkDesign> design;
  // With a band: how the parts as built do across it (across all of them
  // together), and with several bands, states or goals in each.
  std::optional<BandFigures> band;
  std::optional<GoalFigures> goals;
  // With a tolerance: what the parts' tolerances do (over the band with
  // one, at the design frequency otherwise).
  std::optional<YieldFigures> yield;
  // For a tuned row: the row it was tuned from ("Pi low-pass").
  std::string tuned_from;

  bool Designed() const { return design.has_value(); }
};

// "L type 1 (Series L, Shunt C)", "Pi low-pass", "Band: T high-pass",
// "Tuned: Pi low-pass", "Given network"; a second solution says so.
std::string RowName(const Row& t);
// "l1", "pi-lp", ...; with "-2" for a second solution, "band-" before a
// band row's and "tuned" for a tuned row.
std::string RowKey(const Row& t);

// What a band search found besides its designs.
struct BandSummary {
  FrequencyAxis axis;               // the first band
  std::vector<double> frequencies;  // where it was evaluated: the even points and
                                    // the measured ones inside it
  std::vector<Segment> segments;    // every band in every state, then the reject bands
  std::vector<std::optional<BodeFanoBound>> limits;  // each pass segment's
  std::vector<std::optional<LoadFit>> fits;
  std::size_t measured_points = 0;
  bool searched = false;  // the search ran (its rows are in the result)
  std::vector<std::pair<NetworkKind, std::string>> refused;  // kinds with no design, and why
  std::optional<LoadFit> fit;
  std::optional<BodeFanoBound> bode_fano;
  // Every network of the family, and the code of the design it came to.
  std::vector<std::pair<std::string, std::string>> family;
  // The best worst return loss the search found with each number of parts
  // (empty: perfect).
  std::vector<std::pair<int, std::optional<double>>> best_by_parts;
};

struct DesignResult {
  // What the rows were designed with; none for the engine's runs alone.
  std::shared_ptr<const RequestPlan> plan;
  double z0 = 0.0;
  double hertz = 0.0;  // the design frequency
  Impedance load;      // at it
  bool already_matched = false;
  std::vector<double> frequencies;  // of the response
  std::vector<Row> rows;
  // The best row designed at the frequency, by the request's ranking.
  std::optional<std::size_t> best;
  std::optional<BandSummary> band;  // with a band
  // With a measurement and a sweep: the bare load's return loss.
  std::vector<std::optional<double>> bare_return_loss_db;
  std::vector<std::string> warnings;  // for the user: the load is a guess here
};

// The best row designed over the band, by the request's ranking (the
// band's rows come best first); none before a search has found one.
inline std::optional<std::size_t> BandBest(const DesignResult& result) {
  for (std::size_t i = 0; i < result.rows.size(); ++i) {
    if (result.rows[i].origin == Origin::kOverBand && result.rows[i].Designed()) return i;
  }
  return std::nullopt;
}

// Designs every network of a request that CheckRequest passed, at the
// design frequency (and over the band, with one), without the band search.
DesignResult RunDesign(const DesignRequest& request);

// The request's tolerances for a network as built: with library
// tolerances, each library part's own.
YieldRequest YieldRequestFor(const DesignRequest& request, const Network& built);

// The band search of a plan that has a band (see rf/synthesis/BandSearch.h):
// its load, source, parts and loaded Q, from the design frequency's
// analytic designs. cancel, when set, stops it early; progress is told how
// many ladders of how many are done.
BandResult RunBand(const RequestPlan& plan, const std::atomic<bool>* cancel = nullptr,
                   std::function<void(std::size_t, std::size_t)> progress = {});

// The band search's designs as rows, after the result's own (replacing
// those of an earlier search), best first; and its summary.
void AddBandRows(const BandResult& band, DesignResult& result);

// A network of fixed parts designed like the others: a given or a tuned row.
Row FixedRow(const DesignResult& result, const Network& network, Origin origin);

// What was asked for and not designed: the L types (at least one of them,
// or the one), the networks of a loaded Q, the given network and the band
// search's designs.
struct Shortfall {
  enum class What { kTypes, kType, kNetworks, kLineDesigns, kGiven, kBand, kStandard } what;
  // kType: the type's row; kGiven: the given row; kStandard: a row that has
  // no standard values (its design says why).
  const Row* row = nullptr;
};
std::vector<Shortfall> ShortfallsOf(const DesignResult& result);

}  // namespace vorda::rf
