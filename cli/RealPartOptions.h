// vorda-match's options on real parts: their parasitics (a package, self-
// resonant frequencies, where the Q holds), a library of measured parts,
// and tolerances with the yield they leave.
#pragma once

#include <CLI/CLI.hpp>

#include <optional>
#include <string>

#include "cli/Options.h"

namespace vorda::cli {

struct RealPartTexts {
  std::string package, srf_l, srf_c, q_at, parts, tolerance, builds, seed, goal_vswr;
};

void AddRealPartOptions(CLI::App& app, RealPartTexts& texts);

// Reads them into opt; the usage error otherwise.
std::optional<std::string> CheckRealPartOptions(const RealPartTexts& texts, const CLI::App& app,
                                                Options& opt);

}  // namespace vorda::cli
