#include "rf/request/Figures.h"

#include <cmath>

#include "rf/circuit/Units.h"

namespace vorda::rf {

namespace {

using Value = std::optional<double>;
using Z = std::optional<std::complex<double>>;

const NetworkDesign& D(const Row& r) {
  return *r.design;
}
const BandFigures& B(const Row& r) {
  return *r.band;
}

// The accessors, one per figure.
Z MatchZin(const Row& r) {
  return D(r).match.zin;
}
Value MatchRl(const Row& r) {
  return D(r).match.return_loss_db;
}
Value MatchVswr(const Row& r) {
  return D(r).match.vswr;
}
Z StandardZin(const Row& r) {
  return D(r).standard_match->zin;
}
Value StandardRl(const Row& r) {
  return D(r).standard_match->return_loss_db;
}
Value StandardVswr(const Row& r) {
  return D(r).standard_match->vswr;
}
Value Efficiency(const Row& r) {
  return D(r).loss->efficiency;
}
Value Dissipation(const Row& r) {
  return D(r).loss->dissipation_db;
}
Value InsertionLoss(const Row& r) {
  return D(r).harmonics.insertion_loss_db;
}
Value Second(const Row& r) {
  return D(r).harmonics.attenuation_2f_db;
}
Value Third(const Row& r) {
  return D(r).harmonics.attenuation_3f_db;
}
constexpr const char* kNotKnown = "not known (beyond the load's data)";
constexpr const char* kTotal = "total (no power reaches the load)";
const char* SecondNone(const Row& r) {
  return D(r).harmonics.total_2f ? kTotal : kNotKnown;
}
const char* ThirdNone(const Row& r) {
  return D(r).harmonics.total_3f ? kTotal : kNotKnown;
}
Value BandLow(const Row& r) {
  return D(r).band->low;
}
Value BandHigh(const Row& r) {
  return D(r).band->high;
}
Value BandQ(const Row& r) {
  return D(r).band->loaded_q;
}
Value DesignQ(const Row& r) {
  return r.design_q;
}
Value Worst(const Row& r) {
  return B(r).worst_return_loss_db;
}
Value Mean(const Row& r) {
  return B(r).mean_return_loss_db;
}
Value Coverage(const Row& r) {
  return B(r).vswr2_coverage;
}
Value LossLow(const Row& r) {
  return B(r).dissipation_low_db;
}
Value LossCentre(const Row& r) {
  return B(r).dissipation_centre_db;
}
Value LossHigh(const Row& r) {
  return B(r).dissipation_high_db;
}
Value WorstInsertion(const Row& r) {
  return B(r).worst_insertion_loss_db;
}
const char* LimitNone(const Row& r) {
  switch (B(r).limit_use) {
    case BandFigures::LimitUse::kLossy:
      return "none to give (the limit bounds lossless networks; these parts take power)";
    case BandFigures::LimitUse::kUnbound:
      return "none to give (the limit lies beyond any network of a few parts: it does not bind)";
    case BandFigures::LimitUse::kDistance:
    case BandFigures::LimitUse::kNone:
      break;
  }
  return "no limit known";
}
Value BelowLimit(const Row& r) {
  return B(r).below_limit_db;
}
Value TotalEfficiency(const Row& r) {
  return B(r).worst_total_efficiency;
}
const YieldFigures& Y(const Row& r) {
  return *r.yield;
}
Value Noise(const Row& r) {
  return Y(r).noise;
}
Value Yield(const Row& r) {
  return Y(r).yield;
}
Value Corners(const Row& r) {
  return Y(r).corners_yield;
}
Value SpreadLow(const Row& r) {
  return Y(r).low_db;
}
Value SpreadMedian(const Row& r) {
  return Y(r).median_db;
}
Value SpreadHigh(const Row& r) {
  return Y(r).high_db;
}
Value WorstCorner(const Row& r) {
  return Y(r).worst_corner_db;
}
Value Sensitive(const Row& r) {
  if (Y(r).most_sensitive == 0) return std::nullopt;
  return Y(r).most_sensitive;
}

using G = FigureGroup;
using F = FigureFormat;

const Figure kFigures[] = {
    {G::kMatch, "Zin", "zin", "zin (ohms)", "Zin (\u03a9)", "ohms", "not a number", F::kImpedance,
     false, nullptr, MatchZin},
    {G::kMatch, "return loss", "return_loss_db", "return loss (dB)", "RL (dB)", "dB", "perfect",
     F::kNumber, true, MatchRl, nullptr, true, "perfect"},
    {G::kMatch, "VSWR", "vswr", "vswr", "VSWR", "", "infinite", F::kNumber, true, MatchVswr,
     nullptr, false, "\u221e"},
    {G::kStandard, "Zin", "zin", "standard zin (ohms)", "Std Zin (\u03a9)", "ohms", "not a number",
     F::kImpedance, false, nullptr, StandardZin},
    {G::kStandard, "return loss", "return_loss_db", "standard return loss (dB)", "Std RL (dB)",
     "dB", "perfect", F::kNumber, false, StandardRl, nullptr, true, "perfect"},
    {G::kStandard, "VSWR", "vswr", "standard vswr", "Std VSWR", "", "infinite", F::kNumber, false,
     StandardVswr, nullptr, false, "\u221e"},
    {G::kLoss, "efficiency", "efficiency", "efficiency", "Eff. (%)", "%", "", F::kPercent, false,
     Efficiency, nullptr},
    {G::kLoss, "dissipation loss", "dissipation_db", "dissipation loss (dB)", "Loss (dB)", "dB", "",
     F::kNumber, true, Dissipation, nullptr},
    {G::kHarmonics, "insertion loss", "insertion_loss_db", "insertion loss (dB)", "IL (dB)",
     "dB at f", "none to give (no power reaches the load)", F::kNumber, true, InsertionLoss,
     nullptr},
    {G::kHarmonics, "2f", "attenuation_2f_db", "attenuation at 2f (dB)", "2f (dB)", "dB below f",
     kNotKnown, F::kNumber, true, Second, nullptr, false, "\u2013", SecondNone},
    {G::kHarmonics, "3f", "attenuation_3f_db", "attenuation at 3f (dB)", "3f (dB)", "dB below f",
     kNotKnown, F::kNumber, true, Third, nullptr, false, "\u2013", ThirdNone},
    {G::kBandwidth, "from", "low", "band low (Hz)", "Band low", "", "not found", F::kFrequency,
     true, BandLow, nullptr},
    {G::kBandwidth, "to", "high", "band high (Hz)", "Band high", "", "not found", F::kFrequency,
     true, BandHigh, nullptr},
    {G::kBandwidth, "Q of the band", "q", "q of the vswr <= 2 band", "Q band", "", "unknown",
     F::kNumber, true, BandQ, nullptr},
    {G::kDesign, "designed for a loaded Q of", "design_q", "design loaded q", "Q design", "",
     "none", F::kNumber, true, DesignQ, nullptr},
    {G::kBand, "worst return loss", "worst_return_loss_db", "worst return loss over the band (dB)",
     "Worst RL (dB)", "dB", "perfect", F::kNumber, true, Worst, nullptr, true, "perfect"},
    {G::kBand, "mean return loss", "mean_return_loss_db", "mean return loss over the band (dB)",
     "Mean RL (dB)", "dB", "perfect", F::kNumber, true, Mean, nullptr, true, "perfect"},
    {G::kBand, "VSWR <= 2 over", "vswr2_coverage", "vswr <= 2 share of the band", "VSWR\u22642 (%)",
     "% of the band", "", F::kPercent, true, Coverage, nullptr},
    {G::kBand, "dissipation loss at the low edge", "dissipation_low_db",
     "dissipation loss at the band's low edge (dB)", "Loss low (dB)", "dB", "", F::kNumber, false,
     LossLow, nullptr},
    {G::kBand, "at the centre", "dissipation_centre_db",
     "dissipation loss at the band's centre (dB)", "Loss mid (dB)", "dB", "", F::kNumber, false,
     LossCentre, nullptr},
    {G::kBand, "at the high edge", "dissipation_high_db",
     "dissipation loss at the band's high edge (dB)", "Loss high (dB)", "dB", "", F::kNumber, false,
     LossHigh, nullptr},
    {G::kBand, "worst insertion loss", "worst_insertion_loss_db",
     "worst insertion loss over the band (dB)", "Worst IL (dB)", "dB", "no power passes",
     F::kNumber, true, WorstInsertion, nullptr},
    {G::kBand, "below the Bode-Fano limit by", "below_limit_db", "below the bode-fano limit (dB)",
     "Below limit (dB)", "dB", "no limit known", F::kNumber, true, BelowLimit, nullptr, false,
     "\u2013", LimitNone},
    {G::kTotal, "worst total efficiency", "worst_total_efficiency",
     "worst total efficiency over the band", "Total eff. (%)", "%", "", F::kPercent, true,
     TotalEfficiency, nullptr},
    {G::kYield, "yield", "yield", "yield", "Yield (%)", "%", "", F::kPercent, true, Yield, nullptr},
    {G::kYield, "sampling noise", "yield_noise", "yield sampling noise (standard error)",
     "Yield \u00b1 (%)", "%", "", F::kPercent, false, Noise, nullptr},
    {G::kYield, "at the corners", "corners_yield", "yield at the corners", "Corners (%)", "%", "",
     F::kPercent, false, Corners, nullptr},
    {G::kYield, "return loss of 95 % of builds at least", "return_loss_5_db",
     "return loss 5th percentile (dB)", "RL 5% (dB)", "dB", "perfect", F::kNumber, true, SpreadLow,
     nullptr, true, "perfect"},
    {G::kYield, "median", "return_loss_median_db", "return loss median (dB)", "RL 50% (dB)", "dB",
     "perfect", F::kNumber, false, SpreadMedian, nullptr, true, "perfect"},
    {G::kYield, "95th percentile", "return_loss_95_db", "return loss 95th percentile (dB)",
     "RL 95% (dB)", "dB", "perfect", F::kNumber, false, SpreadHigh, nullptr, true, "perfect"},
    {G::kYield, "worst corner", "worst_corner_db", "return loss worst corner (dB)",
     "Corner RL (dB)", "dB", "perfect", F::kNumber, false, WorstCorner, nullptr, true, "perfect"},
    {G::kYield, "most sensitive part", "most_sensitive_part", "most sensitive part",
     "Sensitive part", "", "none", F::kNumber, true, Sensitive, nullptr},
};

std::string Digits(double v) {
  return DigitsText(v, 4);
}

}  // namespace

std::span<const Figure> Figures() {
  return kFigures;
}

bool HasGroup(const Row& row, FigureGroup group) {
  if (group == FigureGroup::kBand) return row.band.has_value();
  if (group == FigureGroup::kTotal) return row.band && row.band->worst_total_efficiency;
  if (group == FigureGroup::kYield) return row.yield.has_value();
  if (!row.design) return false;
  switch (group) {
    case FigureGroup::kStandard:
      return row.design->standard_match.has_value();
    case FigureGroup::kLoss:
      return row.design->loss.has_value();
    case FigureGroup::kBandwidth:
      return row.design->band.has_value();
    case FigureGroup::kDesign:
      return row.design_q.has_value();
    case FigureGroup::kMatch:
    case FigureGroup::kHarmonics:
    case FigureGroup::kBand:
    case FigureGroup::kTotal:
    case FigureGroup::kYield:
      break;
  }
  return true;
}

const char* GroupKey(FigureGroup group) {
  switch (group) {
    case FigureGroup::kMatch:
      return "match";
    case FigureGroup::kStandard:
      return "standard_match";
    case FigureGroup::kLoss:
      return "loss";
    case FigureGroup::kBandwidth:
      return "bandwidth";
    case FigureGroup::kBand:
    case FigureGroup::kTotal:
      return "band";
    case FigureGroup::kYield:
      return "yield";
    case FigureGroup::kHarmonics:
    case FigureGroup::kDesign:
      break;
  }
  return "";
}

const char* NoneText(const Figure& f, const Row& row) {
  return f.none_of ? f.none_of(row) : f.none;
}

std::string FigureText(const Figure& f, const Row& row, bool with_unit) {
  const std::string unit = with_unit && *f.unit != '\0' ? std::string(" ") + f.unit : "";
  if (f.format == FigureFormat::kImpedance) {
    const auto z = f.impedance(row);
    if (!z) return NoneText(f, row);
    // A part below the computation's resolution against the whole is 0.
    const auto part = [&](double v) { return std::fabs(v) < 1e-12 * std::abs(*z) ? 0.0 : v; };
    const double x = part(z->imag());
    return Digits(part(z->real())) + (std::signbit(x) ? " - j" : " + j") + Digits(std::fabs(x)) +
           unit;
  }
  const auto v = f.value(row);
  if (!v) return NoneText(f, row);
  switch (f.format) {
    case FigureFormat::kPercent:
      return Digits(100.0 * *v) + (with_unit ? std::string(" ") + f.unit : std::string());
    case FigureFormat::kFrequency:
      return FormatEngineering(*v, "Hz");
    case FigureFormat::kNumber:
    case FigureFormat::kImpedance:
      break;
  }
  return Digits(*v) + unit;
}

}  // namespace vorda::rf
