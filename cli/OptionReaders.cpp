#include "cli/OptionReaders.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "cli/Report.h"
#include "engine/SectionTypes.h"
#include "rf/circuit/Limits.h"
#include "rf/circuit/NetworkText.h"
#include "rf/circuit/Units.h"
#include "rf/request/Figures.h"

namespace vorda::cli {

double FrequencyValue(const std::string& option, const std::string& text) {
  const rf::ReadNumber hertz = rf::ReadFrequency(text);
  if (!hertz.value) throw UsageError{option + ": " + hertz.error};
  if (auto why = rf::CheckFrequency(*hertz.value, option)) throw UsageError{*why};
  return *hertz.value;
}

double QualityValue(const std::string& option, const std::string& text) {
  const rf::ReadNumber q = rf::ReadEngineering(text);
  if (!q.value) throw UsageError{option + ": " + q.error};
  if (auto why = rf::CheckQ(*q.value, option)) throw UsageError{*why};
  return *q.value;
}

double NumberValue(const std::string& option, const std::string& text, const char* unit) {
  const rf::ReadNumber v = rf::ReadEngineering(text, unit);
  if (!v.value) throw UsageError{option + ": " + v.error};
  return *v.value;
}

long long WholeValue(const std::string& option, const std::string& text, long long least,
                     long long most) {
  std::size_t used = 0;
  long long n = 0;
  try {
    n = std::stoll(text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used != text.size() || text.empty() || n < least || n > most) {
    throw UsageError{option + " must be a whole number from " + std::to_string(least) + " to " +
                     std::to_string(most) + ": " + text};
  }
  return n;
}

std::size_t ChoiceValue(const std::string& option, const std::string& text,
                        const std::vector<std::string>& keys) {
  const auto at = std::find(keys.begin(), keys.end(), text);
  if (at == keys.end()) throw UsageError{option + " must be " + Alternatives(keys) + ": " + text};
  return static_cast<std::size_t>(at - keys.begin());
}

std::vector<std::int16_t> TypesValue(const std::string& text) {
  std::vector<std::int16_t> types;
  if (text == "all") {
    for (std::int16_t t = 1; t <= kTypeCount; ++t) types.push_back(t);
  } else if (text.size() == 1 && FindSectionType(static_cast<std::int16_t>(text[0] - '0'))) {
    types.push_back(static_cast<std::int16_t>(text[0] - '0'));
  } else {
    throw UsageError{"--type must be a number from 1 to 8, or all: " + text};
  }
  return types;
}

std::vector<std::string> FieldsValue(const std::string& text) {
  std::vector<std::string> known;
  std::transform(rf::Figures().begin(), rf::Figures().end(), std::back_inserter(known),
                 [](const rf::Figure& f) { return FigureKey(f); });
  if (text == "all") return known;
  std::vector<std::string> fields;
  if (text == "none") return fields;
  std::size_t at = 0;
  while (at <= text.size()) {
    const std::size_t comma = std::min(text.find(',', at), text.size());
    const std::string field = text.substr(at, comma - at);
    if (std::find(known.begin(), known.end(), field) == known.end()) {
      std::string all;
      for (const std::string& k : known) {
        if (!all.empty()) all += ", ";
        all += k;
      }
      std::string why = "--fields: \u201c" + field;
      why += "\u201d is not a figure (" + all + ")";
      throw UsageError{why};
    }
    fields.push_back(field);
    at = comma + 1;
  }
  return fields;
}

void ReadSweep(const std::string& text, OptionContext& c) {
  rf::SweepPlan& plan = c.command.request.sweep;
  if (text.empty()) {
    if (!c.given("--s1p")) {
      throw UsageError{"--sweep needs START:STOP[:N] (or a file given with --s1p)"};
    }
    plan.kind = rf::SweepPlan::Kind::kMeasured;
    return;
  }
  const rf::ReadAxis a = rf::ReadRange(text, rf::kMaxSweepPoints, false);
  if (!a.axis) throw UsageError{"--sweep " + text + ": " + a.error};
  plan = {rf::SweepPlan::Kind::kRange, *a.axis, {}};
}

void ReadBand(const std::string& text, OptionContext& c) {
  rf::ReadBandsResult read = rf::ReadBands(text);
  if (!read.error.empty()) throw UsageError{"--band " + text + ": " + read.error};
  auto& bands = c.command.request.bands;
  bands.insert(bands.end(), read.bands.begin(), read.bands.end());
}

void ReadReject(const std::string& text, OptionContext& c) {
  rf::ReadRejectsResult read = rf::ReadRejects(text);
  if (!read.error.empty()) throw UsageError{"--reject " + text + ": " + read.error};
  auto& rejects = c.command.request.rejects;
  rejects.insert(rejects.end(), read.rejects.begin(), read.rejects.end());
}

void ReadTolerance(const std::string& text, OptionContext& c) {
  const rf::ReadToleranceResult read = rf::ReadTolerance(text);
  if (!read.tolerance) throw UsageError{"--tolerance: " + read.error};
  if (read.tolerance->from_library && !c.given("--parts")) {
    throw UsageError{"--tolerance library takes each part's tolerance from --parts: give it"};
  }
  c.command.request.yield = rf::YieldRequest{};
  c.command.request.yield->tolerance = *read.tolerance;
}

void ReadTopology(const std::string& text, OptionContext& c) {
  const auto kind = rf::ParseKind(text);
  if (!kind) {
    throw UsageError{
        "--topology must be l1 ... l8, pi-lp, pi-hp, t-lp, t-hp, 2l-lp, 2l-hp, "
        "given or a ladder's code such as sL-pLC-sC: " +
        text};
  }
  c.command.outputs.topology_key = text;
  c.command.outputs.topology = kind;
}

void ReadNetwork(const std::string& text, OptionContext& c) {
  const rf::ParsedNetwork n = rf::ParseNetwork(text);
  if (!n.network) throw UsageError{"--network: " + n.error};
  c.command.request.given = n.network;
}

}  // namespace vorda::cli
