#include "rf/DesignTexts.h"

#include "rf/Units.h"

namespace vorda::rf {

namespace {

struct Bad {
  Field field;
  std::string why;
};

double Value(const DesignTexts& t, Field f) {
  const ReadNumber v = ReadEngineering(t[f], "\u03a9");
  if (!v.value) throw Bad{f, v.error};
  return *v.value;
}

bool Blank(const std::string& text) {
  return text.find_first_not_of(' ') == std::string::npos;
}

std::optional<double> Optional(const DesignTexts& t, Field f, bool frequency) {
  if (Blank(t[f])) return std::nullopt;
  const ReadNumber v = frequency ? ReadFrequency(t[f]) : ReadEngineering(t[f]);
  if (!v.value) throw Bad{f, v.error};
  if (*v.value <= 0.0) throw Bad{f, "must be above zero, or blank"};
  return v.value;
}

}  // namespace

const char* FieldName(Field field) {
  static constexpr const char* kNames[kFieldCount] = {
      "Z0",     "Load R",         "Load X",          "Frequency",
      "Series", "Q of inductors", "Q of capacitors", "Sweep span"};
  return kNames[static_cast<std::size_t>(field)];
}

ReadRequest ReadDesignTexts(const DesignTexts& texts, DesignRequest base) {
  const DesignTexts& t = texts;
  DesignRequest& r = base;
  try {
    r.z0 = Value(t, Field::kZ0);
    if (r.measurement == nullptr) r.load = {Value(t, Field::kLoadR), Value(t, Field::kLoadX)};
    const ReadNumber hertz = ReadFrequency(t[Field::kFrequency]);
    if (!hertz.value) throw Bad{Field::kFrequency, hertz.error};
    r.hertz = *hertz.value;
    r.series = ParseSeries(t[Field::kSeries]);
    if (!r.series && t[Field::kSeries] != kSeriesChoices[0]) {
      throw Bad{Field::kSeries, "\u201c" + t[Field::kSeries] + "\u201d is not a standard series"};
    }
    r.q_inductor = Optional(t, Field::kQInductor, false);
    r.q_capacitor = Optional(t, Field::kQCapacitor, false);
    r.sweep.span = Optional(t, Field::kSpan, true);
  } catch (const Bad& bad) {
    return {std::nullopt,
            RequestError{bad.field, std::string(FieldName(bad.field)) + ": " + bad.why}};
  }
  if (auto error = CheckRequest(r)) {
    error->message = std::string(FieldName(error->field)) + ": " + error->message;
    return {std::nullopt, error};
  }
  return {r, std::nullopt};
}

}  // namespace vorda::rf
