// vorda-match's text of what goes beyond the engine's L-sections: networks
// of three and four parts, L-sections for a complex source, and the ranked
// designs over a band with the Bode-Fano limit.
#include <algorithm>

#include "cli/Report.h"
#include "cli/TextFormat.h"
#include "rf/circuit/Units.h"

namespace vorda::cli {

namespace {

std::string Percent(double share) {
  return Digits(100.0 * share) + " %";
}

std::string Db(const std::optional<double>& db) {
  return db ? Digits(*db) + " dB" : std::string("perfect");
}

}  // namespace

void PrintNetworkRow(const rf::TypeResult& t, const Report& report, std::ostream& out) {
  out << "\n" << rf::KindName(t.kind);
  if (t.kind.topology != rf::Topology::kL && report.options.loaded_q &&
      t.kind.topology != rf::Topology::kTwoLLowPass &&
      t.kind.topology != rf::Topology::kTwoLHighPass) {
    out << " (loaded Q " << Digits(*report.options.loaded_q) << ")";
  }
  out << ": " << (t.verdict == rf::Verdict::kDesigned ? "designed" : t.status) << "\n";
  if (!t.design) return;
  out << "  parts: " << PartsText(t.design->ideal) << "\n";
  out << "    " << MatchText(*t.at_design) << "\n";
  PrintDesign(*t.design, report.options, out);
}

void PrintBandText(const rf::BandResult& band, const Report& report, std::ostream& out) {
  const auto& [start, stop] = *report.options.band;
  out << "\nOver the band " << rf::FormatEngineering(start, "Hz") << " to "
      << rf::FormatEngineering(stop, "Hz") << " (" << report.options.band_points << " points"
      << (band.measured_points > 0
              ? " and the " + std::to_string(band.measured_points) + " measured in it"
              : "")
      << "), best worst return loss first:\n";
  int rank = 0;
  for (const rf::BandDesign& d : band.designs) {
    const rf::BandFigures& f = d.figures;
    out << "  " << ++rank << ". " << rf::KindName(d.kind) << ": " << PartsText(d.ideal) << "\n";
    if (d.standard) {
      out << "     standard " << rf::SeriesName(*report.options.series) << ": "
          << PartsText(*d.standard) << "\n";
    }
    out << "     worst return loss " << Db(f.worst_return_loss_db) << ", mean "
        << Db(f.mean_return_loss_db) << ", VSWR <= 2 over " << Percent(f.vswr2_coverage)
        << " of the band\n";
    out << "     dissipation loss " << Digits(f.dissipation_low_db) << " / "
        << Digits(f.dissipation_centre_db) << " / " << Digits(f.dissipation_high_db)
        << " dB at the low edge, the centre and the high edge\n";
    out << "     " << HarmonicsText(d.harmonics) << "\n";
  }
  for (const auto& [kind, why] : band.refused) {
    out << "  " << rf::KindName(kind) << ": no design (" << why << ")\n";
  }
  if (band.bode_fano) {
    const rf::LoadFit& fit = band.bode_fano->fit;
    const bool inductive =
        fit.circuit == rf::LoadCircuit::kSeriesRL || fit.circuit == rf::LoadCircuit::kParallelRL;
    out << "Bode-Fano limit: no lossless network of any size does better than a worst return loss "
        << "of " << Digits(band.bode_fano->worst_return_loss_db) << " dB over the band (the load "
        << "fits a " << rf::CircuitName(fit.circuit) << " circuit of " << Digits(fit.resistance)
        << " ohms and " << rf::FormatEngineering(fit.reactive, inductive ? "H" : "F") << " within "
        << Percent(fit.error) << ")\n";
  } else if (band.fit) {
    out << "Bode-Fano limit: none (the load fits no R-L or R-C circuit within 5 %; the nearest, "
        << rf::CircuitName(band.fit->circuit) << ", is " << Percent(band.fit->error) << " off)\n";
  } else {
    out << "Bode-Fano limit: none for this band and source\n";
  }
}

}  // namespace vorda::cli
