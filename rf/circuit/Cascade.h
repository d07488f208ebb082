// The cascade of a network's elements: what the source sees at the input
// with a load at the output, walked element by element from the load. It is
// the one ladder walk of the program: the input impedance, the transducer
// gain, the efficiency, the S-parameters, the impedance at each part's end
// and the paths on the Smith chart all come from it.
#pragma once

#include <complex>
#include <optional>
#include <vector>

#include "rf/circuit/Element.h"

namespace vorda::rf {

struct Network;

// The input of what has been walked so far: its impedance, and the voltage
// and current there for 1 V across the load (both scaled alike once
// nothing passes: an open or a short in the way).
struct Port {
  Impedance z;     // the input impedance (infinite for an open)
  Impedance v, i;  // at the input, with 1 V across the load while power passes
  bool passes = true;
};

// The port of a load alone: z, 1 V and the current 1 / z.
Port LoadPort(Impedance load);

// One element more, on the source side of the port. The impedance is
// carried as such (a series part adds its impedance, a shunt part is in
// parallel), so that a ladder's impedance is as exact as the direct form;
// the voltage and current are carried beside it.
void Apply(const Stage& stage, Port& port);

// The whole network, from the load to the source; ends, when given, gets
// the impedance at the source side of each element (ends[k] for element k,
// ends[0] the input impedance).
Port Cascade(const Network& network, double hertz, Impedance load,
             std::vector<Impedance>* ends = nullptr);

// The network's chain matrix at a frequency, from two walks: with its
// output open (A, C) and shorted (B, D); nothing when an open in series or
// a short to ground leaves it none.
std::optional<ChainMatrix> ChainOf(const Network& network, double hertz);

}  // namespace vorda::rf
