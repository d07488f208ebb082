// vorda-designer's command line: --help, --version and an optional
// Touchstone file to open.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <ostream>

namespace vorda::designer {

struct CommandLine {
  std::optional<QString> file;  // the measurement to open
  // Set when the program ends here: after --help or --version (0), or a
  // usage error told on err (2).
  std::optional<int> exit_status;
};

// Reads the arguments (the program's name first) and answers --help and
// --version on out.
CommandLine ReadCommandLine(const QStringList& arguments, std::ostream& out, std::ostream& err);

}  // namespace vorda::designer
