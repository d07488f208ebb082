// vorda-match --each in JSON: the document of every point, written as each
// point is designed, and JSON Lines.
#include <algorithm>
#include <iterator>

#include "cli/Report.h"
#include "cli/ReportJson.h"

namespace vorda::cli {

void PrintEachJsonStart(std::ostream& out) {
  out << "{\n  \"points\": [";
}

namespace {

Json PointJson(const EachPoint& point) {
  const Outputs none;
  const Report report{none, {}, {}};
  Json j;
  j["frequency"] = point.hertz;
  j["load"] = ZinJson(point.load);
  if (point.refused) j["refused"] = *point.refused;
  j["runs"] = Json::array();
  for (const rf::Row& t : point.rows) {
    if (t.engine) j["runs"].push_back(RunJson(t, &report));
  }
  return j;
}

// A part's value, or what stands in its place.
Json ValueJson(const rf::Part& p) {
  return p.IsReal() ? Json(p.value) : Json(rf::KindName(p));
}

}  // namespace

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

void PrintEachJsonLine(const EachPoint& point, const std::vector<std::string>& fields,
                       std::ostream& out) {
  Json j;
  j["frequency"] = point.hertz;
  j["load"] = ZinJson(point.load);
  if (point.refused) j["refused"] = *point.refused;
  j["rows"] = Json::array();
  for (const rf::Row& t : point.rows) {
    Json row;
    row["key"] = rf::RowKey(t);
    row["verdict"] = rf::VerdictName(t.verdict);
    if (t.design) {
      Json parts = Json::array();
      const auto& chosen = t.design->Chosen().elements;
      std::transform(chosen.begin(), chosen.end(), std::back_inserter(parts),
                     [](const rf::Element& e) { return ValueJson(e.part); });
      row["parts"] = parts;
      for (const rf::Figure& f : rf::Figures()) {
        const std::string key = FigureKey(f);
        if (rf::HasGroup(t, f.group) &&
            std::find(fields.begin(), fields.end(), key) != fields.end()) {
          row[key] = FigureJson(f, t);
        }
      }
    }
    j["rows"].push_back(row);
  }
  out << Dump(j, -1) << '\n';
}

void PrintEachJsonEnd(std::ostream& out) {
  out << "\n  ]\n}\n";
}

}  // namespace vorda::cli
