// The designer's input texts, read strictly: a text that is not a number
// names its field and what is wrong, and nothing is computed from it.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "ui/designer/DesignSet.h"

namespace vorda::designer {

enum class Field { kZ0, kLoadR, kLoadX, kFrequency, kSeries, kQInductor, kQCapacitor, kSpan };
inline constexpr std::size_t kFieldCount = 8;

// "Ideal", then "E6" ... "E192", in the order the series box lists them.
inline constexpr std::array<const char*, 7> kSeriesChoices = {"Ideal", "E6",  "E12", "E24",
                                                              "E48",   "E96", "E192"};

struct InputTexts {
  std::array<std::string, kFieldCount> text;  // by Field
  std::string& operator[](Field f) { return text[static_cast<std::size_t>(f)]; }
  const std::string& operator[](Field f) const { return text[static_cast<std::size_t>(f)]; }
};

struct InputError {
  Field field;
  std::string message;  // for the status line
};

struct ParsedInputs {
  std::optional<DesignInputs> inputs;
  std::optional<InputError> error;  // the first field that is wrong
};

// Values in engineering notation ("14.2M", "2.2k", "3.3n"); blank Q means an
// ideal part and a blank span the automatic sweep. With a measurement the
// load fields are not read, and the frequency must lie within its range.
ParsedInputs ParseInputs(const InputTexts& texts, const rf::Measurement* measurement);

// The field's name as the window labels it, without its access key.
const char* FieldName(Field field);

}  // namespace vorda::designer
