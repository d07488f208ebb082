// A SPICE netlist of a matched section that ngspice runs as it is
// (ngspice -b FILE): the source, the section with its loss resistors, the
// load, an AC analysis and the input impedance at the design frequency.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "rf/Design.h"
#include "rf/EngineRun.h"
#include "rf/Load.h"
#include "rf/Section.h"

namespace vorda::rf {

struct SpiceCircuit {
  std::string title;               // the first line, after "* "
  std::vector<std::string> notes;  // comment lines at the top
  double z0 = 50.0;
  Section section;     // parts with their Q
  SeriesLoad load;     // R in series with an inductor or capacitor
  double hertz = 0.0;  // where the input impedance is printed
  double sweep_start = 0.0;
  double sweep_stop = 0.0;
  std::size_t sweep_points = 201;
};

// The netlist text. The loss resistor of a part of finite Q is
// R = |X(f)| / Q at every frequency of the analysis (ngspice's hertz).
std::string SpiceNetlist(const SpiceCircuit& circuit);

// The circuit of a computed type as designed at f: its parts as built
// (standard values and losses as chosen) and the load at f as R in series
// with L or C, with an AC analysis from start to stop.
SpiceCircuit CircuitFor(const EngineRun& e, const TypeDesign& design, double hertz, double start,
                        double stop, std::size_t points);

// The notes that say where the values and the load came from: "standard
// values, E12" or "ideal values"; the file a measured load was taken from.
std::string ValuesNote(const std::optional<ESeries>& series);
std::string MeasuredLoadNote(const std::string& file);

}  // namespace vorda::rf
