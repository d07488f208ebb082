// A measured load where the part sits: the reference plane of the
// measurement moved along a line (the feed line between the instrument's
// plane and the part taken off, or put on), or a measured fixture two-port
// between them removed.
#pragma once

#include <optional>
#include <string>

#include "rf/circuit/Line.h"
#include "rf/circuit/Measurement.h"
#include "rf/circuit/TwoPort.h"

namespace vorda::rf {

// The load at the far end of a line from the measured plane: a positive
// length moves the plane towards the load (the line is taken off), a
// negative one back towards the instrument (a line is put on). The line's
// impedance is the measurement's reference when it has none of its own.
Measurement Extended(const Measurement& measured, Line line);

// The load behind a fixture (port 1 at the instrument, port 2 at the load),
// from its S-parameters interpolated linearly to each measured frequency:
// Gamma_L = (Gamma_m - S11) / (S12 S21 + S22 (Gamma_m - S11)). Nothing, with
// why, for a measured frequency outside the fixture's data.
struct Deembedded {
  std::optional<Measurement> measurement;
  std::string error;
};
Deembedded Deembed(const Measurement& measured, const TwoPortData& fixture,
                   const std::string& fixture_name);

// Both, as a design takes them: behind the fixture first (when there is
// one), then along the line (when there is one).
Deembedded MovedToPart(const Measurement& measured, const TwoPortData* fixture,
                       const std::string& fixture_name, const std::optional<Line>& extend);

}  // namespace vorda::rf
