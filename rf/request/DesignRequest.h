// The design of every asked-for network for one set of inputs, as
// vorda-match and the designer both ask for it: the inputs in, checked, and
// the designs out as rows (rf/request/Row.h).
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rf/circuit/FrequencyAxis.h"
#include "rf/circuit/Line.h"
#include "rf/circuit/Load.h"
#include "rf/circuit/Measurement.h"
#include "rf/circuit/Microstrip.h"
#include "rf/circuit/PartLibrary.h"
#include "rf/circuit/PartsChoice.h"
#include "rf/circuit/StandardValues.h"
#include "rf/synthesis/BandGoals.h"
#include "rf/synthesis/Ladders.h"
#include "rf/synthesis/Topology.h"
#include "rf/synthesis/Yield.h"

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
  kTolerance,
  kLineZ0,     // the lines' impedance
  kSubstrate,  // the lines as microstrip
  kExtend,     // the measurement's reference plane moved along a line
  kReject,     // the bands to reject
};
inline constexpr std::size_t kFieldCount = 16;

// The frequencies of the response.
struct SweepPlan {
  enum class Kind {
    kNone,      // no response
    kRange,     // the axis's frequencies
    kMeasured,  // the measurement's own frequencies
    kAround,    // the span around the design frequency (f / 2 ... 3 f / 2 when
                // none is given, or the measurement's range), within the
                // measurement, at the axis's number of points
  } kind = Kind::kNone;
  FrequencyAxis axis;
  std::optional<double> span;  // kAround
};

// Which design is the best: the highest return loss at the design frequency
// (then the lowest dissipation loss), the lowest dissipation loss (then
// return loss), the widest VSWR <= 2 band (then return loss), a low-pass
// network first (inductors in series, capacitors in shunt: harmonics of a
// transmitter are attenuated), then return loss; or the least insertion
// loss, mismatch and dissipation together (the transducer gain, what a
// transmitter or receiver cares about with lossy parts). Over a band each
// is taken over it: the worst return loss, the dissipation at the centre,
// the share within VSWR 2, the worst insertion loss. With tolerances, the
// yield (then return loss).
enum class Ranking {
  kReturnLoss,
  kDissipation,
  kBandwidth,
  kLowPassFirst,
  kTransducerGain,
  kYield
};
inline constexpr std::size_t kRankingCount = 6;
// "return loss", "dissipation loss", "bandwidth", "low-pass first",
// "transducer gain", "yield".
const char* RankingName(Ranking ranking);
// How rows ranked so are ordered: "best worst return loss first", ...
const char* RankingOrder(Ranking ranking);
// "return-loss", "dissipation", "bandwidth", "low-pass-first",
// "transducer-gain", "yield": what --best-by takes and the designer keeps.
const char* RankingKey(Ranking ranking);
std::optional<Ranking> ParseRanking(std::string_view key);

struct DesignRequest {
  double z0 = 50.0;
  // The source, matched conjugately; nothing: the resistance z0. A source
  // other than z0 is designed for by the design layer's own L-sections
  // instead of the engine's.
  std::optional<Impedance> source;
  Impedance load{40.0, 30.0};                      // typed, at the design frequency
  std::shared_ptr<const Measurement> measurement;  // instead of the typed load
  std::string measurement_name;                    // how the measurement is named in notes
  double hertz = 14.2e6;
  // Standard values (a series or a library), losses and parasitics.
  PartsChoice parts;
  bool bandwidth = false;  // search the VSWR <= 2 band around the design frequency
  SweepPlan sweep;
  // Each row's response over the sweep (vorda-match prints them all); the
  // designer draws only the selected row's, from CurvesOf.
  bool responses = true;
  std::vector<std::int16_t> types = {1, 2, 3, 4, 5, 6, 7, 8};
  // Whether the L types are asked for in their own right, not only as the
  // default beside the other designs: then at least one must be designed.
  bool types_asked = true;
  // Pi and T for this loaded Q, and two L-sections in cascade (through
  // `intermediate`, or the geometric mean), after the L types.
  std::optional<double> loaded_q;
  std::optional<double> intermediate;
  bool networks = false;
  // The bands every row's figures are given over, and the band search
  // optimises over, each with its goal (none: no band), and the bands to
  // reject; the design frequency is the first one's centre for the analytic
  // starting points.
  std::vector<PassBand> bands;
  std::vector<RejectBand> rejects;
  // The load's other states, each measured: one network for all of them.
  struct State {
    std::shared_ptr<const Measurement> measurement;
    std::string name;
  };
  std::vector<State> states;
  // An antenna's radiation efficiency over frequency: the transducer gain
  // over a band becomes the total efficiency.
  std::shared_ptr<const EfficiencyCurve> radiation;
  std::string radiation_name;
  int max_parts = kDefaultMaxParts;  // the largest ladders the band search tries (2 to 6)
  // A network whose parts are given (tuned by hand, or typed): designed like
  // the others, its values fixed, after them.
  std::optional<Network> given;
  // What ranks first and what the band search makes best; none: the
  // transducer gain where the parts take power or an antenna radiates
  // less than all, the return loss otherwise (RankingOf).
  std::optional<Ranking> ranking;
  Elements elements = Elements::kLumped;
  double line_z0 = 0.0;  // the impedance of the designs' lines and stubs; 0: z0
  Line stub_spacing = LineOfDegrees(0.0, 45.0, 0.0);  // of a double stub: an eighth wave at f
  // The lines as microstrip on a substrate: their widths and lengths.
  std::optional<Substrate> substrate;
  // How the measurement was moved to where the part sits (it is the moved
  // one): along a line, and behind a fixture (its file).
  std::optional<Line> extend;
  std::string deembed;
  // Builds within the parts' tolerances, for every designed row.
  std::optional<YieldRequest> yield;

  // The first band, or none.
  const FrequencyAxis* Band() const { return bands.empty() ? nullptr : &bands.front().axis; }
  Ranking RankingOf() const {
    if (ranking) return *ranking;
    return parts.Dissipates() || radiation ? Ranking::kTransducerGain : Ranking::kReturnLoss;
  }
  // The figure the band search makes best for a band without a goal.
  BandFigure SearchFigure() const {
    const Ranking r = RankingOf();
    if (r == Ranking::kReturnLoss) return BandFigure::kReturnLoss;
    if (r == Ranking::kTransducerGain) return BandFigure::kTransducerGain;
    return parts.Dissipates() || radiation ? BandFigure::kTransducerGain : BandFigure::kReturnLoss;
  }

  // The source: R in series with the L or C that has its X at the design
  // frequency (the model of a typed load), or z0.
  Source SourceOf() const { return source ? Source(*source, hertz) : Source(z0); }
  // Whether the engine's eight types serve the source: it is z0 itself.
  bool EngineSource() const { return !source || *source == Impedance(z0, 0.0); }
  double LineZ0() const { return line_z0 > 0.0 ? line_z0 : z0; }
  // The spacing of a double stub's stubs, degrees at the design frequency.
  double StubSpacingDegrees() const { return Resolved(stub_spacing, z0, hertz)->DegreesAt(hertz); }
};

// The load of a request across frequency: the measurement, or the typed R
// in series with the inductor or capacitor that has its X at the design
// frequency.
class RequestLoad final : public LoadModel {
 public:
  explicit RequestLoad(const DesignRequest& request)
      : measurement_(request.measurement),
        typed_(request.load.real(), request.load.imag(), request.hertz) {}
  Impedance At(double hertz) const override {
    return measurement_ ? measurement_->At(hertz) : typed_.At(hertz);
  }
  bool Knows(double hertz) const override { return !measurement_ || measurement_->Knows(hertz); }

 private:
  std::shared_ptr<const Measurement> measurement_;
  SeriesLoad typed_;
};

// An input the design cannot honour, and which one.
struct RequestError {
  Field field;
  std::string message;
};

// Nothing when every input lies within what the design accepts (see
// rf/circuit/Limits.h), the load is passive and a measurement covers the
// design frequency, the sweep and the band.
std::optional<RequestError> CheckRequest(const DesignRequest& request);

// The frequencies of the request's sweep.
std::vector<double> SweepFrequencies(const DesignRequest& request);

}  // namespace vorda::rf
