// Files written whole or not at all.
#pragma once

#include <stdexcept>
#include <string>

namespace vorda::rf {

// Why a file could not be written, in words that name the file.
class WriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Writes contents to a temporary file beside path and renames it over path,
// so that path holds either its old contents or all the new ones. Throws
// WriteError when it cannot; the temporary file is then removed.
void WriteWholeFile(const std::string& path, const std::string& contents);

}  // namespace vorda::rf
