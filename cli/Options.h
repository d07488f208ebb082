// vorda-match's command line, read into a command by the declaration of
// its options (cli/OptionTable.h), and checked.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Command.h"

namespace vorda::cli {

// The command of a run, or the exit status when the program ends with the
// parsing: after --help or --version, or a usage error (reported on err).
struct Parsed {
  std::optional<Command> command;
  int exit_status = kExitComputed;
};
Parsed ParseOptions(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// What --topology, --spice and --s2p need of the request: the network they
// name designed, or one network to write; throws UsageError.
void CheckNetworkFiles(const Command& command);

}  // namespace vorda::cli
