// Numbers with engineering multipliers, as people write frequencies and part
// values: "14.2M", "433 kHz", "2.2k", "3.3n", "4.7 µH".
#pragma once

#include <complex>
#include <optional>
#include <string>
#include <string_view>

namespace vorda::rf {

// A number read from a text, or why the text is not one.
struct ReadNumber {
  std::optional<double> value;
  std::string error;  // when there is no value: what is wrong, quoting the text
};

// A frequency in hertz: a positive finite number with an optional multiplier
// k (or K), M, G or T and an optional "Hz" in any case ("14.2M", "433 kHz",
// "7.1 mhz", "2.4e9"). A multiplier in the wrong case counts before "Hz"
// ("mhz" is MHz: nobody means millihertz), but "7.1m" alone is refused so
// that it cannot be taken for M.
ReadNumber ReadFrequency(std::string_view text);
std::optional<double> ParseFrequency(std::string_view text);

// A finite number with an optional SI multiplier (f, p, n, u or µ, m, k or K,
// M, G, T) and optionally the unit given ("3.3n", "2.2k", "47 pF" with unit
// "F").
ReadNumber ReadEngineering(std::string_view text, std::string_view unit = {});
std::optional<double> ParseEngineering(std::string_view text, std::string_view unit = {});

// An impedance in ohms: "50", "12.5-j5", "12.5 - j 5", "150+75j", "-j10"
// (engineering multipliers allowed on each part: "1k+j2.2k").
struct ReadImpedanceResult {
  std::optional<std::complex<double>> value;
  std::string error;
};
ReadImpedanceResult ReadImpedance(std::string_view text);

// The shortest text that reads back as the same double ("14200000", "0.1").
std::string ShortestText(double value);

// A number to that many significant digits, plain ("280.3", "1.5e-05").
std::string DigitsText(double value, int digits);

// A value with four significant digits and the multiplier that puts it in
// [1, 1000): "280.3 nH", "1.5 GHz", "50 Ω". Zero is "0 <unit>".
std::string FormatEngineering(double value, std::string_view unit, int digits = 4);

// The shortest engineering text of a frequency that ReadFrequency reads back
// as the same double ("14.175 MHz"), so that a value written into a field
// loses nothing.
std::string ExactFrequencyText(double hertz);

}  // namespace vorda::rf
