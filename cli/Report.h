// What vorda-match prints about its runs: text for people, JSON for scripts,
// and the sweep as a CSV table.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Options.h"
#include "rf/Design.h"
#include "rf/EngineRun.h"

namespace vorda::cli {

// One type computed from the command line's texts, and its parts at the
// frequency when one was given.
struct TypeRun {
  rf::EngineRun engine;
  std::optional<rf::TypeDesign> design;
};

// The load taken from a file at the design frequency.
struct MeasuredAt {
  std::string file;
  double hertz = 0.0;
  rf::Impedance load;
};

struct Report {
  const Options& options;
  std::vector<TypeRun> runs;
  std::vector<double> sweep;  // the sweep's frequencies, if any
  std::optional<MeasuredAt> measured;
  // With a file and a sweep: the return loss of the bare load at each
  // frequency of the sweep (empty for a perfect load).
  std::vector<std::optional<double>> bare_return_loss_db;
};

void PrintJson(const Report& report, std::ostream& out);
void PrintText(const Report& report, std::ostream& out);
// Frequency, then return loss and VSWR of each computed type.
std::string SweepCsv(const Report& report);

// --each: the designs at one measured point.
struct EachPoint {
  double hertz = 0.0;
  rf::Impedance load;
  std::vector<TypeRun> runs;
};
// The JSON document {"points": [...]} written point by point.
void PrintEachJsonStart(std::ostream& out);
void PrintEachJsonPoint(const EachPoint& point, bool first, std::ostream& out);
void PrintEachJsonEnd(std::ostream& out);
// The text table: a heading, then one row per point.
void PrintEachTextHeading(const Options& options, std::ostream& out);
void PrintEachTextRow(const EachPoint& point, std::ostream& out);

}  // namespace vorda::cli
