// How vorda-match writes numbers and parts in its text output.
#pragma once

#include <optional>
#include <string>

#include "rf/circuit/Match.h"
#include "rf/circuit/Network.h"

namespace vorda::cli {

// Four significant digits, plain.
std::string Digits(double v);
// "40 + j30 ohms", four significant digits.
std::string LoadText(const rf::Impedance& z);
// A quality factor, or "ideal".
std::string QText(const std::optional<double>& q);
// "shunt C 73.97 pF, series L 138.4 nH, shunt open (leave out)".
std::string PartsText(const rf::Network& network);

}  // namespace vorda::cli
