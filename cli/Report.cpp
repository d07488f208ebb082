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

// A part of a designed type: the engine's reactance, what realises it and
// the standard value chosen; a short or an open has no value.
Json ComponentJson(const char* name, double ohms, const rf::Part& ideal,
                   const std::optional<rf::Part>& standard) {
  Json j;
  j["component"] = name;
  j["ohms"] = ohms;
  j["part"] = rf::KindName(ideal);
  if (const char* key = rf::ValueKey(ideal)) j[key] = ideal.value;
  if (standard) {
    if (const char* key = rf::ValueKey(*standard)) j["standard"] = {{key, standard->value}};
  }
  return j;
}

Json MatchJson(const rf::Match& m) {
  return {{"zin", ZinJson(m.zin)},
          {"return_loss_db", OrNull(m.return_loss_db)},
          {"vswr", OrNull(m.vswr)}};
}

// What a run's JSON depends on beyond the run itself.
struct RunContext {
  bool design;                                     // --freq was given
  const std::vector<double>* sweep;                // its frequencies, with a sweep
  const std::vector<std::optional<double>>* bare;  // bare load's return loss, with a file
};

void AddParts(Json& j, const rf::TypeResult& t) {
  const rf::TypeDesign& d = *t.design;
  const SectionType& type = *FindSectionType(t.kind.type);
  const ComputeRun& run = t.engine->run;
  const auto standard = [&d](std::size_t i) -> std::optional<rf::Part> {
    if (!d.standard) return std::nullopt;
    return d.standard->elements[i].part;
  };
  j["first"] = ComponentJson(type.first_component, *run.first * run.z0, d.ideal.elements[0].part,
                             standard(0));
  j["second"] = ComponentJson(type.second_component, *run.second * run.z0, d.ideal.elements[1].part,
                              standard(1));
}

// The parts from the source side: where each stands, what it is, its value
// and its standard value.
Json ElementsJson(const rf::Network& ideal, const std::optional<rf::Network>& standard) {
  Json elements = Json::array();
  for (std::size_t i = 0; i < ideal.elements.size(); ++i) {
    const rf::Element& e = ideal.elements[i];
    Json j;
    j["position"] = e.position == rf::Position::kSeries ? "series" : "shunt";
    const rf::Part& p = e.part;
    j["kind"] = p.kind == rf::Part::Kind::kInductor    ? "L"
                : p.kind == rf::Part::Kind::kCapacitor ? "C"
                                                       : rf::KindName(p);
    if (const char* key = rf::ValueKey(p)) j[key] = p.value;
    if (standard && standard->elements[i].part.IsReal()) {
      j["standard"] = standard->elements[i].part.value;
    }
    elements.push_back(j);
  }
  return elements;
}

void AddHarmonics(Json& j, const rf::Harmonics& h) {
  j["insertion_loss_db"] = OrNull(h.insertion_loss_db);
  j["attenuation_2f_db"] = OrNull(h.attenuation_2f_db);
  j["attenuation_3f_db"] = OrNull(h.attenuation_3f_db);
}

void AddDesign(Json& j, const rf::TypeDesign& d, const RunContext& context) {
  if (d.standard_match) j["standard_match"] = MatchJson(*d.standard_match);
  if (d.loss) {
    j["loss"] = {{"zin", ZinJson(d.loss->match.zin)},
                 {"return_loss_db", OrNull(d.loss->match.return_loss_db)},
                 {"efficiency", d.loss->efficiency},
                 {"dissipation_db", d.loss->dissipation_db}};
  }
  if (d.band) {
    j["bandwidth"] = {
        {"low", OrNull(d.band->low)},
        {"high", OrNull(d.band->high)},
        {"loaded_q", OrNull(d.band->loaded_q)},
        {"searched", {{"low", d.band->searched.low}, {"high", d.band->searched.high}}}};
  }
  if (d.response) {
    j["sweep"] = {{"frequencies", *context.sweep},
                  {"return_loss_db", Column(d.response->return_loss_db)},
                  {"vswr", Column(d.response->vswr)}};
    if (!context.bare->empty()) j["sweep"]["load_return_loss_db"] = Column(*context.bare);
  }
  AddHarmonics(j, d.harmonics);
}

Json RunJson(const rf::TypeResult& t, const RunContext& context) {
  const ComputeRecord& e = *t.engine;
  Json j;
  j["type"] = e.type_index;
  Json labels;
  for (ResultLabel label : kResultLabels) {
    const auto& caption = e.Caption(label);
    labels[ObjectName(label)] = caption ? Json(*caption) : Json(nullptr);
  }
  j["labels"] = labels;
  j["messages"] = Json::array();
  for (const RecordedBox& box : e.boxes) {
    j["messages"].push_back(
        {{"title", box.title}, {"prompt", box.prompt}, {"style", static_cast<int>(box.style)}});
  }
  j["fault"] = e.run.fault ? Json{{"code", e.run.fault->code()}} : Json(nullptr);
  j["region"] = e.run.region ? Json(*e.run.region) : Json(nullptr);
  if (!context.design) return j;
  j["verdict"] = rf::VerdictName(t.verdict);
  if (t.verdict != rf::Verdict::kDesigned) {
    j["reason"] = t.status;
    j["first"] = nullptr;
    j["second"] = nullptr;
    return j;
  }
  AddParts(j, t);
  AddDesign(j, *t.design, context);
  return j;
}

// A row that is no engine run: an L type for a complex source, or a network
// of three or four parts, at the design frequency.
Json NetworkJson(const rf::TypeResult& t, const RunContext& context) {
  Json j;
  j["network"] = rf::KindName(t.kind);
  j["key"] = rf::KindKey(t.kind);
  if (t.kind.topology == rf::Topology::kL) j["type"] = t.kind.type;
  j["verdict"] = rf::VerdictName(t.verdict);
  if (t.verdict != rf::Verdict::kDesigned) {
    j["reason"] = t.status;
    j["elements"] = nullptr;
    return j;
  }
  j["elements"] = ElementsJson(t.design->ideal, t.design->standard);
  j["match"] = MatchJson(*t.at_design);
  AddDesign(j, *t.design, context);
  return j;
}

Json BandJson(const rf::BandResult& band, const Options& opt) {
  Json j;
  j["start"] = opt.band->first;
  j["stop"] = opt.band->second;
  j["points"] = band.frequencies.size();
  j["designs"] = Json::array();
  for (const rf::BandDesign& d : band.designs) {
    const rf::BandFigures& f = d.figures;
    Json design;
    design["topology"] = rf::KindName(d.kind);
    design["key"] = rf::KindKey(d.kind);
    design["elements"] = ElementsJson(d.ideal, d.standard);
    design["worst_return_loss_db"] = OrNull(f.worst_return_loss_db);
    design["mean_return_loss_db"] = OrNull(f.mean_return_loss_db);
    design["vswr2_coverage"] = f.vswr2_coverage;
    design["dissipation_db"] = {{"low", f.dissipation_low_db},
                                {"centre", f.dissipation_centre_db},
                                {"high", f.dissipation_high_db}};
    AddHarmonics(design, d.harmonics);
    j["designs"].push_back(design);
  }
  j["refused"] = Json::array();
  for (const auto& [kind, why] : band.refused) {
    j["refused"].push_back({{"topology", rf::KindName(kind)}, {"reason", why}});
  }
  if (band.bode_fano) {
    const rf::LoadFit& fit = band.bode_fano->fit;
    j["bode_fano"] = {{"model", rf::CircuitName(fit.circuit)},
                      {"resistance", fit.resistance},
                      {"reactive", fit.reactive},
                      {"fit", fit.error},
                      {"worst_return_loss_db", band.bode_fano->worst_return_loss_db}};
  } else {
    j["bode_fano"] = nullptr;
  }
  return j;
}

// Texts from the command line need not be valid UTF-8: replace, never throw.
std::string Dump(const Json& j) {
  return j.dump(2, ' ', false, Json::error_handler_t::replace);
}

}  // namespace

void PrintJson(const Report& report, std::ostream& out) {
  const RunContext context{report.design, &report.result.frequencies,
                           &report.result.bare_return_loss_db};
  Json doc;
  if (report.measured) {
    doc["measured_load"] = {{"file", report.measured->file},
                            {"frequency", report.measured->hertz},
                            {"load", ZinJson(report.measured->load)}};
  }
  if (report.source) doc["source"] = ZinJson(*report.source);
  if (report.design) doc["warnings"] = report.result.warnings;
  doc["runs"] = Json::array();
  Json networks = Json::array();
  for (const rf::TypeResult& t : report.result.types) {
    if (t.engine) {
      doc["runs"].push_back(RunJson(t, context));
    } else {
      networks.push_back(NetworkJson(t, context));
    }
  }
  if (!networks.empty()) doc["networks"] = networks;
  if (report.band) doc["band"] = BandJson(*report.band, report.options);
  out << Dump(doc) << "\n";
}

void PrintEachJsonStart(std::ostream& out) {
  out << "{\n  \"points\": [";
}

Json PointJson(const EachPoint& point) {
  static const std::vector<double> kNoSweep;
  static const std::vector<std::optional<double>> kNoBare;
  const RunContext context{true, &kNoSweep, &kNoBare};
  Json j;
  j["frequency"] = point.hertz;
  j["load"] = ZinJson(point.load);
  if (point.refused) j["refused"] = *point.refused;
  j["runs"] = Json::array();
  for (const rf::TypeResult& t : point.runs) {
    if (t.engine) j["runs"].push_back(RunJson(t, context));
  }
  return j;
}

void PrintEachJsonPoint(const EachPoint& point, bool first, std::ostream& out) {
  // The point indented as an element of the points array.
  std::string text = Dump(PointJson(point));
  std::string indented;
  indented.reserve(text.size() + text.size() / 8);
  for (const char c : text) {
    indented += c;
    if (c == '\n') indented += "    ";
  }
  out << (first ? "\n    " : ",\n    ") << indented;
}

void PrintEachJsonLine(const EachPoint& point, std::ostream& out) {
  out << PointJson(point).dump(-1, ' ', false, Json::error_handler_t::replace) << '\n';
}

void PrintEachJsonEnd(std::ostream& out) {
  out << "\n  ]\n}\n";
}

}  // namespace vorda::cli
