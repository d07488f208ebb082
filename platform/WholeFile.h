// Files written whole or not at all.
#pragma once

#include <stdexcept>
#include <string>

namespace vorda::platform {

// Why a file could not be written, in words that name the file.
class WriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Writes contents to a new temporary file beside path (created exclusively,
// so that it never takes over another's), flushes it to the disk and renames
// it over path, so that path holds either its old contents or all the new
// ones, also after a power cut. An existing file keeps its permissions; a
// file that is read-only is not replaced; a symbolic link is written through
// to the file it names. Throws WriteError when it cannot; the temporary
// file is then removed.
void WriteWholeFile(const std::string& path, const std::string& contents);

}  // namespace vorda::platform
