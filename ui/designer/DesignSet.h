// The designer's model, free of Qt: every type designed at once for the
// user's inputs, with the figures of the table and the curves of the charts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "rf/Design.h"
#include "rf/EngineRun.h"
#include "rf/Measurement.h"

namespace vorda::designer {

// The inputs, parsed.
struct DesignInputs {
  double z0 = 50.0;
  double load_r = 40.0;  // the typed load at the design frequency
  double load_x = 30.0;
  double hertz = 14.2e6;
  std::optional<rf::ESeries> series;
  std::optional<double> q_inductor;
  std::optional<double> q_capacitor;
  std::optional<double> span;  // the sweep's width around the design frequency
};

inline constexpr std::size_t kSweepPoints = 1001;

struct TypeRow {
  rf::EngineRun engine;
  std::optional<rf::TypeDesign> design;  // when the type was computed
  std::string status;                    // "admitted", or why not, in words
  // The parts as built (standard values when a series is chosen, with the
  // losses) at the design frequency.
  std::optional<rf::Match> at_design;
  std::optional<double> dissipation_db;
};

// A computed type over the sweep: ideal lossless parts, standard lossless
// parts (with a series), and the parts as built (with losses).
struct Curves {
  rf::Response ideal;
  std::optional<rf::Response> standard;
  std::optional<rf::Response> built;
};

struct DesignSet {
  double hertz = 0.0;  // the design frequency
  rf::Impedance load;  // at it
  std::vector<double> frequencies;
  std::vector<TypeRow> rows;        // types 1 to 8
  std::optional<std::size_t> best;  // by return loss, then by dissipation loss
  std::vector<std::optional<double>> bare_return_loss_db;  // with a measurement
};

// The sweep: the span around the design frequency, f / 2 ... 3 f / 2 when
// none is given, or the measurement's range; always within the measurement.
std::vector<double> SweepFor(const DesignInputs& in, const rf::Measurement* measurement);

// The figures of all eight types. With a measurement the load comes from it
// (the design frequency must lie within its range).
DesignSet DesignAll(const DesignInputs& in, const rf::Measurement* measurement);

// The curves of one computed row, for the charts.
Curves CurvesFor(const TypeRow& row, const DesignSet& set, const rf::Measurement* measurement);

}  // namespace vorda::designer
