#include "cli/Report.h"

#include "cli/ReportJson.h"

#include <algorithm>
#include <iterator>

#include "engine/SectionTypes.h"
#include "rf/request/GoalTexts.h"
#include "rf/request/Inputs.h"

namespace vorda::cli {

Json OrNull(const std::optional<double>& v) {
  return v ? Json(*v) : Json(nullptr);
}

namespace {

Json Column(const std::vector<std::optional<double>>& values) {
  Json column = Json::array();
  std::transform(values.begin(), values.end(), std::back_inserter(column), OrNull);
  return column;
}

}  // namespace

Json ZinJson(const rf::Impedance& z) {
  return Json::array({z.real(), z.imag()});
}

Json FigureJson(const rf::Figure& f, const rf::Row& row) {
  if (f.format == rf::FigureFormat::kImpedance) {
    const auto z = f.impedance(row);
    return z ? ZinJson(*z) : Json(nullptr);
  }
  return OrNull(f.value(row));
}

namespace {

// A part of an engine row: the engine's reactance, what realises it and
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

void AddComponents(Json& j, const rf::Row& t) {
  const rf::NetworkDesign& d = *t.design;
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
// A line: its impedance, its electrical length at the frequency it was
// given for, its delay, its loss, and as a strip on the request's substrate.
void AddLine(Json& j, const rf::Element& e, const rf::DesignRequest* r) {
  const rf::Line& l = *e.line;
  j["kind"] = e.position == rf::Position::kSeries ? "line"
              : l.end == rf::Line::End::kOpen     ? "open stub"
                                                  : "shorted stub";
  j["impedance_ohms"] = l.impedance;
  j["degrees"] = l.degrees;
  j["at_hz"] = l.at_hertz;
  j["delay_s"] = l.Delay();
  if (l.conductor.db > 0.0)
    j["conductor_loss"] = {{"db", l.conductor.db}, {"at_hz", l.conductor.hertz}};
  if (l.dielectric.db > 0.0) {
    j["dielectric_loss"] = {{"db", l.dielectric.db}, {"at_hz", l.dielectric.hertz}};
  }
  if (r != nullptr && r->substrate) {
    const auto strip = rf::StripFor(*r->substrate, l.impedance, l.DegreesAt(r->hertz), r->hertz);
    j["microstrip"] =
        strip ? Json{{"width_m", strip->width}, {"length_m", strip->length}} : Json(nullptr);
  }
}

Json ElementsJson(const rf::Network& ideal, const std::optional<rf::Network>& standard,
                  const rf::DesignRequest* r) {
  Json elements = Json::array();
  for (std::size_t i = 0; i < ideal.elements.size(); ++i) {
    const rf::Element& e = ideal.elements[i];
    Json j;
    j["position"] = e.position == rf::Position::kSeries ? "series" : "shunt";
    if (e.line) {
      AddLine(j, e, r);
      elements.push_back(j);
      continue;
    }
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

Json SegmentJson(const rf::Segment& s, const rf::DesignRequest& r) {
  Json j;
  j["band"] = s.band + 1;
  const rf::FrequencyAxis& a = s.reject ? r.rejects[s.band].axis : r.bands[s.band].axis;
  j["start"] = a.start;
  j["stop"] = a.stop;
  if (!r.states.empty()) {
    j["state"] = s.state == 0 ? r.measurement_name : r.states[s.state - 1].name;
  }
  return j;
}

// What the Bode-Fano limit says of a band's figures: "distance" (the
// figure below_limit_db), "no limit", "lossy" (it bounds lossless networks
// only) or "does not bind".
const char* LimitUseKey(const rf::BandFigures& f) {
  switch (f.limit_use) {
    case rf::BandFigures::LimitUse::kDistance:
      return "distance";
    case rf::BandFigures::LimitUse::kLossy:
      return "lossy";
    case rf::BandFigures::LimitUse::kUnbound:
      return "does not bind";
    case rf::BandFigures::LimitUse::kNone:
      break;
  }
  return "no limit";
}

// Each band in each state with its figures and its margin to its goal,
// each band to reject, and the worst margin over them all.
void AddGoals(Json& j, const rf::Row& t, const Report& report) {
  const rf::GoalFigures& g = *t.goals;
  const rf::DesignRequest& r = *report.Request();
  j["bands"] = Json::array();
  j["reject"] = Json::array();
  std::size_t pass = 0, reject = 0;
  for (const rf::Segment& s : report.result.band->segments) {
    Json b = SegmentJson(s, r);
    if (s.reject) {
      const rf::RejectFigures& f = g.rejects[reject++];
      b["goal_db"] = r.rejects[s.band].db;
      b["attenuation_db"] = OrNull(f.attenuation_db);
      b["margin_db"] = OrNull(f.margin_db);
      b["met"] = f.met;
      j["reject"].push_back(b);
      continue;
    }
    const std::size_t i = pass++;
    if (const auto& goal = r.bands[s.band].goal) {
      b["goal"] = {{"figure", rf::BandFigureName(goal->figure)}, {"db", goal->db}};
    }
    const rf::Row figures = rf::BandRow(g.bands[i]);
    for (const rf::Figure& f : rf::Figures()) {
      if (f.group == rf::FigureGroup::kBand ||
          (f.group == rf::FigureGroup::kTotal && rf::HasGroup(figures, f.group))) {
        b[f.json] = FigureJson(f, figures);
      }
    }
    b["bode_fano_use"] = LimitUseKey(g.bands[i]);
    b["margin_db"] = OrNull(g.margins_db[i]);
    b["blocked"] = static_cast<bool>(g.blocked[i]);
    j["bands"].push_back(b);
  }
  j["worst_margin_db"] = OrNull(g.worst_margin_db);
  j["blocked"] = g.worst_blocked;
}

// Every figure of a designed row, each group of them as an object (or at the
// row's top level), in the order of the table; the response over the sweep.
void AddFigures(Json& j, const rf::Row& t, const Report& report) {
  for (const rf::Figure& f : rf::Figures()) {
    if (!rf::HasGroup(t, f.group)) continue;
    const std::string group = rf::GroupKey(f.group);
    (group.empty() ? j : j[group])[f.json] = FigureJson(f, t);
  }
  if (t.band) j["band"]["bode_fano_use"] = LimitUseKey(*t.band);
  if (t.goals && report.result.band) AddGoals(j, t, report);
  const rf::NetworkDesign& d = *t.design;
  if (d.no_standard) j["no_standard"] = rf::WhyText(d.no_standard);
  if (d.band) {
    j["bandwidth"]["searched"] = {{"low", d.band->searched.low}, {"high", d.band->searched.high}};
  }
  if (d.response) {
    const rf::DesignResult& r = report.result;
    j["sweep"] = {{"frequencies", r.frequencies},
                  {"return_loss_db", Column(d.response->return_loss_db)},
                  {"vswr", Column(d.response->vswr)}};
    if (!r.bare_return_loss_db.empty()) {
      j["sweep"]["load_return_loss_db"] = Column(r.bare_return_loss_db);
    }
  }
}

}  // namespace

// The engine's run of a type: the labels and boxes the window would show,
// then (with --freq) the design.
Json RunJson(const rf::Row& t, const Report* report) {
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
  if (report == nullptr) return j;
  j["verdict"] = rf::VerdictName(t.verdict);
  if (t.verdict != rf::Verdict::kDesigned) {
    j["reason"] = rf::StatusText(t);
    j["first"] = nullptr;
    j["second"] = nullptr;
    return j;
  }
  AddComponents(j, t);
  AddFigures(j, t, *report);
  return j;
}

namespace {

// A row that is no engine run: an L type for a complex source, a network
// of three or four parts, a given one or one optimised over the band.
Json NetworkJson(const rf::Row& t, const Report& report) {
  Json j;
  j["network"] = rf::RowName(t);
  j["key"] = rf::RowKey(t);
  j["origin"] = rf::OriginName(t.origin);
  if (t.kind.topology == rf::Topology::kL) j["type"] = t.kind.type;
  j["verdict"] = rf::VerdictName(t.verdict);
  if (t.verdict != rf::Verdict::kDesigned) {
    j["reason"] = rf::StatusText(t);
    j["elements"] = nullptr;
    return j;
  }
  if (!t.note.empty()) j["note"] = t.note;
  j["elements"] = ElementsJson(t.design->ideal, t.design->standard, report.Request());
  AddFigures(j, t, report);
  return j;
}

Json BandJson(const Report& report) {
  const rf::BandSummary& band = *report.result.band;
  Json j;
  j["start"] = band.axis.start;
  j["stop"] = band.axis.stop;
  j["points"] = band.frequencies.size();
  const rf::DesignRequest& r = *report.Request();
  j["figure"] = rf::BandFigureName(r.SearchFigure());
  // Several bands, states or goals: each with its own limit.
  if (!band.segments.empty() && !report.result.plan->band->Single()) {
    j["segments"] = Json::array();
    std::size_t pass = 0;
    for (const rf::Segment& s : band.segments) {
      Json seg = SegmentJson(s, r);
      seg["reject"] = s.reject;
      seg["points"] = s.frequencies.size();
      if (!s.reject) {
        const auto& limit = band.limits[pass++];
        seg["bode_fano_worst_return_loss_db"] = limit ? Json(limit->worst_return_loss_db) : Json();
      }
      j["segments"].push_back(seg);
    }
  }
  j["designs"] = Json::array();
  for (const rf::Row& t : report.result.rows) {
    if (t.origin == rf::Origin::kOverBand) j["designs"].push_back(NetworkJson(t, report));
  }
  j["best_by_parts"] = Json::array();
  const char* by = report.result.plan->band->Plain() ? "worst_return_loss_db" : "worst_margin_db";
  for (const auto& [parts, db] : band.best_by_parts) {
    j["best_by_parts"].push_back({{"parts", parts}, {by, db ? Json(*db) : Json()}});
  }
  j["family"] = Json::array();
  for (const auto& [code, to] : band.family) {
    const Json key =
        to.empty() ? Json() : Json("band-" + rf::KindKey(rf::KindOfLadder(*rf::LadderOfCode(to))));
    j["family"].push_back({{"code", code}, {"design", key}});
  }
  j["refused"] = Json::array();
  for (const auto& [kind, why] : band.refused) {
    j["refused"].push_back({{"topology", rf::KindName(kind)}, {"reason", why}});
  }
  if (band.bode_fano) {
    const rf::LoadFit& fit = band.bode_fano->fit;
    const bool l = rf::HasInductance(fit.circuit), c = rf::HasCapacitance(fit.circuit);
    const double capacitance = l ? fit.capacitance : fit.reactive;
    j["bode_fano"] = {{"model", rf::CircuitName(fit.circuit)},
                      {"resistance", fit.resistance},
                      {"reactive", fit.reactive},
                      {"inductance", l ? Json(fit.reactive) : Json()},
                      {"capacitance", c ? Json(capacitance) : Json()},
                      {"fit", fit.error},
                      {"worst_return_loss_db", band.bode_fano->worst_return_loss_db}};
  } else {
    j["bode_fano"] = nullptr;
  }
  return j;
}

Json InputsJson(const Report& report) {
  Json j;
  for (const rf::Input& in : rf::RequestInputs(*report.Request(), report.result)) {
    j[in.key] = in.number ? Json(*in.number) : Json(in.text);
  }
  return j;
}

}  // namespace

// Texts from the command line need not be valid UTF-8: replace, never throw.
std::string Dump(const Json& j, int indent) {
  return j.dump(indent, ' ', false, Json::error_handler_t::replace);
}

std::string FigureKey(const rf::Figure& f) {
  const std::string group = rf::GroupKey(f.group);
  return group.empty() ? std::string(f.json) : group + "_" + f.json;
}

void PrintJson(const Report& report, std::ostream& out) {
  Json doc;
  if (report.measured) {
    doc["measured_load"] = {{"file", report.measured->file},
                            {"frequency", report.measured->hertz},
                            {"load", ZinJson(report.measured->load)}};
  }
  if (const rf::DesignRequest* r = report.Request()) {
    if (r->source) doc["source"] = ZinJson(*r->source);
    doc["inputs"] = InputsJson(report);
    doc["warnings"] = report.result.warnings;
  }
  doc["runs"] = Json::array();
  Json networks = Json::array();
  for (const rf::Row& t : report.result.rows) {
    if (t.engine) {
      doc["runs"].push_back(RunJson(t, report.Request() != nullptr ? &report : nullptr));
    } else if (t.origin != rf::Origin::kOverBand) {
      networks.push_back(NetworkJson(t, report));
    }
  }
  if (!networks.empty()) doc["networks"] = networks;
  if (report.result.band && report.result.band->searched) doc["band"] = BandJson(report);
  out << Dump(doc) << "\n";
}

}  // namespace vorda::cli
