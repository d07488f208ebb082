#include "cli/Report.h"

#include <nlohmann/json.hpp>

#include "cli/Frequency.h"
#include "engine/SectionTypes.h"

namespace vorda::cli {

namespace {

std::string RegionWords(int region) {
  switch (region) {
    case 1:
      return "inside the unit-conductance circle (left hand circular area)";
    case 2:
      return "inside the unit-resistance circle (right hand circular area)";
    case 3:
      return "upper half of the chart, outside both small circles";
    case 4:
      return "lower half of the chart, outside both small circles";
    default:
      break;
  }
  return "unclassified";
}

nlohmann::ordered_json ComponentJson(const char* name, const std::optional<double>& reactance,
                                     double z0, double hertz) {
  if (!reactance) return nullptr;
  const double ohms = *reactance * z0;
  nlohmann::ordered_json j;
  j["component"] = name;
  j["ohms"] = ohms;
  const ComponentValue v = ValueAt(ohms, hertz);
  if (v.kind == ComponentValue::Kind::kInductor) j["henries"] = v.value;
  if (v.kind == ComponentValue::Kind::kCapacitor) j["farads"] = v.value;
  return j;
}

std::string CaptionOr(const CliView& view, ResultLabel label) {
  return view.Caption(label).value_or("(not computed)");
}

}  // namespace

void PrintJson(const std::vector<TypeRun>& runs, std::optional<double> hertz, std::ostream& out) {
  nlohmann::ordered_json doc;
  doc["runs"] = nlohmann::ordered_json::array();
  for (const TypeRun& t : runs) {
    nlohmann::ordered_json j;
    j["type"] = t.type_index;
    nlohmann::ordered_json labels;
    for (ResultLabel label : kResultLabels) {
      const auto& caption = t.view.Caption(label);
      labels[ObjectName(label)] =
          caption ? nlohmann::ordered_json(*caption) : nlohmann::ordered_json(nullptr);
    }
    j["labels"] = labels;
    j["messages"] = nlohmann::ordered_json::array();
    for (const RecordedBox& box : t.view.Boxes()) {
      j["messages"].push_back(
          {{"title", box.title}, {"prompt", box.prompt}, {"style", static_cast<int>(box.style)}});
    }
    j["fault"] = t.run.fault ? nlohmann::ordered_json{{"code", t.run.fault->code()}}
                             : nlohmann::ordered_json(nullptr);
    j["region"] =
        t.run.region ? nlohmann::ordered_json(*t.run.region) : nlohmann::ordered_json(nullptr);
    if (hertz) {
      const SectionType& type = *FindSectionType(t.type_index);
      j["first"] = ComponentJson(type.first_component, t.run.first, t.run.z0, *hertz);
      j["second"] = ComponentJson(type.second_component, t.run.second, t.run.z0, *hertz);
    }
    doc["runs"].push_back(j);
  }
  // Texts from the command line need not be valid UTF-8: replace, never throw.
  out << doc.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
}

void PrintText(const std::vector<TypeRun>& runs, std::optional<double> hertz, std::ostream& out) {
  const CliView& first_view = runs.front().view;
  if (first_view.Caption(ResultLabel::kNormReal)) {
    out << "Normalized load: r " << CaptionOr(first_view, ResultLabel::kNormReal) << ", x "
        << CaptionOr(first_view, ResultLabel::kNormImag) << "\n";
  }
  if (runs.front().run.region) {
    out << "Region " << *runs.front().run.region << ": " << RegionWords(*runs.front().run.region)
        << "\n";
  }
  for (const TypeRun& t : runs) {
    const SectionType& type = *FindSectionType(t.type_index);
    out << "\nType " << t.type_index << " (" << Caption(type) << "): ";
    switch (t.run.outcome) {
      case Outcome::kComputed:
        out << "computed\n";
        break;
      case Outcome::kRefused:
        out << "refused for region " << t.run.region.value_or(0) << "\n";
        break;
      case Outcome::kOutOfRange:
        out << "type out of range\n";
        break;
      case Outcome::kFault:
        out << "stopped by an arithmetic fault (error code " << t.run.fault->code() << ")\n";
        break;
    }
    auto row = [&](const char* role, const char* name, ResultLabel norm_label,
                   ResultLabel ohms_label, const std::optional<double>& reactance) {
      if (!t.view.Caption(norm_label) && !t.view.Caption(ohms_label)) return;
      out << "  " << role << " " << name << ": " << CaptionOr(t.view, norm_label) << " normalized, "
          << CaptionOr(t.view, ohms_label) << " ohms";
      if (hertz && reactance && t.run.outcome == Outcome::kComputed) {
        out << ", " << Describe(ValueAt(*reactance * t.run.z0, *hertz));
      }
      out << "\n";
    };
    row("first ", type.first_component, ResultLabel::kFirstComponent, ResultLabel::kFirstOhms,
        t.run.first);
    row("second", type.second_component, ResultLabel::kSecondComponent, ResultLabel::kSecondOhms,
        t.run.second);
  }
}

}  // namespace vorda::cli
