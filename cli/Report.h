// What vorda-match prints about its rows: text for people, JSON and JSON
// Lines for scripts, and the sweep as a CSV table. Every figure comes from
// the one table of figures (rf/request/Figures.h).
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "rf/request/Figures.h"
#include "rf/request/Rows.h"

namespace vorda::cli {

// The load taken from a file at the design frequency.
struct MeasuredAt {
  std::string file;
  double hertz = 0.0;
  rf::Impedance load;
};

struct Report {
  const Outputs& outputs;
  // Each type asked for, then the networks, the given network and the
  // band's designs, in result.rows. Without a design frequency only the
  // engine's run of each type is set, and the result has no plan.
  rf::DesignResult result;
  std::optional<MeasuredAt> measured;
  // The request the rows were designed for; none for the engine alone.
  const rf::DesignRequest* Request() const { return result.plan ? &result.plan->request : nullptr; }
};

void PrintJson(const Report& report, std::ostream& out);
void PrintText(const Report& report, std::ostream& out);

// The figures of a designed row in text, a line for each group of figures.
void PrintFigures(const rf::Row& t, const Report& report, std::ostream& out);
// A row that is no engine run: a network, an L type for a complex source, a
// given network; numbered when it is a band's design.
void PrintNetworkRow(const rf::Row& t, const Report& report, int rank, std::ostream& out);
void PrintBandText(const Report& report, std::ostream& out);
// Frequency, then return loss and VSWR of each designed row.
std::string SweepCsv(const Report& report);

// --each: the designs at one measured point, or why there are none.
struct EachPoint {
  double hertz = 0.0;
  rf::Impedance load;
  std::vector<rf::Row> rows;
  std::optional<std::string> refused;  // no design at this point, and why
};
// The JSON document {"points": [...]} written point by point.
void PrintEachJsonStart(std::ostream& out);
void PrintEachJsonPoint(const EachPoint& point, bool first, std::ostream& out);
void PrintEachJsonEnd(std::ostream& out);
// --jsonl: the point on a line of its own, numbers only: each row's key,
// verdict, part values and the chosen figures (flat keys, see FigureKey).
void PrintEachJsonLine(const EachPoint& point, const std::vector<std::string>& fields,
                       std::ostream& out);
// The text table: a heading, then one row per point.
void PrintEachTextHeading(const std::vector<std::int16_t>& types, std::ostream& out);
void PrintEachTextRow(const EachPoint& point, std::ostream& out);

// A figure's flat key: its group's key, "_" and its own ("match_vswr"), or
// its own for a figure at a row's top level ("insertion_loss_db").
std::string FigureKey(const rf::Figure& figure);

}  // namespace vorda::cli
