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

}  // namespace

namespace {

void PrintRun(const rf::Row& t, const Report& report, std::ostream& out) {
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
    if (t.verdict == rf::Verdict::kAlreadyMatched) out << "  design: " << rf::StatusText(t) << "\n";
    return;
  }
  const bool designed = t.verdict == rf::Verdict::kDesigned && t.design;
  auto row = [&](const char* role, const char* name, ResultLabel norm_label, ResultLabel ohms_label,
                 std::size_t element) {
    out << "  " << role << " " << name << ": " << CaptionOr(e, norm_label) << " normalized, "
        << CaptionOr(e, ohms_label) << " ohms";
    // The engine's values, as ideal parts (before any compensation).
    if (designed) {
      const rf::Network& ideal =
          t.design->uncompensated ? *t.design->uncompensated : t.design->ideal;
      out << ", " << rf::Describe(ideal.elements[element].part);
    }
    out << "\n";
  };
  row("first ", type.first_component, ResultLabel::kFirstComponent, ResultLabel::kFirstOhms, 0);
  row("second", type.second_component, ResultLabel::kSecondComponent, ResultLabel::kSecondOhms, 1);
  if (report.Request() == nullptr) return;
  if (designed) {
    PrintFigures(t, report, out);
  } else {
    out << "  design: " << rf::StatusText(t) << "\n";
  }
}

}  // namespace

void PrintText(const Report& report, std::ostream& out) {
  if (report.measured) {
    out << "Measured load at " << rf::FormatEngineering(report.measured->hertz, "Hz") << ": "
        << LoadText(report.measured->load) << " (" << report.measured->file << ")\n";
  }
  const auto& rows = report.result.rows;
  const auto engine_row =
      std::find_if(rows.begin(), rows.end(), [](const rf::Row& t) { return t.engine.has_value(); });
  if (engine_row != rows.end()) {
    const ComputeRecord& first = *engine_row->engine;
    if (first.Caption(ResultLabel::kNormReal)) {
      out << "Normalized load: r " << CaptionOr(first, ResultLabel::kNormReal) << ", x "
          << CaptionOr(first, ResultLabel::kNormImag) << "\n";
    }
    if (first.run.region) {
      out << "Region " << *first.run.region << ": " << rf::RegionWords(*first.run.region) << "\n";
    }
  } else if (report.Request() != nullptr && report.Request()->source) {
    out << "Source: " << LoadText(*report.Request()->source) << ", matched conjugately\n";
  }
  for (const rf::Row& t : rows) {
    if (t.engine) {
      PrintRun(t, report, out);
    } else if (t.origin != rf::Origin::kOverBand) {
      PrintNetworkRow(t, report, 0, out);
    }
  }
  if (report.result.band && report.result.band->searched) PrintBandText(report, out);
}

std::string SweepCsv(const Report& report) {
  std::ostringstream csv;
  csv << "frequency_hz";
  const bool bare = !report.result.bare_return_loss_db.empty();
  if (bare) csv << ",load_return_loss_db";
  for (const rf::Row& t : report.result.rows) {
    if (!t.design || !t.design->response) continue;
    const std::string n =
        t.kind.topology == rf::Topology::kL && t.origin == rf::Origin::kAtFrequency
            ? "type" + std::to_string(t.kind.type) + (t.solution > 0 ? "_2" : "")
            : rf::RowKey(t);
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
    for (const rf::Row& t : report.result.rows) {
      if (!t.design || !t.design->response) continue;
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

std::string EachCell(const rf::Row& t) {
  const ComputeRun& run = t.engine->run;
  switch (t.verdict) {
    case rf::Verdict::kDesigned:
      break;
    case rf::Verdict::kAlreadyMatched:
      return "already matched";
    case rf::Verdict::kNotComputable:
      return "not computable";
    case rf::Verdict::kRefused:
      return "refused";
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

void PrintEachTextHeading(const std::vector<std::int16_t>& types, std::ostream& out) {
  std::vector<std::string> cells = {"frequency", "load"};
  std::transform(types.begin(), types.end(), std::back_inserter(cells), [](std::int16_t t) {
    return "type " + std::to_string(t) + " (" + Caption(*FindSectionType(t)) + ")";
  });
  PrintRow(cells, out);
}

void PrintEachTextRow(const EachPoint& point, std::ostream& out) {
  std::vector<std::string> cells = {rf::FormatEngineering(point.hertz, "Hz"), LoadText(point.load)};
  if (point.refused) cells.push_back("no design: " + *point.refused);
  std::transform(point.rows.begin(), point.rows.end(), std::back_inserter(cells), EachCell);
  PrintRow(cells, out);
}

}  // namespace vorda::cli
