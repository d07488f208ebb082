// What a network does to the rest of the spectrum: its insertion loss at
// the design frequency and how much more it attenuates the second and third
// harmonics, so that a transmitter's low-pass match can be told from a
// high-pass one.
#pragma once

#include <optional>

#include "rf/circuit/Load.h"
#include "rf/circuit/Match.h"
#include "rf/circuit/Network.h"

namespace vorda::rf {

struct Harmonics {
  // -10 log10 of the transducer gain at f (|S21|^2 between the source and
  // the load): the power the load does not get of what the source offers.
  std::optional<double> insertion_loss_db;
  // The insertion loss at 2f and 3f less that at f; empty where the load is
  // not known (beyond a measurement or between points of it that are not
  // passive, or above 1 THz).
  std::optional<double> attenuation_2f_db;
  std::optional<double> attenuation_3f_db;
  // Where the load is known but no power at all reaches it (a stub that is a
  // short or an open there): the attenuation is total, not a number.
  bool total_2f = false;
  bool total_3f = false;
};

// 2f and 3f only where the load model knows the load (LoadModel::Knows).
Harmonics HarmonicsOf(const Network& network, const LoadModel& load, const Source& source,
                      double hertz);

}  // namespace vorda::rf
