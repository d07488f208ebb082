// vorda-match's text output and its CSV table.
#include <algorithm>
#include <cmath>
#include <iterator>
#include <sstream>

#include "cli/Report.h"
#include "engine/SectionTypes.h"
#include "rf/Units.h"

namespace vorda::cli {

namespace {

std::string CaptionOr(const rf::RecordedView& view, ResultLabel label) {
  return view.Caption(label).value_or("(not computed)");
}

// Four significant digits, plain.
std::string Digits(double v) {
  return rf::DigitsText(v, 4);
}

// "40 + j30 ohms", four significant digits.
std::string LoadText(const rf::Impedance& z) {
  return Digits(z.real()) + (std::signbit(z.imag()) ? " - j" : " + j") +
         Digits(std::fabs(z.imag())) + " ohms";
}

std::string MatchText(const rf::Match& m) {
  std::string s = "Zin " + LoadText(m.zin) + ", return loss ";
  s += m.return_loss_db ? Digits(*m.return_loss_db) + " dB" : "perfect";
  s += ", VSWR " + (m.vswr ? Digits(*m.vswr) : std::string("infinite"));
  return s;
}

std::string QText(const std::optional<double>& q) {
  return q ? Digits(*q) : std::string("ideal");
}

void PrintDesign(const rf::TypeDesign& d, const Options& opt, std::ostream& out) {
  if (d.standard) {
    out << "  standard " << rf::SeriesName(*opt.series) << ": first "
        << rf::Describe(d.standard->first) << ", second " << rf::Describe(d.standard->second)
        << "\n    " << MatchText(*d.standard_match) << "\n";
  }
  if (d.loss) {
    out << "  with losses (Q of inductors " << QText(opt.q_inductor) << ", of capacitors "
        << QText(opt.q_capacitor) << "):\n    " << MatchText(d.loss->match) << ", efficiency "
        << Digits(100.0 * d.loss->efficiency) << " %, dissipation loss "
        << Digits(d.loss->dissipation_db) << " dB\n";
  }
  if (d.band) {
    // An edge not found lies beyond the search, f / 100 ... 100 f.
    const double f = *opt.hertz;
    const auto edge = [](const std::optional<double>& hz, const char* beyond, double limit) {
      return hz ? rf::FormatEngineering(*hz, "Hz") : beyond + rf::FormatEngineering(limit, "Hz");
    };
    out << "  VSWR <= 2 band: ";
    if (!d.band->holds) {
      out << "none (the VSWR at the design frequency is above 2)\n";
    } else {
      out << edge(d.band->low, "below ", f / 100) << " to " << edge(d.band->high, "above ", f * 100)
          << ", loaded Q "
          << (d.band->loaded_q ? Digits(*d.band->loaded_q) : std::string("(unknown)")) << "\n";
    }
  }
}

void PrintRun(const TypeRun& t, const Options& opt, std::ostream& out) {
  const rf::EngineRun& e = t.engine;
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
  auto row = [&](const char* role, const char* name, ResultLabel norm_label, ResultLabel ohms_label,
                 const std::optional<double>& reactance) {
    if (!e.view.Caption(norm_label) && !e.view.Caption(ohms_label)) return;
    out << "  " << role << " " << name << ": " << CaptionOr(e.view, norm_label) << " normalized, "
        << CaptionOr(e.view, ohms_label) << " ohms";
    if (opt.hertz && reactance && e.run.outcome == Outcome::kComputed) {
      out << ", " << rf::Describe(rf::PartFor(*reactance * e.run.z0, *opt.hertz));
    }
    out << "\n";
  };
  row("first ", type.first_component, ResultLabel::kFirstComponent, ResultLabel::kFirstOhms,
      e.run.first);
  row("second", type.second_component, ResultLabel::kSecondComponent, ResultLabel::kSecondOhms,
      e.run.second);
  if (t.design) PrintDesign(*t.design, opt, out);
}

}  // namespace

void PrintText(const Report& report, std::ostream& out) {
  if (report.measured) {
    out << "Measured load at " << rf::FormatEngineering(report.measured->hertz, "Hz") << ": "
        << LoadText(report.measured->load) << " (" << report.measured->file << ")\n";
  }
  const rf::EngineRun& first = report.runs.front().engine;
  if (first.view.Caption(ResultLabel::kNormReal)) {
    out << "Normalized load: r " << CaptionOr(first.view, ResultLabel::kNormReal) << ", x "
        << CaptionOr(first.view, ResultLabel::kNormImag) << "\n";
  }
  if (first.run.region) {
    out << "Region " << *first.run.region << ": " << rf::RegionWords(*first.run.region) << "\n";
  }
  for (const TypeRun& t : report.runs) PrintRun(t, report.options, out);
}

std::string SweepCsv(const Report& report) {
  std::ostringstream csv;
  csv << "frequency_hz";
  const bool bare = !report.bare_return_loss_db.empty();
  if (bare) csv << ",load_return_loss_db";
  for (const TypeRun& t : report.runs) {
    if (!t.design) continue;
    const int n = t.engine.type_index;
    csv << ",type" << n << "_return_loss_db,type" << n << "_vswr";
  }
  csv << "\n";
  const auto cell = [&csv](const std::optional<double>& v) {
    csv << ',';
    if (v) csv << rf::ShortestText(*v);  // empty: a perfect match, or no finite VSWR
  };
  for (std::size_t i = 0; i < report.sweep.size(); ++i) {
    csv << rf::ShortestText(report.sweep[i]);
    if (bare) cell(report.bare_return_loss_db[i]);
    for (const TypeRun& t : report.runs) {
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

std::string EachCell(const TypeRun& t) {
  const ComputeRun& run = t.engine.run;
  switch (run.outcome) {
    case Outcome::kComputed:
      break;
    case Outcome::kRefused:
      return "refused (region " + std::to_string(run.region.value_or(0)) + ")";
    case Outcome::kOutOfRange:
      return "type out of range";
    case Outcome::kFault:
      return "arithmetic fault (code " + std::to_string(run.fault->code()) + ")";
  }
  const rf::Section& s = t.design->Chosen();
  return rf::Describe(s.first) + ", " + rf::Describe(s.second);
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
  std::transform(point.runs.begin(), point.runs.end(), std::back_inserter(cells), EachCell);
  PrintRow(cells, out);
}

}  // namespace vorda::cli
