// vorda-match's text output and its CSV table.
#include <algorithm>
#include <cmath>
#include <iterator>
#include <sstream>

#include "cli/Report.h"
#include "cli/TextFormat.h"
#include "engine/SectionTypes.h"
#include "rf/circuit/Units.h"

namespace vorda::cli {

namespace {

std::string CaptionOr(const ComputeRecord& e, ResultLabel label) {
  return e.Caption(label).value_or("(not computed)");
}

// An edge of the band, or where the search for it stopped.
std::string Edge(const std::optional<double>& hz, bool low, double f, double limit) {
  if (hz) return rf::FormatEngineering(*hz, "Hz");
  const bool factor = low ? limit == f / 100 : limit == f * 100;
  const std::string at = rf::FormatEngineering(limit, "Hz");
  if (low) {
    return "below " + at +
           (factor ? " (searched down to f / 100)" : " (where the measurement begins)");
  }
  return "above " + at + (factor ? " (searched up to 100 f)" : " (where the measurement ends)");
}

}  // namespace

void PrintDesign(const rf::TypeDesign& d, const Options& opt, std::ostream& out) {
  if (d.standard) {
    out << "  standard " << rf::SeriesName(*opt.series) << ": ";
    if (d.standard->elements.size() == 2) {
      out << "first " << rf::Describe(d.standard->elements[0].part) << ", second "
          << rf::Describe(d.standard->elements[1].part);
    } else {
      out << PartsText(*d.standard);
    }
    out << "\n    " << MatchText(*d.standard_match) << "\n";
  }
  if (d.loss) {
    out << "  with losses (Q of inductors " << QText(opt.q_inductor) << ", of capacitors "
        << QText(opt.q_capacitor) << "):\n    " << MatchText(d.loss->match) << ", efficiency "
        << Digits(100.0 * d.loss->efficiency) << " %, dissipation loss "
        << Digits(d.loss->dissipation_db) << " dB\n";
  }
  if (d.band) {
    const double f = *opt.hertz;
    const rf::Band& b = *d.band;
    out << "  VSWR <= 2 band: ";
    if (!b.holds) {
      out << "none (the VSWR at the design frequency is above 2)\n";
    } else {
      out << Edge(b.low, true, f, b.searched.low) << " to "
          << Edge(b.high, false, f, b.searched.high) << ", loaded Q "
          << (b.loaded_q ? Digits(*b.loaded_q) : std::string("(unknown)")) << "\n";
    }
  }
  out << "  " << HarmonicsText(d.harmonics) << "\n";
}

std::string HarmonicsText(const rf::Harmonics& h) {
  if (!h.insertion_loss_db) return "insertion loss: none to give (no power reaches the load)";
  std::string s = "insertion loss " + Digits(*h.insertion_loss_db) + " dB at f";
  const auto below = [](const std::optional<double>& db, const char* what) {
    return db ? std::string(what) + " " + Digits(*db) + " dB below f"
              : std::string(what) + " not known (beyond the load's data)";
  };
  return s + "; " + below(h.attenuation_2f_db, "2f") + ", " + below(h.attenuation_3f_db, "3f");
}

namespace {

void PrintRun(const rf::TypeResult& t, const Report& report, std::ostream& out) {
  const ComputeRecord& e = *t.engine;
  const SectionType& type = *FindSectionType(e.type_index);
  out << "\nType " << e.type_index << " (" << Caption(type) << "): ";
  switch (e.run.outcome) {
    case Outcome::kComputed:
      out << "computed\n";
      break;
    case Outcome::kRefused:
      out << "refused for region " << e.run.region.value_or(0) << "\n";
      break;
    case Outcome::kOutOfRange:
      out << "type out of range\n";
      break;
    case Outcome::kFault:
      out << "stopped by an arithmetic fault (error code " << e.run.fault->code() << ")\n";
      break;
  }
  // Only a computed type has components: the zeros a refused run leaves in
  // the labels are no result.
  if (e.run.outcome != Outcome::kComputed) {
    if (t.verdict == rf::Verdict::kAlreadyMatched) out << "  design: " << t.status << "\n";
    return;
  }
  const bool designed = t.verdict == rf::Verdict::kDesigned && t.design;
  auto row = [&](const char* role, const char* name, ResultLabel norm_label, ResultLabel ohms_label,
                 std::size_t element) {
    out << "  " << role << " " << name << ": " << CaptionOr(e, norm_label) << " normalized, "
        << CaptionOr(e, ohms_label) << " ohms";
    if (designed) out << ", " << rf::Describe(t.design->ideal.elements[element].part);
    out << "\n";
  };
  row("first ", type.first_component, ResultLabel::kFirstComponent, ResultLabel::kFirstOhms, 0);
  row("second", type.second_component, ResultLabel::kSecondComponent, ResultLabel::kSecondOhms, 1);
  if (!report.design) return;
  if (designed) {
    PrintDesign(*t.design, report.options, out);
  } else {
    out << "  design: " << t.status << "\n";
  }
}

}  // namespace

void PrintText(const Report& report, std::ostream& out) {
  if (report.measured) {
    out << "Measured load at " << rf::FormatEngineering(report.measured->hertz, "Hz") << ": "
        << LoadText(report.measured->load) << " (" << report.measured->file << ")\n";
  }
  const auto& rows = report.result.types;
  const auto engine_row = std::find_if(
      rows.begin(), rows.end(), [](const rf::TypeResult& t) { return t.engine.has_value(); });
  if (engine_row != rows.end()) {
    const ComputeRecord& first = *engine_row->engine;
    if (first.Caption(ResultLabel::kNormReal)) {
      out << "Normalized load: r " << CaptionOr(first, ResultLabel::kNormReal) << ", x "
          << CaptionOr(first, ResultLabel::kNormImag) << "\n";
    }
    if (first.run.region) {
      out << "Region " << *first.run.region << ": " << rf::RegionWords(*first.run.region) << "\n";
    }
  } else if (report.source) {
    out << "Source: " << LoadText(*report.source) << ", matched conjugately\n";
  }
  for (const rf::TypeResult& t : rows) {
    if (t.engine) {
      PrintRun(t, report, out);
    } else {
      PrintNetworkRow(t, report, out);
    }
  }
  if (report.band) PrintBandText(*report.band, report, out);
}

std::string SweepCsv(const Report& report) {
  std::ostringstream csv;
  csv << "frequency_hz";
  const bool bare = !report.result.bare_return_loss_db.empty();
  if (bare) csv << ",load_return_loss_db";
  for (const rf::TypeResult& t : report.result.types) {
    if (!t.design) continue;
    const std::string n = t.kind.topology == rf::Topology::kL ? "type" + std::to_string(t.kind.type)
                                                              : rf::KindKey(t.kind);
    csv << "," << n << "_return_loss_db," << n << "_vswr";
  }
  csv << "\n";
  const auto cell = [&csv](const std::optional<double>& v) {
    csv << ',';
    if (v) csv << rf::ShortestText(*v);  // empty: a perfect match, or no finite VSWR
  };
  for (std::size_t i = 0; i < report.result.frequencies.size(); ++i) {
    csv << rf::ShortestText(report.result.frequencies[i]);
    if (bare) cell(report.result.bare_return_loss_db[i]);
    for (const rf::TypeResult& t : report.result.types) {
      if (!t.design) continue;
      cell(t.design->response->return_loss_db[i]);
      cell(t.design->response->vswr[i]);
    }
    csv << "\n";
  }
  return csv.str();
}

namespace {

constexpr int kFrequencyWidth = 14;
constexpr int kLoadWidth = 26;
constexpr int kTypeWidth = 30;

std::string Pad(std::string s, int width) {
  // Widths count characters; "µ" takes two bytes.
  const auto shown =
      static_cast<int>(s.size()) - static_cast<int>(std::count(s.begin(), s.end(), '\xb5'));
  if (shown < width) s.append(static_cast<std::size_t>(width - shown), ' ');
  return s;
}

std::string EachCell(const rf::TypeResult& t) {
  const ComputeRun& run = t.engine->run;
  switch (t.verdict) {
    case rf::Verdict::kDesigned:
      break;
    case rf::Verdict::kAlreadyMatched:
      return "already matched";
    case rf::Verdict::kNotComputable:
      return "not computable";
    case rf::Verdict::kNotComputed:
      if (run.outcome == Outcome::kRefused) {
        return "refused (region " + std::to_string(run.region.value_or(0)) + ")";
      }
      if (run.outcome == Outcome::kFault) {
        return "arithmetic fault (code " + std::to_string(run.fault->code()) + ")";
      }
      return "type out of range";
  }
  const rf::Network& n = t.design->Chosen();
  return rf::Describe(n.elements[0].part) + ", " + rf::Describe(n.elements[1].part);
}

// Every cell padded to its column but the last.
void PrintRow(const std::vector<std::string>& cells, std::ostream& out) {
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const int width = i == 0 ? kFrequencyWidth : i == 1 ? kLoadWidth : kTypeWidth;
    out << (i + 1 < cells.size() ? Pad(cells[i], width) : cells[i]);
  }
  out << "\n";
}

}  // namespace

void PrintEachTextHeading(const Options& options, std::ostream& out) {
  std::vector<std::string> cells = {"frequency", "load"};
  std::transform(options.types.begin(), options.types.end(), std::back_inserter(cells),
                 [](std::int16_t t) {
                   return "type " + std::to_string(t) + " (" + Caption(*FindSectionType(t)) + ")";
                 });
  PrintRow(cells, out);
}

void PrintEachTextRow(const EachPoint& point, std::ostream& out) {
  std::vector<std::string> cells = {rf::FormatEngineering(point.hertz, "Hz"), LoadText(point.load)};
  if (point.refused) cells.push_back("no design: " + *point.refused);
  std::transform(point.runs.begin(), point.runs.end(), std::back_inserter(cells), EachCell);
  PrintRow(cells, out);
}

}  // namespace vorda::cli
