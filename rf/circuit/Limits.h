// What the design layer accepts: frequencies, references, loads and quality
// factors wide enough for any radio-frequency work, and narrow enough that
// every figure it gives is a number. Each check names what it refuses.
#pragma once

#include <optional>
#include <string>

namespace vorda::rf {

inline constexpr double kMinHertz = 1.0;
inline constexpr double kMaxHertz = 1e12;
inline constexpr double kMinReference = 1e-3;  // ohms
inline constexpr double kMaxReference = 1e6;
// The load's resistance and reactance, against the reference: R from a
// millionth to a million times Z0, |X| up to a million times Z0.
inline constexpr double kLoadRatio = 1e6;
inline constexpr double kMinQ = 0.1;
inline constexpr double kMaxQ = 1e6;

// Each gives why the value is refused, naming it, or nothing. `what` names
// the value in the message ("--freq", "the design frequency").
std::optional<std::string> CheckFrequency(double hertz, const std::string& what);
std::optional<std::string> CheckReference(double z0);
std::optional<std::string> CheckLoadResistance(double r, double z0);
std::optional<std::string> CheckLoadReactance(double x, double z0);
std::optional<std::string> CheckQ(double q, const std::string& what);

}  // namespace vorda::rf
