// Every L-section that matches a load to a source conjugately at one
// frequency (Zin = Zs*), for any source impedance: the engine's eight types
// serve a resistive source, these serve a complex one too.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/SectionTypes.h"
#include "rf/circuit/Match.h"

namespace vorda::rf {

struct LSolution {
  Family family = Family::kShuntAtLoad;
  double first_ohms = 0.0;      // the part on the source side: its reactance
  double second_ohms = 0.0;     // the part at the load; infinite for a shunt open
  std::int16_t type_index = 0;  // the type whose caption names these parts
};

// The solutions of both forms, shunt at the load first, each form's two
// roots in ascending order of the shunt susceptance: none for a form whose
// load or source resistance is out of its reach (shunt at the load needs
// Re(1/ZL) <= 1/Re(Zs); series at the load needs Re(ZL) <= |Zs|^2 / Re(Zs)),
// one where the two roots meet. Both resistances must be above zero.
std::vector<LSolution> SolveL(Impedance source, Impedance load);

// The type (1 to 8) of a family whose parts have these reactances: positive
// (or zero, or infinite) an inductor, negative a capacitor.
std::int16_t TypeOf(Family family, double first_ohms, double second_ohms);

}  // namespace vorda::rf
