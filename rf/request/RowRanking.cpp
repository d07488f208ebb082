#include "rf/request/RowRanking.h"

#include <cmath>
#include <optional>

#include "rf/synthesis/Topology.h"

namespace vorda::rf {

namespace {

double ReturnLossOf(const Row& t) {
  return t.design->match.return_loss_db.value_or(HUGE_VAL);  // a perfect match ranks first
}

double DissipationOf(const Row& t) {
  return t.design->loss ? t.design->loss->dissipation_db : 0.0;
}

double BandwidthOf(const Row& t) {
  const Band& b = *t.design->band;
  if (!b.holds) return 0.0;
  return b.high.value_or(b.searched.high) - b.low.value_or(b.searched.low);
}

// The least insertion loss at f, or over the band when there is one (with
// an antenna's radiation efficiency, the loss of its total efficiency).
double InsertionLossOf(const Row& t) {
  if (t.band && t.band->worst_total_efficiency) {
    const double e = *t.band->worst_total_efficiency;
    return e > 0.0 ? -10.0 * std::log10(e) : HUGE_VAL;
  }
  if (t.band) return t.band->worst_insertion_loss_db.value_or(HUGE_VAL);
  return t.design->harmonics.insertion_loss_db.value_or(HUGE_VAL);
}

// The share of builds that meet the goal; without tolerances, none.
double YieldShare(const Row& t) {
  return t.yield ? t.yield->yield : -1.0;
}

// What the rankings that mean the same at the frequency and over a band
// say of a and b: a low-pass network first, the least insertion loss, the
// highest yield; nothing on a tie (or for another ranking).
std::optional<bool> Decided(const Row& a, const Row& b, Ranking ranking) {
  switch (ranking) {
    case Ranking::kLowPassFirst: {
      const bool lp_a = IsLowPass(a.design->Chosen()), lp_b = IsLowPass(b.design->Chosen());
      if (lp_a != lp_b) return lp_a;
      break;
    }
    case Ranking::kTransducerGain:
      if (InsertionLossOf(a) != InsertionLossOf(b)) return InsertionLossOf(a) < InsertionLossOf(b);
      break;
    case Ranking::kYield:
      if (YieldShare(a) != YieldShare(b)) return YieldShare(a) > YieldShare(b);
      break;
    case Ranking::kReturnLoss:
    case Ranking::kDissipation:
    case Ranking::kBandwidth:
      break;
  }
  return std::nullopt;
}

}  // namespace

// The worst margin to the goals over every band: infinite for a perfect
// match, none where no power reaches the load.
double MarginOf(const GoalFigures& g) {
  if (g.worst_blocked) return -HUGE_VAL;
  return g.worst_margin_db.value_or(HUGE_VAL);
}

// Whether a band row ranks above b; both over the band.
bool BetterOverBand(const Row& a, const Row& b, Ranking ranking) {
  const BandFigures &fa = *a.band, &fb = *b.band;
  // With several bands, states or goals, what the search made best.
  const bool margins = ranking == Ranking::kReturnLoss || ranking == Ranking::kTransducerGain;
  if (margins && a.goals && b.goals && MarginOf(*a.goals) != MarginOf(*b.goals)) {
    return MarginOf(*a.goals) > MarginOf(*b.goals);
  }
  switch (ranking) {
    case Ranking::kDissipation:
      if (fa.dissipation_centre_db != fb.dissipation_centre_db) {
        return fa.dissipation_centre_db < fb.dissipation_centre_db;
      }
      break;
    case Ranking::kBandwidth:
      if (fa.vswr2_coverage != fb.vswr2_coverage) return fa.vswr2_coverage > fb.vswr2_coverage;
      break;
    case Ranking::kLowPassFirst:
    case Ranking::kTransducerGain:
    case Ranking::kYield:
      if (const auto decided = Decided(a, b, ranking)) return *decided;
      break;
    case Ranking::kReturnLoss:
      break;
  }
  if (fa.worst_gamma != fb.worst_gamma) return fa.worst_gamma < fb.worst_gamma;
  return a.design->ideal.elements.size() < b.design->ideal.elements.size();
}

namespace {

// The figure a band row ranks by, in dB, larger better; none for the
// rankings that are no figure's.
std::optional<double> RankedDb(const Row& t, Ranking ranking) {
  if (ranking != Ranking::kReturnLoss && ranking != Ranking::kTransducerGain) return std::nullopt;
  if (t.goals)
    return t.goals->worst_blocked ? -HUGE_VAL : t.goals->worst_margin_db.value_or(HUGE_VAL);
  if (ranking == Ranking::kTransducerGain) return -InsertionLossOf(t);
  return t.band->worst_return_loss_db.value_or(HUGE_VAL);
}

std::size_t PartsOf(const Row& t) {
  return t.design->ideal.elements.size();
}

}  // namespace

void PreferFewerParts(std::vector<Row>& rows, Ranking ranking) {
  for (std::size_t i = 1; i < rows.size(); ++i) {
    for (std::size_t j = i; j > 0; --j) {
      const Row &above = rows[j - 1], &below = rows[j];
      if (!above.design || !below.design || PartsOf(below) >= PartsOf(above)) break;
      const auto a = RankedDb(above, ranking), b = RankedDb(below, ranking);
      if (!a || !b) break;
      const bool tie = *a == *b || *a - *b <= kTieDb;
      if (!tie) break;
      std::swap(rows[j - 1], rows[j]);
    }
  }
}

// Whether a ranks above b; both designed.
bool Better(const Row& a, const Row& b, Ranking ranking) {
  const double rl_a = ReturnLossOf(a), rl_b = ReturnLossOf(b);
  const double loss_a = DissipationOf(a), loss_b = DissipationOf(b);
  switch (ranking) {
    case Ranking::kTransducerGain:
    case Ranking::kYield:
    case Ranking::kLowPassFirst:
      if (const auto decided = Decided(a, b, ranking)) return *decided;
      break;
    case Ranking::kDissipation:
      if (loss_a != loss_b) return loss_a < loss_b;
      return rl_a > rl_b;
    case Ranking::kBandwidth: {
      if (!a.design->band || !b.design->band) break;
      const double bw_a = BandwidthOf(a), bw_b = BandwidthOf(b);
      if (bw_a != bw_b) return bw_a > bw_b;
      break;
    }
    case Ranking::kReturnLoss:
      break;
  }
  if (rl_a != rl_b) return rl_a > rl_b;
  return loss_a < loss_b;
}

}  // namespace vorda::rf
