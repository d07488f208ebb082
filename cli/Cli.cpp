#include "cli/Cli.h"

#include <algorithm>
#include <cmath>

#include "cli/MeasurementFile.h"
#include "cli/Options.h"
#include "cli/Progress.h"
#include "cli/Report.h"
#include "cli/Runs.h"
#include "engine/NumberText.h"
#include "platform/WholeFile.h"
#include "rf/circuit/FrequencyAxis.h"
#include "rf/circuit/Limits.h"
#include "rf/circuit/Units.h"
#include "rf/files/MeasurementReader.h"
#include "rf/files/PartLibraryFile.h"
#include "rf/files/TwoPortFile.h"
#include "rf/request/DesignTable.h"
#include "rf/request/Netlists.h"

namespace vorda::cli {

namespace {

// Whether what the conversion left of a text is more than blanks and a unit
// of ohms ("50 ohm", "50 Ohms", "50 Ω").
bool IgnoredMore(std::string_view text, std::size_t used) {
  std::string rest;
  for (const char c : text.substr(used)) {
    if (c != ' ' && c != '\t' && c != '\n') rest += c;
  }
  std::string lower = rest;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return !(rest.empty() || lower == "ohm" || lower == "ohms" || rest == "\u03a9");
}

// A value of the load or of --z0 read as the window reads its input boxes,
// for a design: a number the conversion cannot hold is refused, and a text
// the conversion read only in part is told on err.
double ReadText(const char* name, const std::string& text, std::ostream& err) {
  std::size_t used = 0;
  double value = 0.0;
  try {
    value = Val(text, used);
  } catch (const ArithmeticFault&) {
    throw Refusal{std::string(name) + " \"" + text + "\" is beyond the largest number"};
  }
  if (IgnoredMore(text, used)) {
    err << "vorda-match: " << name << " \"" << text << "\" read as " << rf::ShortestText(value)
        << "\n";
  }
  return value;
}

// The load of a single design from a file, with the whole measurement: the
// sweep, the band and the harmonics need it at other frequencies.
struct MeasuredInput {
  std::shared_ptr<const rf::Measurement> measurement;
  MeasuredAt at;
};

MeasuredInput ReadMeasured(const Options& opt) {
  MeasurementFile file(opt.s1p_path);
  const double f = *opt.hertz;
  MeasuredInput in;
  try {
    in.measurement = std::make_shared<const rf::Measurement>(rf::ReadMeasurement(file.Source()));
  } catch (const rf::TouchstoneError& e) {
    throw Refusal{file.Describe(e), false};
  }
  const rf::Measurement& m = *in.measurement;
  if (!m.Covers(f)) {
    throw Refusal{file.Name() + ": " + rf::FormatEngineering(f, "Hz") +
                  " lies outside the file's " + rf::RangeText(m.First(), m.Last())};
  }
  in.at = MeasuredAt{file.Name(), f, m.At(f)};
  return in;
}

rf::SweepPlan SweepPlanOf(const Options& opt) {
  rf::SweepPlan plan;
  if (!opt.sweep) return plan;
  if (opt.sweep->file_frequencies) {
    plan.kind = rf::SweepPlan::Kind::kMeasured;
  } else {
    plan = {rf::SweepPlan::Kind::kRange, opt.sweep->axis, {}};
  }
  return plan;
}

bool Succeeded(const rf::Row& t, bool design) {
  if (!design) return t.engine->run.outcome == Outcome::kComputed;
  return t.verdict == rf::Verdict::kDesigned || t.verdict == rf::Verdict::kAlreadyMatched;
}

// The network the netlist and the two-port file are of: the --topology's
// (among the band's designs with a band), the band's best, or the single
// type's; nothing, with why, when it was not designed.
struct Chosen {
  std::string what;
  std::optional<rf::Network> built;
};
Chosen ChooseNetwork(const Report& report) {
  const Options& opt = report.options;
  auto kind = opt.topology ? rf::ParseKind(*opt.topology) : std::nullopt;
  if (!kind && opt.network) kind = rf::NetworkKind{rf::Topology::kGiven, 0};
  const std::string name = kind ? rf::KindName(*kind) : std::string();
  // With a band the networks over it, but for a given one.
  const bool band = report.result.band && !(kind && kind->topology == rf::Topology::kGiven);
  const auto& rows = report.result.rows;
  const auto row = std::find_if(rows.begin(), rows.end(), [&](const rf::Row& t) {
    if ((t.origin == rf::Origin::kOverBand) != band) return false;
    return !kind || rf::KindMatches(t.kind, *kind);
  });
  if (row == rows.end()) {
    return {band ? (kind ? name + ": no design over the band" : "no design over the band")
                 : name + ": not among the networks designed",
            {}};
  }
  const std::string what = rf::NetworkWhat(*row);
  if (!row->design) return {what + " was not designed (" + row->status + ")", {}};
  return {what, row->design->built};
}

// The frequencies of the netlist's analysis and of the two-port file.
rf::FrequencyAxis FileSweep(const Options& opt) {
  const double f = *opt.hertz;
  if (opt.sweep && !opt.sweep->file_frequencies) return opt.sweep->axis;
  if (opt.band && opt.band->stop > opt.band->start) return *opt.band;
  return rf::FrequencyAxis::Linear(f / 2, 1.5 * f);
}

// The files asked for; each that could not be written is told on err, and
// the result says whether all were.
bool WriteFiles(const Report& report, const rf::DesignRequest& request, std::ostream& err) {
  const Options& opt = report.options;
  bool all = true;
  const auto write = [&](const std::string& path, const std::string& contents) {
    try {
      platform::WriteWholeFile(path, contents);
    } catch (const platform::WriteError& e) {
      err << "vorda-match: " << e.what() << "\n";
      all = false;
    }
  };
  if (!opt.csv_path.empty()) write(opt.csv_path, SweepCsv(report));
  if (!opt.table_csv_path.empty()) {
    write(opt.table_csv_path, rf::DesignTableCsv(request, report.result));
  }
  if (opt.spice_path.empty() && opt.s2p_path.empty()) return all;
  const Chosen chosen = ChooseNetwork(report);
  const char* files = !opt.spice_path.empty() && !opt.s2p_path.empty() ? "no netlist or two-port"
                      : !opt.spice_path.empty()                        ? "no netlist"
                                                                       : "no two-port";
  if (!chosen.built) {
    err << "vorda-match: " << files << " written: " << chosen.what << "\n";
    return false;
  }
  const rf::FrequencyAxis sweep = FileSweep(opt);
  if (!opt.spice_path.empty()) {
    write(opt.spice_path, rf::SpiceNetlist(rf::CircuitFor(chosen.what, *chosen.built, request,
                                                          report.result.load, sweep)));
  }
  if (!opt.s2p_path.empty()) {
    const auto text =
        rf::WriteTouchstone2Port(*chosen.built, sweep.Frequencies(),
                                 rf::TwoPortFormatOf(request, report.result, chosen.what,
                                                     opt.s2p_load_reference, opt.s2p_version2));
    if (text) {
      write(opt.s2p_path, *text);
    } else {
      err << "vorda-match: no two-port written: the network passes no power\n";
      all = false;
    }
  }
  return all;
}

void Print(const Report& report, std::ostream& out) {
  if (report.options.json) {
    PrintJson(report, out);
  } else {
    PrintText(report, out);
  }
}

// Whether everything asked for was designed, each miss told on err: the
// types of --type (the default type only when nothing else is asked for),
// the networks of --loaded-q, the --network and the band search. A group of
// several (--type all, the networks) asks for at least one of them.
bool Produced(const Report& report, std::ostream& err) {
  const Options& opt = report.options;
  const auto& rows = report.result.rows;
  const bool design = report.request.has_value();
  const auto any = [&](auto in_group) {
    return std::any_of(rows.begin(), rows.end(),
                       [&](const rf::Row& t) { return in_group(t) && Succeeded(t, design); });
  };
  const auto is_l = [](const rf::Row& t) {
    return t.kind.topology == rf::Topology::kL && t.origin == rf::Origin::kAtFrequency;
  };
  bool all = true;
  const bool types_asked = !design || opt.types_given || !(opt.band || opt.loaded_q || opt.network);
  if (types_asked && !any(is_l)) {
    all = false;
    // A single type refused by the engine has said why in its message box.
    if (design && opt.types.size() > 1) err << "vorda-match: no type was designed\n";
    const rf::Row& first = rows.front();
    if (design && opt.types.size() == 1 &&
        (!first.engine || first.engine->run.outcome == Outcome::kComputed)) {
      err << "vorda-match: type " << opt.types.front() << " was not designed: " << first.status
          << "\n";
    }
  }
  const auto is_network = [](const rf::Row& t) {
    return t.origin == rf::Origin::kAtFrequency && t.kind.topology != rf::Topology::kL;
  };
  if (opt.loaded_q && !any(is_network)) {
    all = false;
    err << "vorda-match: no Pi, T or two-L network was designed for a loaded Q of "
        << rf::DigitsText(*opt.loaded_q, 4) << "\n";
  }
  const auto is_given = [](const rf::Row& t) { return t.origin == rf::Origin::kGiven; };
  if (opt.network && !any(is_given)) {
    all = false;
    const auto given = std::find_if(rows.begin(), rows.end(), is_given);
    err << "vorda-match: the given network was not designed"
        << (given != rows.end() ? ": " + given->status : std::string()) << "\n";
  }
  const auto is_band = [](const rf::Row& t) { return t.origin == rf::Origin::kOverBand; };
  if (opt.band && !any(is_band)) {
    all = false;
    err << "vorda-match: no network was designed over the band\n";
  }
  return all;
}

// Without --freq: the window's Compute for each type, from its texts.
int RunEngineOnly(const Options& opt, std::ostream& out, std::ostream& err) {
  Report report{opt, {}, {}, {}};
  for (const std::int16_t t : opt.types) {
    rf::Row& r = report.result.rows.emplace_back();
    r.kind = {rf::Topology::kL, t};
    r.engine = ComputeTexts(opt.z0, opt.real, opt.imag, t);
    ReportBoxes(*r.engine, opt.types.size() > 1 && !opt.json, err);
  }
  Print(report, out);
  return Produced(report, err) ? kExitComputed : kExitNotComputed;
}

// With --freq: the design of each type, from the numbers the texts convert
// to (or the measured load), refused as a whole when an input lies beyond
// what the design takes.
int RunDesignOnce(const Options& opt, std::ostream& out, std::ostream& err) {
  const double z0 = ReadText("Z0", opt.z0, err);
  std::optional<MeasuredInput> measured;
  rf::Impedance load;
  if (opt.s1p_path.empty()) {
    const double r = ReadText("R", opt.real, err);
    load = {r, ReadText("X", opt.imag, err)};
  } else {
    measured = ReadMeasured(opt);
    load = measured->at.load;
  }
  rf::DesignRequest request = RequestOf(opt, z0, *opt.hertz);
  request.load = load;
  if (measured) {
    request.measurement = measured->measurement;
    request.measurement_name = measured->at.file;
  }
  request.bandwidth = opt.sweep.has_value() || !opt.table_csv_path.empty();
  request.sweep = SweepPlanOf(opt);
  if (const auto error = rf::CheckRequest(request)) throw Refusal{error->message};
  Report report{opt, request, rf::RunDesign(request), {}};
  rf::DesignResult& result = report.result;
  if (opt.band) {
    // A search of more than a moment tells how far it is.
    Progress progress(rf::Ladders(2, opt.max_parts).size(), "networks", err,
                      std::chrono::seconds(2));
    const auto tell = [&](std::size_t done, std::size_t) { progress.Done(done); };
    rf::AddBandRows(request, rf::RunBand(request, nullptr, tell), result);
  }
  if (measured) report.measured = measured->at;
  for (const rf::Row& t : result.rows) {
    if (t.engine) ReportBoxes(*t.engine, opt.types.size() > 1 && !opt.json, err);
  }
  for (const std::string& w : result.warnings) err << "vorda-match: warning: " << w << "\n";
  const bool written = WriteFiles(report, request, err);
  Print(report, out);
  const bool produced = Produced(report, err);
  return written && produced ? kExitComputed : kExitNotComputed;
}

}  // namespace

void ReportBoxes(const ComputeRecord& e, bool name_type, std::ostream& err) {
  const std::string type = name_type ? "type " + std::to_string(e.type_index) + ": " : "";
  for (const RecordedBox& box : e.boxes) err << type << box.title << ": " << box.prompt << "\n";
  if (e.run.fault) err << type << kAppTitle << ": " << FaultPrompt(*e.run.fault) << "\n";
}

rf::DesignRequest RequestOf(const Options& opt, double z0, double hertz) {
  rf::DesignRequest r;
  r.z0 = z0;
  r.hertz = hertz;
  r.series = opt.series;
  r.q_inductor = opt.q_inductor;
  r.q_capacitor = opt.q_capacitor;
  r.types = opt.types;
  r.source = opt.source;
  r.loaded_q = opt.loaded_q;
  r.intermediate = opt.intermediate;
  r.networks = opt.loaded_q.has_value();
  r.band = opt.band;
  r.max_parts = opt.max_parts;
  r.model = opt.model;
  r.library = opt.library;
  r.yield = opt.yield;
  r.ranking = opt.ranking;
  r.given = opt.network;
  return r;
}

double ReferenceOf(const Options& opt, std::ostream& err) {
  const double z0 = ReadText("Z0", opt.z0, err);
  if (auto why = rf::CheckReference(z0)) throw Refusal{*why};
  return z0;
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const Parsed parsed = ParseOptions(args, out, err);
  if (!parsed.options) return parsed.exit_status;
  Options opt = *parsed.options;
  try {
    if (!opt.parts_dir.empty()) opt.library = rf::ReadPartLibrary(opt.parts_dir);
    if (opt.each) return RunEach(opt, out, err);
    if (opt.hertz) return RunDesignOnce(opt, out, err);
    return RunEngineOnly(opt, out, err);
  } catch (const Refusal& r) {
    err << (r.prefixed ? "vorda-match: " : "") << r.message << "\n";
  } catch (const std::runtime_error& e) {  // a file that cannot be opened
    err << "vorda-match: " << e.what() << "\n";
  }
  return kExitUsage;
}

}  // namespace vorda::cli
