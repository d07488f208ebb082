#include "cli/Cli.h"

#include <algorithm>
#include <cmath>

#include "cli/Options.h"
#include "cli/Report.h"
#include "rf/FileOutput.h"
#include "rf/Spice.h"
#include "rf/Sweep.h"
#include "rf/Units.h"

namespace vorda::cli {

namespace {

rf::DesignOptions DesignOptionsOf(const Options& opt, const std::vector<double>& sweep) {
  rf::DesignOptions d;
  d.hertz = *opt.hertz;
  d.series = opt.series;
  d.q_inductor = opt.q_inductor.value_or(rf::kIdealQ);
  d.q_capacitor = opt.q_capacitor.value_or(rf::kIdealQ);
  d.losses = opt.q_inductor || opt.q_capacitor;
  d.bandwidth = opt.sweep.has_value();
  d.sweep = sweep;
  return d;
}

// Computes each type from the same texts, each from blank labels; every box
// a run shows goes to err as "title: prompt", in order. With a frequency,
// each computed type is also designed in parts.
Report Compute(const Options& opt, std::ostream& err) {
  Report report{opt, {}, {}};
  if (opt.sweep)
    report.sweep = rf::LinearFrequencies(opt.sweep->start, opt.sweep->stop, opt.sweep->points);
  report.runs.reserve(opt.types.size());
  for (std::int16_t t : opt.types) {
    TypeRun& tr =
        report.runs.emplace_back(TypeRun{rf::RunEngine(opt.z0, opt.real, opt.imag, t), {}});
    const rf::EngineRun& e = tr.engine;
    for (const rf::RecordedBox& box : e.view.Boxes())
      err << box.title << ": " << box.prompt << "\n";
    if (e.run.fault) err << kAppTitle << ": " << FaultPrompt(*e.run.fault) << "\n";
    if (opt.hertz && e.run.outcome == Outcome::kComputed) {
      const rf::SeriesLoad load(e.run.load_r, e.run.load_x, *opt.hertz);
      tr.design =
          rf::DesignType(*FindSectionType(t), *e.run.first * e.run.z0, *e.run.second * e.run.z0,
                         load, e.run.z0, DesignOptionsOf(opt, report.sweep));
    }
  }
  return report;
}

rf::SpiceCircuit Circuit(const Options& opt, const TypeRun& t) {
  const ComputeRun& run = t.engine.run;
  const double f = *opt.hertz;
  const SectionType& type = *FindSectionType(t.engine.type_index);
  rf::SpiceCircuit c{"VordaForWin L-section, type " + std::to_string(t.engine.type_index) + " (" +
                         Caption(type) + ")",
                     {},
                     run.z0,
                     t.design->evaluated,
                     rf::SeriesLoad(run.load_r, run.load_x, f),
                     f,
                     opt.sweep ? opt.sweep->start : f / 2,
                     opt.sweep ? opt.sweep->stop : 1.5 * f,
                     opt.sweep ? opt.sweep->points : 201};
  c.notes.push_back("Z0 " + rf::ShortestText(run.z0) + " ohms; load " +
                    rf::ShortestText(run.load_r) + " + j" + rf::ShortestText(run.load_x) +
                    " ohms at " + rf::FormatEngineering(f, "Hz") + ", as R in series with L or C");
  c.notes.push_back(opt.series ? std::string("standard values, ") + rf::SeriesName(*opt.series)
                               : std::string("ideal values"));
  return c;
}

// The files asked for; false (with the reason on err) when one cannot be
// written.
bool WriteFiles(const Report& report, std::ostream& err) {
  const Options& opt = report.options;
  try {
    if (!opt.csv_path.empty()) rf::WriteWholeFile(opt.csv_path, SweepCsv(report));
    if (!opt.spice_path.empty()) {
      const TypeRun& t = report.runs.front();
      if (!t.design) {
        err << "vorda-match: no netlist written: type " << t.engine.type_index
            << " was not computed\n";
      } else {
        rf::WriteWholeFile(opt.spice_path, rf::SpiceNetlist(Circuit(opt, t)));
      }
    }
  } catch (const rf::WriteError& e) {
    err << "vorda-match: " << e.what() << "\n";
    return false;
  }
  return true;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const Parsed parsed = ParseOptions(args, out, err);
  if (!parsed.options) return parsed.exit_status;
  const Options& opt = *parsed.options;
  const Report report = Compute(opt, err);
  if (!WriteFiles(report, err)) return kExitUsage;
  if (opt.json) {
    PrintJson(report, out);
  } else {
    PrintText(report, out);
  }
  const bool any_computed =
      std::any_of(report.runs.begin(), report.runs.end(),
                  [](const TypeRun& t) { return t.engine.run.outcome == Outcome::kComputed; });
  return any_computed ? kExitComputed : kExitNotComputed;
}

}  // namespace vorda::cli
