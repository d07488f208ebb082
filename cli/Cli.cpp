#include "cli/Cli.h"

#include <algorithm>
#include <cmath>

#include "cli/MeasurementFile.h"
#include "cli/Options.h"
#include "cli/Report.h"
#include "cli/Runs.h"
#include "rf/FileOutput.h"
#include "rf/Measurement.h"
#include "rf/Spice.h"
#include "rf/Sweep.h"
#include "rf/Units.h"

namespace vorda::cli {

namespace {

// The load of a single design: typed, or from a file at the frequency.
struct LoadInput {
  std::string real, imag;                   // the texts the engine reads
  std::optional<rf::Measurement> measured;  // in memory, for a sweep
  std::optional<MeasuredAt> at;
};

LoadInput MeasuredLoadInput(const Options& opt) {
  MeasurementFile file(opt.s1p_path);
  const double f = *opt.hertz;
  LoadInput in;
  double first = 0.0, last = 0.0;
  std::optional<rf::Impedance> load;
  try {
    if (opt.sweep) {  // the sweep and the band need the whole measurement
      in.measured = rf::ReadMeasurement(file.Source());
      first = in.measured->First();
      last = in.measured->Last();
      if (in.measured->Covers(f)) load = in.measured->At(f);
    } else {
      const rf::LoadAtFrequency at = rf::ReadLoadAt(file.Source(), f);
      first = at.first;
      last = at.last;
      load = at.load;
    }
  } catch (const rf::TouchstoneError& e) {
    throw Refusal{file.Describe(e), false};
  }
  if (!load) {
    throw Refusal{file.Name() + ": " + rf::FormatEngineering(f, "Hz") +
                  " lies outside the file's " + rf::FormatEngineering(first, "Hz") + " to " +
                  rf::FormatEngineering(last, "Hz")};
  }
  in.real = rf::ExactText(load->real());
  in.imag = rf::ExactText(load->imag());
  in.at = MeasuredAt{file.Name(), f, *load};
  return in;
}

std::vector<double> SweepFrequencies(const Options& opt, const LoadInput& in) {
  if (!opt.sweep) return {};
  if (opt.sweep->file_frequencies) return in.measured->Frequencies();
  if (in.measured &&
      !(in.measured->Covers(opt.sweep->start) && in.measured->Covers(opt.sweep->stop))) {
    throw Refusal{"--sweep " + rf::FormatEngineering(opt.sweep->start, "Hz") + " to " +
                  rf::FormatEngineering(opt.sweep->stop, "Hz") +
                  " reaches outside the measured range " +
                  rf::FormatEngineering(in.measured->First(), "Hz") + " to " +
                  rf::FormatEngineering(in.measured->Last(), "Hz")};
  }
  return rf::LinearFrequencies(opt.sweep->start, opt.sweep->stop, opt.sweep->points);
}

// Computes each type from the same texts, each from blank labels; every box
// a run shows goes to err as "title: prompt", in order. With a frequency,
// each computed type is also designed in parts.
Report Compute(const Options& opt, const LoadInput& in, std::ostream& err) {
  Report report{opt, {}, SweepFrequencies(opt, in), in.at, {}};
  report.runs.reserve(opt.types.size());
  for (const std::int16_t t : opt.types) {
    TypeRun& tr = report.runs.emplace_back(TypeRun{rf::RunEngine(opt.z0, in.real, in.imag, t), {}});
    ReportBoxes(tr.engine, err);
    if (!opt.hertz || tr.engine.run.outcome != Outcome::kComputed) continue;
    const ComputeRun& run = tr.engine.run;
    rf::DesignOptions d = DesignOptionsOf(opt, *opt.hertz);
    d.bandwidth = opt.sweep.has_value();
    d.sweep = report.sweep;
    const rf::SeriesLoad typed(run.load_r, run.load_x, *opt.hertz);
    std::optional<rf::MeasuredLoad> measured;
    if (in.measured) {
      measured.emplace(*in.measured);
      d.band_low_limit = in.measured->First();
      d.band_high_limit = in.measured->Last();
    }
    const rf::LoadModel& load = measured ? static_cast<const rf::LoadModel&>(*measured) : typed;
    tr.design = rf::DesignComputed(t, run, load, d);
  }
  if (in.measured) {
    report.bare_return_loss_db = rf::BareReturnLoss(
        rf::MeasuredLoad(*in.measured), report.runs.front().engine.run.z0, report.sweep);
  }
  return report;
}

rf::SpiceCircuit Circuit(const Options& opt, const TypeRun& t,
                         const std::optional<MeasuredAt>& at) {
  const double f = *opt.hertz;
  const bool range = opt.sweep && !opt.sweep->file_frequencies;
  rf::SpiceCircuit c =
      rf::CircuitFor(t.engine, *t.design, f, range ? opt.sweep->start : f / 2,
                     range ? opt.sweep->stop : 1.5 * f, range ? opt.sweep->points : 201);
  if (at) c.notes.push_back(rf::MeasuredLoadNote(at->file));
  c.notes.push_back(rf::ValuesNote(opt.series));
  return c;
}

// The files asked for. Throws Refusal when one cannot be written.
void WriteFiles(const Report& report, std::ostream& err) {
  const Options& opt = report.options;
  try {
    if (!opt.csv_path.empty()) rf::WriteWholeFile(opt.csv_path, SweepCsv(report));
    if (!opt.spice_path.empty()) {
      const TypeRun& t = report.runs.front();
      if (!t.design) {
        err << "vorda-match: no netlist written: type " << t.engine.type_index
            << " was not computed\n";
      } else {
        rf::WriteWholeFile(opt.spice_path, rf::SpiceNetlist(Circuit(opt, t, report.measured)));
      }
    }
  } catch (const rf::WriteError& e) {
    throw Refusal{e.what()};
  }
}

int RunSingle(const Options& opt, std::ostream& out, std::ostream& err) {
  const LoadInput in =
      opt.s1p_path.empty() ? LoadInput{opt.real, opt.imag, {}, {}} : MeasuredLoadInput(opt);
  const Report report = Compute(opt, in, err);
  WriteFiles(report, err);
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

}  // namespace

void ReportBoxes(const rf::EngineRun& e, std::ostream& err) {
  for (const rf::RecordedBox& box : e.view.Boxes()) err << box.title << ": " << box.prompt << "\n";
  if (e.run.fault) err << kAppTitle << ": " << FaultPrompt(*e.run.fault) << "\n";
}

rf::DesignOptions DesignOptionsOf(const Options& opt, double hertz) {
  return rf::PartOptions(hertz, opt.series, opt.q_inductor, opt.q_capacitor);
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const Parsed parsed = ParseOptions(args, out, err);
  if (!parsed.options) return parsed.exit_status;
  const Options& opt = *parsed.options;
  try {
    if (opt.each) return RunEach(opt, out, err);
    return RunSingle(opt, out, err);
  } catch (const Refusal& r) {
    err << (r.prefixed ? "vorda-match: " : "") << r.message << "\n";
  } catch (const std::runtime_error& e) {  // a file that cannot be opened
    err << "vorda-match: " << e.what() << "\n";
  }
  return kExitUsage;
}

}  // namespace vorda::cli
