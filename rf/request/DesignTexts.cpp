#include "rf/request/DesignTexts.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "rf/circuit/ReferencePlane.h"
#include "rf/circuit/Units.h"

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

// "13M:15M", or "13M to 15M"; blank for none.
// The bands and the bands to reject, each a list.
std::vector<PassBand> BandRanges(const DesignTexts& t) {
  const std::string& text = t[Field::kBand];
  if (Blank(text)) return {};
  ReadBandsResult read = ReadBands(text);
  if (!read.error.empty()) {
    throw Bad{Field::kBand, read.error +
                                " (write 13M:15M, a list such as 698M:960M, "
                                "1710M:2690M, or leave it blank for none)"};
  }
  return std::move(read.bands);
}
std::vector<RejectBand> RejectRanges(const DesignTexts& t) {
  const std::string& text = t[Field::kReject];
  if (Blank(text)) return {};
  ReadRejectsResult read = ReadRejects(text);
  if (!read.error.empty()) {
    throw Bad{Field::kReject, read.error + " (write 4.8G:5G:30, or leave it blank for none)"};
  }
  return std::move(read.rejects);
}

// The lines' impedance and substrate, and the measurement moved to where
// the part sits: behind the fixture, then along the line of Extend.
void ReadLines(const DesignTexts& t, DesignRequest& r, const TwoPortData* fixture) {
  r.line_z0 = Optional(t, Field::kLineZ0, false).value_or(0.0);
  r.substrate.reset();
  if (!Blank(t[Field::kSubstrate])) {
    const ReadSubstrateResult s = ReadSubstrate(t[Field::kSubstrate]);
    if (!s.substrate) throw Bad{Field::kSubstrate, s.error};
    r.substrate = s.substrate;
  }
  r.extend.reset();
  if (!Blank(t[Field::kExtend])) {
    std::string words = t[Field::kExtend];
    std::replace(words.begin(), words.end(), ',', ' ');
    const ReadLineResult l = ReadLine(words, true);
    if (!l.line) throw Bad{Field::kExtend, l.error};
    if (!r.measurement) throw Bad{Field::kExtend, "extends a measurement: open one first"};
    r.extend = l.line;
  }
  if (r.measurement && (r.extend || fixture != nullptr)) {
    const Deembedded moved = MovedToPart(*r.measurement, fixture, r.deembed, r.extend);
    if (!moved.measurement) throw Bad{Field::kExtend, moved.error};
    r.measurement = std::make_shared<const Measurement>(*moved.measurement);
  }
}

}  // namespace

namespace {

// Keys that differ from an earlier version's in more than case: the
// Windows registry ignores case.
constexpr FieldInfo kFields[] = {
    {Field::kZ0, "Z0", "design/z0"},
    {Field::kSource, "Source", "design/source"},
    {Field::kLoadR, "Load R", "design/load_r"},
    {Field::kLoadX, "Load X", "design/load_x"},
    {Field::kFrequency, "Frequency", "design/hertz"},
    {Field::kBand, "Band", "design/band"},
    {Field::kSeries, "Series", "design/series"},
    {Field::kQInductor, "Q of inductors", "design/q_inductor"},
    {Field::kQCapacitor, "Q of capacitors", "design/q_capacitor"},
    {Field::kLoadedQ, "Loaded Q", "design/loaded_q"},
    {Field::kSpan, "Sweep span", "design/sweep_span"},
    {Field::kTolerance, "Tolerance", "design/tolerance"},
    {Field::kLineZ0, "Line Z0", "design/line_z0"},
    {Field::kSubstrate, "Substrate", "design/substrate"},
    {Field::kExtend, "Extend", "design/extend"},
    {Field::kReject, "Reject", "design/reject"},
};
static_assert(std::size(kFields) == kFieldCount);

const FieldInfo& Info(Field field) {
  return kFields[static_cast<std::size_t>(field)];
}

// "14.2M": the exact frequency without its blank and unit.
std::string Compact(double hertz) {
  std::string text = ExactFrequencyText(hertz);
  text.erase(text.size() - 2);  // "Hz"
  std::erase(text, ' ');
  return text;
}

std::string Number(const std::optional<double>& v) {
  return v ? ShortestText(*v) : std::string();
}

}  // namespace

std::span<const FieldInfo> FieldInfos() {
  return kFields;
}

const char* FieldName(Field field) {
  return Info(field).name;
}

const char* FieldKey(Field field) {
  return Info(field).key;
}

DesignTexts TextsOf(const DesignRequest& r) {
  DesignTexts t;
  t[Field::kZ0] = ShortestText(r.z0);
  if (r.source) {
    const double x = r.source->imag();
    t[Field::kSource] = ShortestText(r.source->real()) + (std::signbit(x) ? "-j" : "+j") +
                        ShortestText(std::fabs(x));
  }
  t[Field::kLoadR] = ShortestText(r.load.real());
  t[Field::kLoadX] = ShortestText(r.load.imag());
  t[Field::kFrequency] = Compact(r.hertz);
  t[Field::kBand] = BandsText(r.bands);
  t[Field::kReject] = RejectsText(r.rejects);
  t[Field::kQInductor] = Number(r.parts.q_inductor);
  t[Field::kQCapacitor] = Number(r.parts.q_capacitor);
  t[Field::kLoadedQ] = Number(r.loaded_q);
  if (r.sweep.span) t[Field::kSpan] = Compact(*r.sweep.span);
  if (r.yield) t[Field::kTolerance] = ToleranceText(r.yield->tolerance);
  if (r.line_z0 > 0.0) t[Field::kLineZ0] = ShortestText(r.line_z0);
  if (r.substrate) t[Field::kSubstrate] = SubstrateText(*r.substrate);
  if (r.extend) t[Field::kExtend] = LineText(*r.extend);
  return t;
}

ReadRequest ReadDesignTexts(const DesignTexts& texts, DesignRequest base,
                            const TwoPortData* fixture) {
  const DesignTexts& t = texts;
  DesignRequest& r = base;
  try {
    r.z0 = Value(t, Field::kZ0);
    if (r.measurement == nullptr) r.load = {Value(t, Field::kLoadR), Value(t, Field::kLoadX)};
    const ReadNumber hertz = ReadFrequency(t[Field::kFrequency]);
    if (!hertz.value) throw Bad{Field::kFrequency, hertz.error};
    r.hertz = *hertz.value;
    r.parts.q_inductor = Optional(t, Field::kQInductor, false);
    r.parts.q_capacitor = Optional(t, Field::kQCapacitor, false);
    r.loaded_q = Optional(t, Field::kLoadedQ, false);
    r.networks = r.loaded_q.has_value();
    r.sweep.span = Optional(t, Field::kSpan, true);
    r.bands = BandRanges(t);
    r.rejects = RejectRanges(t);
    r.yield.reset();
    if (!Blank(t[Field::kTolerance])) {
      const ReadToleranceResult read = ReadTolerance(t[Field::kTolerance]);
      if (!read.tolerance) throw Bad{Field::kTolerance, read.error};
      if (read.tolerance->from_library && !r.parts.library) {
        throw Bad{Field::kTolerance, "library tolerances need a parts library"};
      }
      r.yield = YieldRequest{};
      r.yield->tolerance = *read.tolerance;
    }
    r.source.reset();
    if (!Blank(t[Field::kSource])) {
      const ReadImpedanceResult zs = ReadImpedance(t[Field::kSource]);
      if (!zs.value) throw Bad{Field::kSource, zs.error};
      r.source = zs.value;
    }
    ReadLines(t, r, fixture);
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
