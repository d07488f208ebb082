// vorda-match --each: a design at every point of a measurement.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iostream>

#include "cli/MeasurementFile.h"
#include "cli/Progress.h"
#include "cli/Report.h"
#include "cli/Runs.h"
#include "rf/files/MeasurementReader.h"
#include "rf/files/Touchstone.h"

namespace vorda::cli {

namespace {

// The whole file, checked: nothing is designed from a broken one, and the
// harmonics of each point's design use the load measured at 2f and 3f.
// The designs at one measured point, or why there are none: no L-section
// exists at 0 Hz, and a load beyond what the design takes is named.
EachPoint DesignPoint(const rf::DesignRequest& base, double z0,
                      const std::shared_ptr<const rf::Measurement>& measurement,
                      const rf::LoadPoint& p) {
  EachPoint point{p.hertz, p.z, {}, {}};
  if (p.hertz == 0.0) {
    point.refused = "no L-section exists at 0 Hz";
    return point;
  }
  rf::DesignRequest request = base;
  request.z0 = z0;
  request.hertz = p.hertz;
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

int RunEach(const Command& c, std::ostream& out, std::ostream& err) {
  const double z0 = ReferenceOf(c, err);
  const Outputs& opt = c.outputs;
  MeasurementFile file(c.s1p);
  const auto measurement = ReadForDesign(file, c);
  Progress progress(measurement->points.size() + measurement->dc_points, "points", err);
  if (opt.json) {
    PrintEachJsonStart(out);
  } else if (!opt.jsonl) {
    PrintEachTextHeading(c.request.types, out);
  }
  bool any_computed = false;
  try {
    rf::TouchstoneReader reader(file.Source());
    rf::LoadPoint p;
    for (std::size_t n = 1; reader.Next(p); ++n) {
      // A measurement moved to where the part sits: each point's load moved.
      if ((c.request.extend || !c.deembed.empty()) && p.hertz > 0.0) p.z = measurement->At(p.hertz);
      const EachPoint point = DesignPoint(c.request, z0, measurement, p);
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
