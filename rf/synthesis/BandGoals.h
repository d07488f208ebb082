// What a search over frequency asks of a network: the bands to match over,
// each with its goal (a return loss or a transducer gain), the bands to
// reject (an attenuation), and the states the load may be in (an antenna
// in free space and in a hand). The worst margin to the goals over every
// band and state is what the search makes best; each band's points are
// weighed so that the figure the search takes there is 1 where its goal is
// just met (rf/synthesis/BandObjective.h).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rf/circuit/FrequencyAxis.h"
#include "rf/circuit/Load.h"
#include "rf/circuit/RadiationEfficiency.h"
#include "rf/synthesis/BandObjective.h"

namespace vorda::rf {

// The figure a band's margin is measured in: the return loss (the
// mismatch alone), or the transducer gain (mismatch and losses; with a
// radiation efficiency, the total efficiency of an antenna).
enum class BandFigure { kReturnLoss, kTransducerGain };
// "return loss", "transducer gain".
const char* BandFigureName(BandFigure figure);

// A band's goal: a return loss of at least `db` (dB, above 0), or a
// transducer gain of at least `db` (dB, at most 0).
struct BandGoal {
  BandFigure figure = BandFigure::kReturnLoss;
  double db = 0.0;
  bool operator==(const BandGoal&) const = default;
};

// A band to match over; with no goal, the search's figure at 0 dB: its
// worst is made as good as it can be.
struct PassBand {
  FrequencyAxis axis;
  std::optional<BandGoal> goal;
  bool operator==(const PassBand&) const = default;
};

// A band the network is to reject: a transducer gain below -db there.
inline constexpr double kDefaultRejectDb = 20.0;
struct RejectBand {
  FrequencyAxis axis;
  double db = kDefaultRejectDb;
  bool operator==(const RejectBand&) const = default;
};

// A state of the load: its model, a measurement's frequencies (those
// inside a band count too) and how it is named.
struct LoadState {
  const LoadModel* load = nullptr;
  std::vector<double> measured;
  std::string name;
};

// Bands as typed: "698M:960M, 1710M:2690M:rl=10" (rl= a return loss, tg= a
// transducer gain, in dB), points each; reject bands "4.8G:5G:30" (the
// attenuation in dB, kDefaultRejectDb when left out). Nothing, with why,
// for a text that is none.
struct ReadBandsResult {
  std::vector<PassBand> bands;
  std::string error;
};
ReadBandsResult ReadBands(std::string_view text, std::size_t points = kDefaultPoints);
struct ReadRejectsResult {
  std::vector<RejectBand> rejects;
  std::string error;
};
ReadRejectsResult ReadRejects(std::string_view text, std::size_t points = kDefaultPoints);
// The texts they read back: "698M:960M, 1710M:2690M:rl=10", "4.8G:5G:30".
std::string BandsText(const std::vector<PassBand>& bands);
std::string RejectsText(const std::vector<RejectBand>& rejects);
// "rl=10", "tg=-1".
std::string GoalText(const BandGoal& goal);

// A margin from the figure the objective takes at a point: -10 log10 of it.
double MarginDb(double figure);

// One band in one state of the load, as the search sees it: its
// frequencies (the band's even points and the state's measured ones
// inside it), where its points begin and end among all of them.
struct Segment {
  std::size_t band = 0;  // in the request's pass bands, or its reject bands
  std::size_t state = 0;
  bool reject = false;
  std::vector<double> frequencies;
  std::size_t measured_points = 0;
  std::size_t begin = 0, end = 0;
};

// The points of every segment in order, pass bands first (state by state,
// band by band), then the reject bands; each with the figure and the weight
// of its goal. `figure` is the search's figure for a band with no goal; a
// radiation efficiency weighs the transducer gain.
struct GoalPoints {
  std::vector<Segment> segments;
  std::vector<BandPoint> points;
};
GoalPoints GoalPointsOf(const std::vector<PassBand>& bands, const std::vector<RejectBand>& rejects,
                        const std::vector<LoadState>& states, const Source& source,
                        BandFigure figure, const EfficiencyCurve* radiation);

// Up to `most` of a segment's points, evenly by their order, its first and
// last among them; of several segments, each in its share of `most` (at
// least a dozen): the points that guide a search.
std::vector<BandPoint> Spread(const std::vector<BandPoint>& all, std::size_t most);
std::vector<BandPoint> SpreadSegments(const GoalPoints& goal, std::size_t most);

}  // namespace vorda::rf
