// vorda-match: runs the window's Compute operation from the command line.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace vorda::cli {

// Runs the program on its arguments (without the program name) and returns
// the exit status: 0 computed, 1 not computed, 2 usage error.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vorda::cli
