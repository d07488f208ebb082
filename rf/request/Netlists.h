// The netlist of a designed network: the circuit between the request's
// source and load, with notes on where its values came from.
#pragma once

#include <string>

#include "rf/files/Spice.h"
#include "rf/files/TwoPortFile.h"
#include "rf/request/Rows.h"

namespace vorda::rf {

// The circuit of a network as built (standard values and losses as
// chosen) between the source and the load at f, each R in series with L or
// C, with notes that say where the values and the load came from.
SpiceCircuit CircuitFor(const std::string& what, const Network& built, const DesignRequest& request,
                        Impedance load, const FrequencyAxis& sweep);

// The same for a designed row of a result.
SpiceCircuit CircuitFor(const DesignRequest& request, const DesignResult& result, const Row& row,
                        const FrequencyAxis& sweep);

// How a designed network is written as a two-port: both ports referred to
// z0 (Touchstone 1.1 unless asked for 2.0), or port 2 to the load's
// resistance at the design frequency (2.0); with comments that say which
// network it is and how to close its ports.
TwoPortFormat TwoPortFormatOf(const DesignRequest& request, const DesignResult& result,
                              const std::string& what, bool load_reference, bool version2);

// "L-section, type 1 (Series L, Shunt C)", "Pi low-pass network over the band".
std::string NetworkWhat(const Row& t);

}  // namespace vorda::rf
