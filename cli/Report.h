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

struct Report {
  const Options& options;
  std::vector<TypeRun> runs;
  std::vector<double> sweep;  // the sweep's frequencies, if any
};

void PrintJson(const Report& report, std::ostream& out);
void PrintText(const Report& report, std::ostream& out);
// Frequency, then return loss and VSWR of each computed type.
std::string SweepCsv(const Report& report);

}  // namespace vorda::cli
