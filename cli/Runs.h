// What vorda-match's two ways of running share: a single design, and a
// design at every measured point (--each).
#pragma once

#include <ostream>
#include <string>

#include <optional>

#include "cli/Command.h"
#include "cli/Report.h"
#include "engine/ComputeRecord.h"
#include "rf/request/DesignRequest.h"

namespace vorda::cli {

// A message for standard error that ends the program with status 2. A line
// of a file that breaks the format is told as "FILE:LINE: what", unprefixed.
struct Refusal {
  std::string message;
  bool prefixed = true;  // "vorda-match: " first
};

// Every box a run showed, as "title: prompt", then its fault notice; each
// line begins "type N: " when asked (more than one type, in text).
void ReportBoxes(const ComputeRecord& e, bool name_type, std::ostream& err);

// --each: the whole file is checked first; then each point is designed and
// printed as it is read, so that memory stays bounded for any file.
int RunEach(const Command& command, std::ostream& out, std::ostream& err);

// A request made of the inputs: checked (refused as a whole when an input
// lies beyond what the design takes), designed at its frequency and over
// its band, printed, its files written; the exit status.
int RunRequest(const Command& command, const rf::DesignRequest& request,
               const std::optional<MeasuredAt>& measured, std::ostream& out, std::ostream& err);

// --project: the request the designer makes of the project's inputs, run
// as RunRequest runs it; throws Refusal for a project that cannot be read,
// whose files cannot be, or whose inputs a design refuses.
int RunProject(const Command& command, std::ostream& out, std::ostream& err);

// The normalizing resistance as the window's conversion reads --z0, for
// --each; throws Refusal for a value the design cannot take.
double ReferenceOf(const Command& command, std::ostream& err);

}  // namespace vorda::cli
