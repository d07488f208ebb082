// How vorda-match reads the values of its options: each kind of value once,
// with the message that names the option and what is wrong.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cli/OptionTable.h"

namespace vorda::cli {

// A frequency, 1 Hz to 1 THz ("14.2M", "433 kHz").
double FrequencyValue(const std::string& option, const std::string& text);
// A quality factor, 0.1 to 1e6.
double QualityValue(const std::string& option, const std::string& text);
// A number with an optional multiplier and unit ("2.2k", "22 ohms").
double NumberValue(const std::string& option, const std::string& text, const char* unit = "");
// A whole number from least to most.
long long WholeValue(const std::string& option, const std::string& text, long long least,
                     long long most);
// One of the keys, as "--option must be a, b or c: text" otherwise.
std::size_t ChoiceValue(const std::string& option, const std::string& text,
                        const std::vector<std::string>& keys);
// --type: "1" to "8" or "all".
std::vector<std::int16_t> TypesValue(const std::string& text);
// --fields: figure keys, "all" or "none".
std::vector<std::string> FieldsValue(const std::string& text);

// The readers of the table, by what they read.
void ReadSweep(const std::string& text, OptionContext& c);
void ReadBand(const std::string& text, OptionContext& c);
void ReadReject(const std::string& text, OptionContext& c);
void ReadTolerance(const std::string& text, OptionContext& c);
void ReadTopology(const std::string& text, OptionContext& c);
void ReadNetwork(const std::string& text, OptionContext& c);

}  // namespace vorda::cli
