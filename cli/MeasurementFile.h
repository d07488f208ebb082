// The Touchstone file named on the command line, or standard input ("-"),
// which can be read more than once: standard input is first copied to a
// temporary file.
#pragma once

#include <string>

#include "rf/files/InputFile.h"
#include "rf/files/Touchstone.h"

namespace vorda::cli {

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

}  // namespace vorda::cli
