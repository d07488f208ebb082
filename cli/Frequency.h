// Component values at a frequency: the command line's addition to the window.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vorda::cli {

// Parses a frequency in hertz: a positive number with an optional k, M or G
// multiplier and an optional "Hz" ("14.2M", "433 kHz", "2.4e9"). Nothing for
// anything else.
std::optional<double> ParseFrequency(std::string_view text);

// The part that realises a reactance at a frequency: an inductor for a
// positive reactance, a capacitor for a negative one, a plain connection for
// zero. Uses the true value of pi.
struct ComponentValue {
  enum class Kind { kInductor, kCapacitor, kShort } kind;
  double value = 0.0;  // henries or farads; 0 for a short
};
ComponentValue ValueAt(double reactance_ohms, double hertz);

// "280.3 nH", "1.273 µH", "2.242 pF", "short": four significant digits.
std::string Describe(const ComponentValue& value);

}  // namespace vorda::cli
