// vorda-match's text of a row's figures, and of what goes beyond the
// engine's L-sections: networks of three and four parts, L-sections for a
// complex source, given networks, and the ranked designs over a band with
// the Bode-Fano limit.
#include <algorithm>
#include <string_view>

#include "cli/Report.h"
#include "cli/TextFormat.h"
#include "rf/circuit/Microstrip.h"
#include "rf/circuit/NetworkText.h"
#include "rf/circuit/Units.h"
#include "rf/request/GoalTexts.h"

namespace vorda::cli {

namespace {

// The figures of a group as "label value, label value"; without the
// Bode-Fano limit's, when each band has its own.
std::string Items(const rf::Row& t, rf::FigureGroup group, bool limit = true) {
  std::string s;
  for (const rf::Figure& f : rf::Figures()) {
    if (f.group != group) continue;
    if (!limit && std::string_view(f.json) == "below_limit_db") continue;
    if (!s.empty()) s += ", ";
    s += std::string(f.label) + " " + rf::FigureText(f, t);
  }
  return s;
}

// An edge of the VSWR <= 2 band, or where the search for it stopped: at
// f / 100 or 100 f, or as far as a measurement knows the load (its ends, or
// a point that is not passive).
std::string Edge(const std::optional<double>& hz, bool low, const rf::BandLimits& searched) {
  if (hz) return rf::FormatEngineering(*hz, "Hz");
  const bool factor = (low ? searched.low_by : searched.high_by) == rf::LimitBy::kFactor;
  const std::string at = rf::FormatEngineering(low ? searched.low : searched.high, "Hz");
  if (low) {
    return "below " + at +
           (factor ? " (searched down to f / 100)" : " (as far down as the file knows the load)");
  }
  return "above " + at +
         (factor ? " (searched up to 100 f)" : " (as far up as the file knows the load)");
}

std::string BandwidthText(const rf::Row& t) {
  const rf::Band& b = *t.design->band;
  if (!b.holds) return "none (the VSWR at the design frequency is above 2)";
  std::string s =
      "from " + Edge(b.low, true, b.searched) + " to " + Edge(b.high, false, b.searched);
  // The edges are said above with where the search stopped; then the rest
  // of the group's figures.
  for (const rf::Figure& fig : rf::Figures()) {
    if (fig.group != rf::FigureGroup::kBandwidth || fig.format == rf::FigureFormat::kFrequency) {
      continue;
    }
    s += std::string(", ") + fig.label + " " + rf::FigureText(fig, t);
  }
  return s;
}

// Each band in each state, each band to reject, and the worst margin to
// the goals over them all.
void PrintGoals(const rf::Row& t, const Report& report, std::ostream& out) {
  const rf::GoalFigures& g = *t.goals;
  const rf::DesignRequest& r = *report.Request();
  std::size_t pass = 0, reject = 0;
  for (const rf::Segment& s : report.result.band->segments) {
    out << "  " << rf::SegmentName(r, s);
    if (s.reject) {
      out << " (goal " << Digits(r.rejects[s.band].db)
          << " dB): " << rf::RejectText(g.rejects[reject++]) << "\n";
      continue;
    }
    const std::size_t i = pass++;
    out << " (goal: " << rf::GoalName(r.bands[s.band].goal)
        << "): " << Items(rf::BandRow(g.bands[i]), rf::FigureGroup::kBand) << ", margin "
        << rf::MarginText(g.margins_db[i], g.blocked[i]) << "\n";
  }
  out << "  worst margin over every band: " << rf::MarginText(g.worst_margin_db, g.worst_blocked)
      << " (" << rf::BandFigureName(r.SearchFigure()) << " where a band has no goal)\n";
}

}  // namespace

void PrintFigures(const rf::Row& t, const Report& report, std::ostream& out) {
  const rf::PartsChoice& opt = report.Request()->parts;
  const rf::NetworkDesign& d = *t.design;
  using G = rf::FigureGroup;
  const bool real_parts = opt.Real();
  if (t.engine && !t.note.empty()) out << "  note: " << t.note << "\n";
  if (d.uncompensated) {
    out << "  for the parts' parasitics: " << PartsText(d.ideal) << "\n";
  }
  if (d.no_standard) {
    out << "  standard "
        << (opt.library ? std::string("from the library") : rf::SeriesName(*opt.series))
        << ": none (" << rf::WhyText(d.no_standard) << ")\n";
  }
  if (d.standard) {
    out << "  standard "
        << (opt.library ? std::string("from the library") : rf::SeriesName(*opt.series)) << ": ";
    if (t.engine) {
      out << "first " << rf::Describe(d.standard->elements[0].part) << ", second "
          << rf::Describe(d.standard->elements[1].part);
    } else {
      out << PartsText(*d.standard);
    }
    out << "\n    " << Items(t, G::kStandard) << "\n";
  }
  if (d.loss) {
    out << "  with losses (Q of inductors " << QText(opt.q_inductor) << ", of capacitors "
        << QText(opt.q_capacitor) << "):\n    " << Items(t, G::kMatch) << ", " << Items(t, G::kLoss)
        << "\n";
  } else if (d.standard && (!t.engine || real_parts)) {
    // The parts as built, where they differ from the standard ones.
    if (d.match.zin != d.standard_match->zin)
      out << "    as built: " << Items(t, G::kMatch) << "\n";
  } else if (!t.engine || (real_parts && !d.standard)) {
    out << "    " << Items(t, G::kMatch) << "\n";
  }
  if (t.design_q) out << "  " << Items(t, G::kDesign) << "\n";
  if (d.band) out << "  VSWR <= 2 band: " << BandwidthText(t) << "\n";
  out << "  " << Items(t, G::kHarmonics) << "\n";
  if (t.band) {
    out << "  over " << (t.goals ? "every band: " : "the band: ")
        << Items(t, G::kBand, !t.goals || t.goals->bands.size() == 1);
    if (rf::HasGroup(t, G::kTotal)) out << ", " << Items(t, G::kTotal);
    out << "\n";
  }
  if (t.goals && report.result.band) PrintGoals(t, report, out);
  if (t.yield) {
    out << "  within the tolerances (" << t.yield->worst_gamma.size()
        << " builds): " << Items(t, G::kYield) << "\n";
  }
}

namespace {

// With a substrate, each line as a strip: its width and physical length at
// the design frequency, in millimetres.
void PrintStrips(const rf::Network& n, const rf::DesignRequest& r, std::ostream& out) {
  if (!r.substrate) return;
  std::string s;
  for (std::size_t i = 0; i < n.elements.size(); ++i) {
    const rf::Element& e = n.elements[i];
    if (!e.line) continue;
    const rf::Line& l = *e.line;
    const auto strip = rf::StripFor(*r.substrate, l.impedance, l.DegreesAt(r.hertz), r.hertz);
    s += (s.empty() ? "" : ", ") + std::string("part ") + std::to_string(i + 1) + " ";
    s += strip ? "w " + Digits(strip->width * 1e3) + " mm, l " + Digits(strip->length * 1e3) + " mm"
               : std::string("no strip of this impedance");
  }
  if (!s.empty()) {
    out << "  as microstrip on " << rf::SubstrateText(*r.substrate) << " at "
        << rf::FormatEngineering(r.hertz, "Hz") << ": " << s << "\n";
  }
}

}  // namespace

void PrintNetworkRow(const rf::Row& t, const Report& report, int rank, std::ostream& out) {
  out << "\n"
      << (rank > 0 ? std::to_string(rank) + ". " : "") << rf::RowName(t) << ": "
      << (t.verdict != rf::Verdict::kDesigned ? rf::StatusText(t)
          : t.note.empty()                    ? std::string("designed")
                                              : "designed (" + t.note + ")")
      << "\n";
  if (!t.design) return;
  const std::string schematic = rf::SchematicText(t.design->ideal);
  for (std::size_t at = 0; at != std::string::npos;) {
    const std::size_t end = schematic.find('\n', at);
    out << "    " << schematic.substr(at, end - at) << "\n";
    at = end == std::string::npos ? end : end + 1;
  }
  out << "  parts: " << PartsText(t.design->ideal) << "\n";
  PrintStrips(t.design->ideal, *report.Request(), out);
  PrintFigures(t, report, out);
}

namespace {

// The band's rows written out in text; the others are counted.
constexpr int kBandRowsShown = 10;

// "40 ohms and 120 nH", "73.2 ohms, 1.2 µH and 95 pF".
std::string FitText(const rf::LoadFit& fit) {
  const bool l = rf::HasInductance(fit.circuit), c = rf::HasCapacitance(fit.circuit);
  const double capacitance = l ? fit.capacitance : fit.reactive;
  return Digits(fit.resistance) + " ohms" + (l && c ? ", " : " and ") +
         (l ? rf::FormatEngineering(fit.reactive, "H") : "") + (l && c ? " and " : "") +
         (c ? rf::FormatEngineering(capacitance, "F") : "");
}

// What no lossless network of any size does better than over a band: the
// limit of the circuit the load fits, or why there is none.
void PrintLimit(const std::optional<rf::BodeFanoBound>& limit,
                const std::optional<rf::LoadFit>& fit, std::ostream& out) {
  if (limit) {
    const rf::LoadFit& f = limit->fit;
    out << "no lossless network of any size does better than a worst return loss "
        << "of " << Digits(limit->worst_return_loss_db) << " dB over the band (the load "
        << "fits a " << rf::CircuitName(f.circuit) << " circuit of " << FitText(f) << " within "
        << Digits(100.0 * f.error) << " %)\n";
  } else if (fit) {
    out << "none (the load fits no R-L, R-C or R-L-C circuit within 5 %; the "
        << "nearest, " << rf::CircuitName(fit->circuit) << ", is " << Digits(100.0 * fit->error)
        << " % off)\n";
  } else {
    out << "none for this band and source\n";
  }
}

}  // namespace

void PrintBandText(const Report& report, std::ostream& out) {
  const rf::BandSummary& band = *report.result.band;
  const rf::FrequencyAxis& a = band.axis;
  const rf::DesignRequest& r = *report.Request();
  const rf::Ranking ranking = r.RankingOf();
  const bool plain = report.result.plan->band->Single();
  if (plain) {
    out << "\nOver the band " << rf::RangeText(a.start, a.stop) << " (" << a.points << " points"
        << (band.measured_points > 0
                ? " and the " + std::to_string(band.measured_points) + " measured in it"
                : "")
        << "), " << rf::RankingOrder(ranking) << ":\n";
  } else {
    out << "\nOver the band" << (r.bands.size() > 1 ? "s " : " ");
    for (std::size_t i = 0; i < r.bands.size(); ++i) {
      out << (i == 0                    ? ""
              : i + 1 == r.bands.size() ? " and "
                                        : ", ")
          << rf::RangeText(r.bands[i].axis.start, r.bands[i].axis.stop);
    }
    for (std::size_t i = 0; i < r.rejects.size(); ++i) {
      out << (i == 0                      ? ", rejecting "
              : i + 1 == r.rejects.size() ? " and "
                                          : ", ")
          << rf::RangeText(r.rejects[i].axis.start, r.rejects[i].axis.stop);
    }
    if (!r.states.empty()) out << ", for the load in " << r.states.size() + 1 << " states";
    const bool margin = ranking == rf::Ranking::kReturnLoss ||
                        ranking == rf::Ranking::kTransducerGain || ranking == rf::Ranking::kYield;
    out << " (" << a.points << " points each), "
        << (margin && ranking != rf::Ranking::kYield ? "best worst margin to the goals first"
                                                     : rf::RankingOrder(ranking))
        << ":\n";
  }
  int rank = 0;
  for (const rf::Row& t : report.result.rows) {
    if (t.origin != rf::Origin::kOverBand) continue;
    if (++rank <= kBandRowsShown) PrintNetworkRow(t, report, rank, out);
  }
  if (rank > kBandRowsShown) {
    out << "\n... and " << rank - kBandRowsShown
        << " more (--json and --table-csv give them all)\n";
  }
  if (!band.best_by_parts.empty()) {
    const rf::BandRequest& b = *report.result.plan->band;
    out << "\nBest worst "
        << (b.Plain()    ? "return loss"
            : b.Single() ? rf::BandFigureName(b.figure)
                         : "margin to the goals")
        << " by number of parts:";
    for (const auto& [parts, db] : band.best_by_parts) {
      out << (parts == band.best_by_parts.front().first ? " " : ", ")
          << (db ? Digits(*db) + " dB" : "perfect") << " with " << parts
          << (parts == 1 ? " part" : " parts");
    }
    out << "\n";
  }
  if (!band.refused.empty()) out << "\n";
  for (const auto& [kind, why] : band.refused) {
    out << rf::KindName(kind) << ": no design over the band (" << why << ")\n";
  }
  if (!plain) {
    // Each band in each state has its own.
    std::size_t pass = 0;
    for (const rf::Segment& s : band.segments) {
      if (s.reject) continue;
      out << "Bode-Fano limit of " << rf::SegmentName(r, s) << ": ";
      PrintLimit(band.limits[pass], band.fits[pass], out);
      ++pass;
    }
    return;
  }
  out << "Bode-Fano limit: ";
  PrintLimit(band.bode_fano, band.fit, out);
}

}  // namespace vorda::cli
