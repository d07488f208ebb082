#include "cli/Report.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <iterator>

#include "engine/SectionTypes.h"

namespace vorda::cli {

namespace {

using Json = nlohmann::ordered_json;

Json OrNull(const std::optional<double>& v) {
  return v ? Json(*v) : Json(nullptr);
}

Json Column(const std::vector<std::optional<double>>& values) {
  Json column = Json::array();
  std::transform(values.begin(), values.end(), std::back_inserter(column), OrNull);
  return column;
}

Json ZinJson(const rf::Impedance& z) {
  return Json::array({z.real(), z.imag()});
}

Json ComponentJson(const char* name, const std::optional<double>& reactance, double z0,
                   double hertz, const std::optional<rf::Part>& standard) {
  if (!reactance) return nullptr;
  const double ohms = *reactance * z0;
  Json j;
  j["component"] = name;
  j["ohms"] = ohms;
  const rf::Part part = rf::PartFor(ohms, hertz);
  if (const char* key = rf::ValueKey(part)) j[key] = part.value;
  if (standard) {
    if (const char* key = rf::ValueKey(*standard)) j["standard"] = {{key, standard->value}};
  }
  return j;
}

// What a run's JSON depends on beyond the run itself.
struct RunContext {
  std::optional<double> hertz;                     // the design frequency
  const std::vector<double>* sweep;                // its frequencies, with a sweep
  const std::vector<std::optional<double>>* bare;  // bare load's return loss, with a file
};

void AddDesign(Json& j, const rf::TypeDesign& d, const RunContext& context) {
  if (d.standard_match) {
    j["standard_match"] = {{"zin", ZinJson(d.standard_match->zin)},
                           {"return_loss_db", OrNull(d.standard_match->return_loss_db)},
                           {"vswr", OrNull(d.standard_match->vswr)}};
  }
  if (d.loss) {
    j["loss"] = {{"zin", ZinJson(d.loss->match.zin)},
                 {"return_loss_db", OrNull(d.loss->match.return_loss_db)},
                 {"efficiency", d.loss->efficiency},
                 {"dissipation_db", d.loss->dissipation_db}};
  }
  if (d.band) {
    j["bandwidth"] = {{"low", OrNull(d.band->low)},
                      {"high", OrNull(d.band->high)},
                      {"loaded_q", OrNull(d.band->loaded_q)}};
  }
  if (d.response) {
    j["sweep"] = {{"frequencies", *context.sweep},
                  {"return_loss_db", Column(d.response->return_loss_db)},
                  {"vswr", Column(d.response->vswr)}};
    if (!context.bare->empty()) j["sweep"]["load_return_loss_db"] = Column(*context.bare);
  }
}

Json RunJson(const TypeRun& t, const RunContext& context) {
  const rf::EngineRun& e = t.engine;
  Json j;
  j["type"] = e.type_index;
  Json labels;
  for (ResultLabel label : kResultLabels) {
    const auto& caption = e.view.Caption(label);
    labels[ObjectName(label)] = caption ? Json(*caption) : Json(nullptr);
  }
  j["labels"] = labels;
  j["messages"] = Json::array();
  for (const rf::RecordedBox& box : e.view.Boxes()) {
    j["messages"].push_back(
        {{"title", box.title}, {"prompt", box.prompt}, {"style", static_cast<int>(box.style)}});
  }
  j["fault"] = e.run.fault ? Json{{"code", e.run.fault->code()}} : Json(nullptr);
  j["region"] = e.run.region ? Json(*e.run.region) : Json(nullptr);
  if (const auto& hertz = context.hertz) {
    const SectionType& type = *FindSectionType(e.type_index);
    const rf::TypeDesign* d = t.design ? &*t.design : nullptr;
    const auto standard = [d](bool first) -> std::optional<rf::Part> {
      if (d == nullptr || !d->standard) return std::nullopt;
      return first ? d->standard->first : d->standard->second;
    };
    j["first"] = ComponentJson(type.first_component, e.run.first, e.run.z0, *hertz, standard(true));
    j["second"] =
        ComponentJson(type.second_component, e.run.second, e.run.z0, *hertz, standard(false));
    if (d != nullptr) AddDesign(j, *d, context);
  }
  return j;
}

// Texts from the command line need not be valid UTF-8: replace, never throw.
std::string Dump(const Json& j) {
  return j.dump(2, ' ', false, Json::error_handler_t::replace);
}

}  // namespace

void PrintJson(const Report& report, std::ostream& out) {
  const RunContext context{report.options.hertz, &report.sweep, &report.bare_return_loss_db};
  Json doc;
  if (report.measured) {
    doc["measured_load"] = {{"file", report.measured->file},
                            {"frequency", report.measured->hertz},
                            {"load", ZinJson(report.measured->load)}};
  }
  doc["runs"] = Json::array();
  for (const TypeRun& t : report.runs) doc["runs"].push_back(RunJson(t, context));
  out << Dump(doc) << "\n";
}

void PrintEachJsonStart(std::ostream& out) {
  out << "{\n  \"points\": [";
}

void PrintEachJsonPoint(const EachPoint& point, bool first, std::ostream& out) {
  static const std::vector<double> kNoSweep;
  static const std::vector<std::optional<double>> kNoBare;
  const RunContext context{point.hertz, &kNoSweep, &kNoBare};
  Json j;
  j["frequency"] = point.hertz;
  j["load"] = ZinJson(point.load);
  j["runs"] = Json::array();
  for (const TypeRun& t : point.runs) j["runs"].push_back(RunJson(t, context));
  // The point indented as an element of the points array.
  std::string text = Dump(j);
  std::string indented;
  indented.reserve(text.size() + text.size() / 8);
  for (const char c : text) {
    indented += c;
    if (c == '\n') indented += "    ";
  }
  out << (first ? "\n    " : ",\n    ") << indented;
}

void PrintEachJsonEnd(std::ostream& out) {
  out << "\n  ]\n}\n";
}

}  // namespace vorda::cli
