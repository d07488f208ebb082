// Matching with lines at one frequency, in closed form: a single stub (open
// or shorted) at a distance from the load, two stubs a given spacing apart
// (the first at the load), and a quarter-wave transformer behind the line
// that first makes the load real. Each has two solutions, shortest first;
// the lines and stubs are of one impedance (the quarter-wave line of its
// own). A load that a design cannot match is refused with why, never given
// a length that is no length.
#pragma once

#include <optional>
#include <vector>

#include "rf/circuit/Match.h"
#include "rf/circuit/Network.h"
#include "rf/synthesis/Why.h"

namespace vorda::rf {

enum class StubEnd { kOpen, kShort };

struct LineDesigns {
  std::vector<Network> networks;  // up to two, the shorter first
  Why why = {};                   // when there is none
};

// A stub at the source's end of a line to the load: the line's length puts
// the source's conductance (of the conjugate of a complex source) at the
// stub, the stub's cancels the susceptance there. Lines of `line_z0`.
LineDesigns SingleStub(StubEnd end, const Source& source, Impedance load, double hertz,
                       double line_z0);

// A stub at the load, another `spacing_degrees` towards the source.
LineDesigns DoubleStub(StubEnd end, const Source& source, Impedance load, double hertz,
                       double line_z0, double spacing_degrees);

// A line of line_z0 to where the load is real (at a maximum or at a
// minimum of the voltage), then a quarter-wave line of sqrt(R Rs) to the
// source's resistance; a complex source is refused.
LineDesigns QuarterWave(const Source& source, Impedance load, double hertz, double line_z0);

}  // namespace vorda::rf
