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
#include "rf/files/EfficiencyFile.h"
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

MeasuredInput ReadMeasured(const Command& c) {
  MeasurementFile file(c.s1p);
  const double f = c.request.hertz;
  MeasuredInput in;
  in.measurement = ReadForDesign(file, c);
  const rf::Measurement& m = *in.measurement;
  // A band first: the design frequency may be its centre, never typed.
  const auto& bands = c.request.bands;
  const auto outside = std::find_if(bands.begin(), bands.end(), [&](const rf::PassBand& b) {
    return !m.Covers(b.axis.start) || !m.Covers(b.axis.stop);
  });
  if (outside != bands.end()) {
    throw Refusal{file.Name() + ": the band " +
                  rf::RangeText(outside->axis.start, outside->axis.stop) +
                  " reaches outside the file's " + rf::RangeText(m.First(), m.Last())};
  }
  if (!m.Covers(f)) {
    throw Refusal{file.Name() + ": " + rf::FormatEngineering(f, "Hz") +
                  (c.hertz_given ? "" : " (the band's centre, the design frequency)") +
                  " lies outside the file's " + rf::RangeText(m.First(), m.Last())};
  }
  in.at = MeasuredAt{file.Name(), f, m.At(f)};
  return in;
}

// The network the netlist and the two-port file are of: the --topology's
// (among the band's designs with a band), the band's best, or the single
// type's; nothing, with why, when it was not designed.
struct Chosen {
  std::string what;
  std::optional<rf::Network> built;
};
Chosen ChooseNetwork(const Report& report) {
  auto kind = report.outputs.topology;
  if (!kind && report.Request()->given) kind = rf::NetworkKind{rf::Topology::kGiven, 0};
  const std::string name = kind ? rf::KindName(*kind) : std::string();
  // With a band the networks over it, but for a given one and a design with
  // lines at the frequency.
  const bool at_frequency = kind && (kind->topology == rf::Topology::kGiven ||
                                     kind->topology >= rf::Topology::kSingleStubOpen);
  const bool band = report.result.band && !at_frequency;
  const auto& rows = report.result.rows;
  const auto row = std::find_if(rows.begin(), rows.end(), [&](const rf::Row& t) {
    if ((t.origin == rf::Origin::kOverBand) != band) return false;
    return !kind || rf::KindMatches(t.kind, *kind);
  });
  if (row == rows.end() && band && kind) {
    // A network of the family whose optimum is a smaller one: that one.
    for (const auto& member : report.result.band->family) {
      const std::string& to = member.second;
      if (to.empty() || !rf::KindMatches(rf::KindOfLadder(*rf::LadderOfCode(member.first)), *kind))
        continue;
      const auto smaller = std::find_if(rows.begin(), rows.end(), [&](const rf::Row& t) {
        return t.origin == rf::Origin::kOverBand && t.design &&
               rf::LadderCode(t.design->ideal) == to;
      });
      if (smaller == rows.end()) continue;
      return {rf::NetworkWhat(*smaller) + ", which " + name +
                  " comes to (its other parts do nothing there)",
              smaller->design->built};
    }
  }
  if (row == rows.end()) {
    return {band ? (kind ? name + ": no design over the band" : "no design over the band")
                 : name + ": not among the networks designed",
            {}};
  }
  const std::string what = rf::NetworkWhat(*row);
  if (!row->design) return {what + " was not designed (" + rf::StatusText(*row) + ")", {}};
  return {what, row->design->built};
}

// The frequencies of the netlist's analysis and of the two-port file.
rf::FrequencyAxis FileSweep(const rf::DesignRequest& r) {
  const double f = r.hertz;
  if (r.sweep.kind == rf::SweepPlan::Kind::kRange) return r.sweep.axis;
  if (const rf::FrequencyAxis* band = r.Band(); band && band->stop > band->start) {
    // Every band, and those to reject.
    double low = r.Band()->start, high = r.Band()->stop;
    for (const rf::PassBand& b : r.bands) {
      low = std::min(low, b.axis.start);
      high = std::max(high, b.axis.stop);
    }
    for (const rf::RejectBand& b : r.rejects) {
      low = std::min(low, b.axis.start);
      high = std::max(high, b.axis.stop);
    }
    if (r.bands.size() == 1 && r.rejects.empty()) return *band;
    return rf::FrequencyAxis::Linear(low, high, band->points);
  }
  return rf::FrequencyAxis::Linear(f / 2, 1.5 * f);
}

// The files asked for; each that could not be written is told on err, and
// the result says whether all were.
bool WriteFiles(const Report& report, std::ostream& err) {
  const Outputs& opt = report.outputs;
  const rf::DesignRequest& request = *report.Request();
  bool all = true;
  const auto write = [&](const std::string& path, const std::string& contents) {
    try {
      platform::WriteWholeFile(path, contents);
    } catch (const platform::WriteError& e) {
      err << "vorda-match: " << e.what() << "\n";
      all = false;
    }
  };
  if (!opt.csv.empty()) write(opt.csv, SweepCsv(report));
  if (!opt.table_csv.empty()) write(opt.table_csv, rf::DesignTableCsv(request, report.result));
  if (opt.spice.empty() && opt.s2p.empty()) return all;
  const Chosen chosen = ChooseNetwork(report);
  const char* files = !opt.spice.empty() && !opt.s2p.empty() ? "no netlist or two-port"
                      : !opt.spice.empty()                   ? "no netlist"
                                                             : "no two-port";
  if (!chosen.built) {
    err << "vorda-match: " << files << " written: " << chosen.what << "\n";
    return false;
  }
  const rf::FrequencyAxis sweep = FileSweep(request);
  if (!opt.spice.empty()) {
    write(opt.spice, rf::SpiceNetlist(rf::CircuitFor(chosen.what, *chosen.built, request,
                                                     report.result.load, sweep)));
  }
  if (!opt.s2p.empty()) {
    const auto text =
        rf::WriteTouchstone2Port(*chosen.built, sweep.Frequencies(),
                                 rf::TwoPortFormatOf(request, report.result, chosen.what,
                                                     opt.s2p_load_reference, opt.s2p_version2));
    if (text) {
      write(opt.s2p, *text);
    } else {
      err << "vorda-match: no two-port written: the network passes no power\n";
      all = false;
    }
  }
  return all;
}

void Print(const Report& report, std::ostream& out) {
  if (report.outputs.json) {
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
  const rf::DesignRequest* r = report.Request();
  const std::vector<rf::Shortfall> missed = rf::ShortfallsOf(report.result);
  for (const rf::Shortfall& m : missed) {
    using W = rf::Shortfall::What;
    switch (m.what) {
      case W::kTypes:
        if (r != nullptr) err << "vorda-match: no type was designed\n";
        break;
      case W::kType:
        // A type refused by the engine has said why in its message box.
        if (r != nullptr && (!m.row->engine || m.row->engine->run.outcome == Outcome::kComputed)) {
          err << "vorda-match: type " << r->types.front()
              << " was not designed: " << rf::StatusText(*m.row) << "\n";
        }
        break;
      case W::kNetworks:
        err << "vorda-match: no Pi, T or two-L network was designed for a loaded Q of "
            << rf::DigitsText(*r->loaded_q, 4) << "\n";
        break;
      case W::kLineDesigns:
        err << "vorda-match: no design with lines was designed\n";
        break;
      case W::kGiven:
        err << "vorda-match: the given network was not designed"
            << (m.row != nullptr ? ": " + rf::StatusText(*m.row) : std::string()) << "\n";
        break;
      case W::kBand:
        err << "vorda-match: no network was designed over the band\n";
        break;
      case W::kStandard:
        err << "vorda-match: " << rf::RowName(*m.row)
            << " has no standard values: " << rf::WhyText(m.row->design->no_standard) << "\n";
        break;
    }
  }
  return missed.empty();
}

// Without a frequency: the window's Compute for each type, from its texts.
int RunEngineOnly(const Command& c, std::ostream& out, std::ostream& err) {
  Report report{c.outputs, {}, {}};
  const auto& types = c.request.types;
  for (const std::int16_t t : types) {
    rf::Row& r = report.result.rows.emplace_back();
    r.kind = {rf::Topology::kL, t};
    r.engine = ComputeTexts(c.z0, c.real, c.imag, t);
    ReportBoxes(*r.engine, types.size() > 1 && !c.outputs.json, err);
  }
  Print(report, out);
  return Produced(report, err) ? kExitComputed : kExitNotComputed;
}

// At a frequency: the design of each type, from the numbers the texts
// convert to (or the measured load), refused as a whole when an input lies
// beyond what the design takes; and over the band, with one.
int RunDesignOnce(Command c, std::ostream& out, std::ostream& err) {
  rf::DesignRequest& request = c.request;
  request.z0 = ReadText("Z0", c.z0, err);
  std::optional<MeasuredInput> measured;
  if (c.s1p.empty()) {
    const double r = ReadText("R", c.real, err);
    request.load = {r, ReadText("X", c.imag, err)};
  } else {
    measured = ReadMeasured(c);
    request.load = measured->at.load;
    request.measurement = measured->measurement;
    request.measurement_name = measured->at.file;
    request.deembed = c.deembed;
  }
  // The load's other states, each moved as the first; the antenna's
  // radiation efficiency.
  for (const std::string& path : c.states) {
    if (path == "-" && c.s1p == "-") throw Refusal{"standard input can hold one state only"};
    MeasurementFile file(path);
    request.states.push_back({ReadForDesign(file, c), file.Name()});
  }
  if (!c.radiation.empty()) {
    rf::ReadEfficiencyResult read = rf::ReadEfficiencyFile(c.radiation);
    if (!read.curve) throw Refusal{read.error, false};
    request.radiation = std::make_shared<const rf::EfficiencyCurve>(std::move(*read.curve));
    request.radiation_name = c.radiation;
  }
  return RunRequest(c, request, measured ? std::optional(measured->at) : std::nullopt, out, err);
}

}  // namespace

int RunRequest(const Command& c, const rf::DesignRequest& request,
               const std::optional<MeasuredAt>& measured, std::ostream& out, std::ostream& err) {
  if (const auto error = rf::CheckRequest(request)) throw Refusal{error->message};
  Report report{c.outputs, rf::RunDesign(request), {}};
  rf::DesignResult& result = report.result;
  if (request.Band() != nullptr) {
    // A search of more than a moment tells how far it is.
    Progress progress(rf::Ladders(2, request.max_parts, request.elements).size(), "networks", err,
                      std::chrono::seconds(2));
    const auto tell = [&](std::size_t done, std::size_t) { progress.Done(done); };
    rf::AddBandRows(rf::RunBand(*result.plan, nullptr, tell), result);
  }
  report.measured = measured;
  const bool several = request.types.size() > 1 && !c.outputs.json;
  for (const rf::Row& t : result.rows) {
    if (t.engine) ReportBoxes(*t.engine, several, err);
  }
  for (const std::string& w : result.warnings) err << "vorda-match: warning: " << w << "\n";
  const bool written = WriteFiles(report, err);
  Print(report, out);
  const bool produced = Produced(report, err);
  return written && produced ? kExitComputed : kExitNotComputed;
}

void ReportBoxes(const ComputeRecord& e, bool name_type, std::ostream& err) {
  const std::string type = name_type ? "type " + std::to_string(e.type_index) + ": " : "";
  for (const RecordedBox& box : e.boxes) err << type << box.title << ": " << box.prompt << "\n";
  if (e.run.fault) err << type << kAppTitle << ": " << FaultPrompt(*e.run.fault) << "\n";
}

double ReferenceOf(const Command& c, std::ostream& err) {
  const double z0 = ReadText("Z0", c.z0, err);
  if (auto why = rf::CheckReference(z0)) throw Refusal{*why};
  return z0;
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Parsed parsed = ParseOptions(args, out, err);
  if (!parsed.command) return parsed.exit_status;
  try {
    Command& c = *parsed.command;
    if (!c.project.empty()) return RunProject(c, out, err);
    if (!c.parts_dir.empty()) c.request.parts.library = rf::ReadPartLibrary(c.parts_dir);
    switch (c.mode) {
      case Command::Mode::kEach:
        return RunEach(c, out, err);
      case Command::Mode::kDesign:
        return RunDesignOnce(std::move(c), out, err);
      case Command::Mode::kEngine:
        break;
    }
    return RunEngineOnly(c, out, err);
  } catch (const Refusal& r) {
    err << (r.prefixed ? "vorda-match: " : "") << r.message << "\n";
  } catch (const std::runtime_error& e) {  // a file that cannot be opened
    err << "vorda-match: " << e.what() << "\n";
  }
  return kExitUsage;
}

}  // namespace vorda::cli
