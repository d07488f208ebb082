// What vorda-match's two ways of running share: a single design, and a
// design at every measured point (--each).
#pragma once

#include <ostream>
#include <string>

#include "cli/Options.h"
#include "rf/Design.h"
#include "rf/EngineRun.h"

namespace vorda::cli {

// A message for standard error that ends the program with status 2. A line
// of a file that breaks the format is told as "FILE:LINE: what", unprefixed.
struct Refusal {
  std::string message;
  bool prefixed = true;  // "vorda-match: " first
};

// Every box a run showed, as "title: prompt", then its fault notice.
void ReportBoxes(const rf::EngineRun& e, std::ostream& err);

// The parts, series and losses the options ask for, at a frequency.
rf::DesignOptions DesignOptionsOf(const Options& opt, double hertz);

// --each: the whole file is checked first; then each point is designed and
// printed as it is read, so that memory stays bounded for any file.
int RunEach(const Options& opt, std::ostream& out, std::ostream& err);

}  // namespace vorda::cli
