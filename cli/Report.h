// What vorda-match prints about its runs: text for people, JSON for scripts,
// and the sweep as a CSV table.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Options.h"
#include "rf/request/DesignRequest.h"

namespace vorda::cli {

// The load taken from a file at the design frequency.
struct MeasuredAt {
  std::string file;
  double hertz = 0.0;
  rf::Impedance load;
};

struct Report {
  const Options& options;
  // Each type asked for, in result.types. Without --freq only the engine's
  // run of each is set; with it each also has the design's verdict and
  // parts, and the result its sweep, the bare load's return loss and the
  // warnings.
  rf::DesignResult result;
  bool design = false;  // --freq was given
  std::optional<MeasuredAt> measured;
  std::optional<rf::Impedance> source;  // --source
  std::optional<rf::BandResult> band;   // --band
};

void PrintJson(const Report& report, std::ostream& out);
void PrintText(const Report& report, std::ostream& out);

// The parts of the text: a design's figures, its harmonics line, a row that
// is no engine run (a network, or an L type for a complex source), the band.
void PrintDesign(const rf::TypeDesign& d, const Options& opt, std::ostream& out);
std::string HarmonicsText(const rf::Harmonics& h);
void PrintNetworkRow(const rf::TypeResult& t, const Report& report, std::ostream& out);
void PrintBandText(const rf::BandResult& band, const Report& report, std::ostream& out);
// Frequency, then return loss and VSWR of each designed type.
std::string SweepCsv(const Report& report);

// --each: the designs at one measured point, or why there are none.
struct EachPoint {
  double hertz = 0.0;
  rf::Impedance load;
  std::vector<rf::TypeResult> runs;
  std::optional<std::string> refused;  // no design at this point, and why
};
// The JSON document {"points": [...]} written point by point.
void PrintEachJsonStart(std::ostream& out);
void PrintEachJsonPoint(const EachPoint& point, bool first, std::ostream& out);
void PrintEachJsonEnd(std::ostream& out);
// --jsonl: the same point, compact, on a line of its own.
void PrintEachJsonLine(const EachPoint& point, std::ostream& out);
// The text table: a heading, then one row per point.
void PrintEachTextHeading(const Options& options, std::ostream& out);
void PrintEachTextRow(const EachPoint& point, std::ostream& out);

}  // namespace vorda::cli
