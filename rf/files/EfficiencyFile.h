// An antenna's radiation efficiency over frequency, from a CSV file: a line
// for each frequency, "frequency,efficiency", the frequency with an
// optional multiplier (2.4G, 2400000000) and the efficiency as a share
// (0.62), a percentage (62%) or in decibels (-2.08dB); a header line
// (frequency,efficiency) and lines starting with '#' or '!' are skipped,
// and cells are separated by commas or semicolons, or else by blanks. Frequencies
// ascend; an efficiency lies above 0 and at most 1.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "rf/circuit/RadiationEfficiency.h"

namespace vorda::rf {

// The curve, or "NAME:LINE: what is wrong".
struct ReadEfficiencyResult {
  std::optional<EfficiencyCurve> curve;
  std::string error;
};
ReadEfficiencyResult ReadEfficiency(std::string_view text, const std::string& name);

// The same from a file; throws OpenError or ReadError when it cannot be read.
ReadEfficiencyResult ReadEfficiencyFile(const std::string& path);

}  // namespace vorda::rf
