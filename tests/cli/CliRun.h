// vorda-match run in the test's process: its exit status and what it wrote.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"

namespace vorda::cli::testing {

struct Result {
  int status;
  std::string out;
  std::string err;
};

inline Result RunArgs(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = RunCli(args, out, err);
  return {status, out.str(), err.str()};
}

}  // namespace vorda::cli::testing
