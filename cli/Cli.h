// vorda-match: runs the window's Compute operation from the command line.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace vorda::cli {

inline constexpr int kExitComputed = 0;
inline constexpr int kExitNotComputed = 1;
inline constexpr int kExitUsage = 2;

// Runs the program on its arguments (without the program name) and returns
// the exit status.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vorda::cli
