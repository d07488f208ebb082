// The Touchstone file named on the command line, or standard input ("-"),
// which can be read more than once: standard input is first copied to a
// temporary file.
#pragma once

#include <memory>
#include <string>

#include "rf/circuit/Measurement.h"

#include "rf/files/InputFile.h"
#include "rf/files/Touchstone.h"

namespace vorda::cli {

struct Command;

class MeasurementFile {
 public:
  // Throws rf::OpenError naming the file when it cannot be opened.
  explicit MeasurementFile(const std::string& path);

  // A source from the start of the file.
  rf::ByteSource Source();
  // How the file is named in messages: its path, or "<stdin>".
  const std::string& Name() const { return name_; }
  // "NAME:LINE: what" for a line that breaks the format.
  std::string Describe(const rf::TouchstoneError& e) const { return e.In(name_); }

 private:
  rf::FileHandle file_;
  std::string name_;
};

// A measurement read whole and moved to where the part sits, as the command
// asks (--deembed, --extend); throws Refusal for a file that breaks the
// format or a fixture that does not cover it.
std::shared_ptr<const rf::Measurement> ReadForDesign(MeasurementFile& file, const Command& command);

}  // namespace vorda::cli
