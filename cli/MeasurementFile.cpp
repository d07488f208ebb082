#include "cli/MeasurementFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace vorda::cli {

MeasurementFile::MeasurementFile(const std::string& path) {
  if (path == "-") {
    name_ = "<stdin>";
    file_.reset(std::tmpfile());
    if (!file_) throw rf::OpenError("cannot make a temporary file for standard input");
    char buf[1 << 16];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, stdin)) > 0;) {
      if (std::fwrite(buf, 1, n, file_.get()) != n) {
        throw rf::OpenError("cannot copy standard input: " + std::string(std::strerror(errno)));
      }
    }
    if (std::ferror(stdin) != 0) {
      throw rf::ReadError("cannot read <stdin> to its end: " + std::string(std::strerror(errno)));
    }
    return;
  }
  name_ = path;
  file_ = rf::OpenForReading(path);
}

rf::ByteSource MeasurementFile::Source() {
  std::rewind(file_.get());
  return rf::FileSource(file_.get(), name_);
}

}  // namespace vorda::cli
