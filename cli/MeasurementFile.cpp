#include "cli/MeasurementFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/Command.h"
#include "cli/Runs.h"
#include "rf/circuit/ReferencePlane.h"
#include "rf/files/MeasurementReader.h"
#include "rf/files/TwoPortReader.h"

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

std::shared_ptr<const rf::Measurement> ReadForDesign(MeasurementFile& file, const Command& c) {
  rf::Measurement m;
  try {
    m = rf::ReadMeasurement(file.Source());
  } catch (const rf::TouchstoneError& e) {
    throw Refusal{file.Describe(e), false};
  }
  std::optional<rf::TwoPortData> fixture;
  if (!c.deembed.empty()) {
    const rf::FileHandle handle = rf::OpenForReading(c.deembed);
    try {
      fixture = rf::ReadTwoPort(rf::FileSource(handle.get(), c.deembed));
    } catch (const rf::TouchstoneError& e) {
      throw Refusal{e.In(c.deembed), false};
    }
  }
  rf::Deembedded moved =
      rf::MovedToPart(m, fixture ? &*fixture : nullptr, c.deembed, c.request.extend);
  if (!moved.measurement) throw Refusal{moved.error};
  return std::make_shared<const rf::Measurement>(std::move(*moved.measurement));
}

rf::ByteSource MeasurementFile::Source() {
  std::rewind(file_.get());
  return rf::FileSource(file_.get(), name_);
}

}  // namespace vorda::cli
