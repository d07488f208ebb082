// Tuning a network by hand on the Smith chart: each part moves the load
// along its arc (constant resistance for a series part, constant
// conductance for a shunt part) to the point its end stands on; dragging
// that point sets the part's value, and the part on the source side, when
// it comes next, is re-solved to reach the centre where it can.
#pragma once

#include <complex>
#include <cstddef>
#include <optional>
#include <vector>

#include "rf/circuit/Network.h"
#include "rf/circuit/StandardValues.h"

namespace vorda::rf {

// The impedance at the end of each part, seen from the source side of that
// part towards the load: ends[k] for element k (0 on the source side; the
// first end, ends[0], is the input impedance). A series open has none.
std::vector<Impedance> PartEnds(const Network& network, Impedance load, double hertz);

struct Drag {
  Network network;     // with the dragged part's new value (and the re-solved one)
  double value = 0.0;  // the dragged part's value, henries or farads; a line's degrees at f
  Impedance end;       // where the dragged part now ends, ohms
};

// Element `index` of a network dragged towards a reflection coefficient
// (referred to z0): the nearest point of its arc, a value of the part's own
// kind (an inductor stays an inductor), snapped to the series when one is
// given. When the part next to it on the source side is the network's
// first, that one is solved again for the conjugate match: the reactance
// (series) or susceptance (shunt) at its input becomes that of the
// source's conjugate. Nothing for a short, an open, or a part the drag
// cannot move.
std::optional<Drag> DragPart(const Network& network, std::size_t index, Impedance load,
                             double hertz, double z0, const Source& source,
                             std::complex<double> gamma, std::optional<ESeries> snap);

}  // namespace vorda::rf
