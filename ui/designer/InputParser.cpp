#include "ui/designer/InputParser.h"

#include "rf/Units.h"

namespace vorda::designer {

namespace {

struct Bad {
  Field field;
  std::string why;
};

std::string Quoted(const std::string& text) {
  return "\u201c" + text + "\u201d";
}

double Value(const InputTexts& t, Field f, bool positive) {
  const auto v = rf::ParseEngineering(t[f], "\u03a9");
  if (!v) {
    throw Bad{f, Quoted(t[f]) + " is not a number (write 50, 2.2k or 3.3n)"};
  }
  if (positive && *v <= 0.0) throw Bad{f, "must be above zero"};
  return *v;
}

std::optional<double> Optional(const InputTexts& t, Field f, bool frequency) {
  if (t[f].find_first_not_of(' ') == std::string::npos) return std::nullopt;
  const auto v = frequency ? rf::ParseFrequency(t[f]) : rf::ParseEngineering(t[f]);
  if (!v || *v <= 0.0) {
    throw Bad{f, Quoted(t[f]) + (frequency ? " is not a positive frequency (write 1M or 500k)"
                                           : " is not a positive number, or blank for ideal")};
  }
  return v;
}

}  // namespace

const char* FieldName(Field field) {
  static constexpr const char* kNames[kFieldCount] = {
      "Z0",     "Load R",         "Load X",          "Frequency",
      "Series", "Q of inductors", "Q of capacitors", "Sweep span"};
  return kNames[static_cast<std::size_t>(field)];
}

ParsedInputs ParseInputs(const InputTexts& t, const rf::Measurement* measurement) {
  try {
    DesignInputs in;
    in.z0 = Value(t, Field::kZ0, true);
    if (measurement == nullptr) {
      in.load_r = Value(t, Field::kLoadR, false);
      in.load_x = Value(t, Field::kLoadX, false);
    }
    const auto hertz = rf::ParseFrequency(t[Field::kFrequency]);
    if (!hertz) {
      throw Bad{Field::kFrequency,
                Quoted(t[Field::kFrequency]) + " is not a positive frequency (write 14.2M)"};
    }
    in.hertz = *hertz;
    if (measurement != nullptr && !measurement->Covers(in.hertz)) {
      throw Bad{Field::kFrequency, "lies outside the measurement, " +
                                       rf::FormatEngineering(measurement->First(), "Hz") + " to " +
                                       rf::FormatEngineering(measurement->Last(), "Hz")};
    }
    in.series = rf::ParseSeries(t[Field::kSeries]);
    if (!in.series && t[Field::kSeries] != kSeriesChoices[0]) {
      throw Bad{Field::kSeries, Quoted(t[Field::kSeries]) + " is not a standard series"};
    }
    in.q_inductor = Optional(t, Field::kQInductor, false);
    in.q_capacitor = Optional(t, Field::kQCapacitor, false);
    in.span = Optional(t, Field::kSpan, true);
    return {in, std::nullopt};
  } catch (const Bad& bad) {
    return {std::nullopt,
            InputError{bad.field, std::string(FieldName(bad.field)) + ": " + bad.why}};
  }
}

}  // namespace vorda::designer
