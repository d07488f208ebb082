// A SPICE netlist of a matching network that ngspice runs as it is
// (ngspice -b FILE): the source, the network with its loss resistors, the
// load, an AC analysis whose input impedance it prints at every frequency,
// and the input impedance at the design frequency.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "rf/circuit/FrequencyAxis.h"
#include "rf/circuit/Load.h"
#include "rf/circuit/Network.h"

namespace vorda::rf {

struct SpiceCircuit {
  std::string title;               // the first line, after "* "
  std::vector<std::string> notes;  // comment lines at the top
  SeriesLoad source;               // the source's R, in series with L or C for a complex one
  Network network;                 // parts with their Q, from the source side
  SeriesLoad load;                 // R in series with an inductor or capacitor
  double hertz = 0.0;              // where the input impedance is printed
  FrequencyAxis sweep;             // of the AC analysis: evenly spaced
};

// The netlist text. The loss resistor of a part of finite Q is
// R = |X(f)| / Q at every frequency of the analysis (ngspice's hertz; 1 Hz
// at the operating point, where hertz is 0). A short is a plain connection
// and an open is left out. Every node without a path to ground at DC gets a
// resistor to ground so large that the input impedance changes by less
// than 1e-9 of itself.
std::string SpiceNetlist(const SpiceCircuit& circuit);

}  // namespace vorda::rf
