// vorda-match --each: a design at every point of a measurement.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iostream>

#include "cli/MeasurementFile.h"
#include "cli/Report.h"
#include "cli/Runs.h"
#include "rf/files/MeasurementReader.h"
#include "rf/files/Touchstone.h"

#ifdef _WIN32
#include <io.h>
#define VORDA_ISATTY(fd) _isatty(fd)
#else
#include <unistd.h>
#define VORDA_ISATTY(fd) isatty(fd)
#endif

namespace vorda::cli {

namespace {

// "N of M points" on a terminal's standard error, now and then.
class Progress {
 public:
  Progress(std::size_t total, std::ostream& err)
      : total_(total), err_(err), shown_(&err == &std::cerr && VORDA_ISATTY(2) != 0) {}
  ~Progress() {
    if (drawn_) err_ << "\r\033[K" << std::flush;
  }
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;
  void Done(std::size_t n) {
    if (!shown_ || (n & 0xff) != 0) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - last_ < std::chrono::milliseconds(250)) return;
    last_ = now;
    drawn_ = true;
    err_ << "\rvorda-match: " << n << " of " << total_ << " points (" << 100 * n / total_ << " %)"
         << std::flush;
  }

 private:
  std::size_t total_;
  std::ostream& err_;
  bool shown_;
  bool drawn_ = false;
  std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
};

// The whole file, checked: nothing is designed from a broken one, and the
// harmonics of each point's design use the load measured at 2f and 3f.
std::shared_ptr<const rf::Measurement> ReadWhole(MeasurementFile& file) {
  try {
    return std::make_shared<const rf::Measurement>(rf::ReadMeasurement(file.Source()));
  } catch (const rf::TouchstoneError& e) {
    throw Refusal{file.Describe(e), false};
  }
}

// The designs at one measured point, or why there are none: no L-section
// exists at 0 Hz, and a load beyond what the design takes is named.
EachPoint DesignPoint(const Options& opt, double z0,
                      const std::shared_ptr<const rf::Measurement>& measurement,
                      const rf::LoadPoint& p) {
  EachPoint point{p.hertz, p.z, {}, {}};
  if (p.hertz == 0.0) {
    point.refused = "no L-section exists at 0 Hz";
    return point;
  }
  rf::DesignRequest request = RequestOf(opt, z0, p.hertz);
  request.load = p.z;
  request.measurement = measurement;
  if (const auto error = rf::CheckRequest(request)) {
    point.refused = error->message;
    return point;
  }
  point.rows = rf::RunDesign(request).rows;
  return point;
}

bool AnyDesigned(const EachPoint& point) {
  return std::any_of(point.rows.begin(), point.rows.end(), [](const rf::Row& t) {
    return t.verdict == rf::Verdict::kDesigned || t.verdict == rf::Verdict::kAlreadyMatched;
  });
}

}  // namespace

int RunEach(const Options& opt, std::ostream& out, std::ostream& err) {
  const double z0 = ReferenceOf(opt, err);
  MeasurementFile file(opt.s1p_path);
  const auto measurement = ReadWhole(file);
  Progress progress(measurement->points.size() + measurement->dc_points, err);
  if (opt.json) {
    PrintEachJsonStart(out);
  } else if (!opt.jsonl) {
    PrintEachTextHeading(opt, out);
  }
  bool any_computed = false;
  try {
    rf::TouchstoneReader reader(file.Source());
    rf::LoadPoint p;
    for (std::size_t n = 1; reader.Next(p); ++n) {
      const EachPoint point = DesignPoint(opt, z0, measurement, p);
      any_computed = any_computed || AnyDesigned(point);
      if (opt.jsonl) {
        PrintEachJsonLine(point, opt.fields, out);
      } else if (opt.json) {
        PrintEachJsonPoint(point, n == 1, out);
      } else {
        PrintEachTextRow(point, out);
      }
      progress.Done(n);
    }
  } catch (const rf::TouchstoneError& e) {  // the file changed since it was checked
    throw Refusal{file.Describe(e), false};
  }
  if (opt.json) PrintEachJsonEnd(out);
  return any_computed ? kExitComputed : kExitNotComputed;
}

}  // namespace vorda::cli
