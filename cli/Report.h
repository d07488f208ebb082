// What vorda-match prints about its runs: text for people, JSON for scripts.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <vector>

#include "cli/CliView.h"
#include "engine/Compute.h"

namespace vorda::cli {

// One type computed from the command line's texts.
struct TypeRun {
  std::int16_t type_index;
  CliView view;
  ComputeRun run;
};

void PrintJson(const std::vector<TypeRun>& runs, std::optional<double> hertz, std::ostream& out);
void PrintText(const std::vector<TypeRun>& runs, std::optional<double> hertz, std::ostream& out);

}  // namespace vorda::cli
