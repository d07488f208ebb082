#include "rf/request/DesignTable.h"

#include <algorithm>

#include "engine/SectionTypes.h"
#include "rf/circuit/Units.h"
#include "rf/request/Figures.h"
#include "rf/request/GoalTexts.h"
#include "rf/request/Inputs.h"

namespace vorda::rf {

namespace {

// A text cell, quoted when it holds what would split it.
std::string Text(const std::string& cell) {
  if (cell.find_first_of(",\"\n") == std::string::npos) return cell;
  std::string quoted = "\"";
  for (const char c : cell) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

std::string Value(const Part& p) {
  return p.IsReal() ? ShortestText(p.value) : std::string();
}

// "zin (ohms)" as its two columns, "zin r (ohms)" and "zin x (ohms)".
std::string Half(const char* csv, const char* part) {
  std::string s = csv;
  const std::size_t at = s.find(" (");
  return s.insert(at == std::string::npos ? s.size() : at, std::string(" ") + part);
}

// With several bands, states or goals: the columns of each band in each
// state ("band 2 worst return loss (dB)", "band 1 in 2 margin (dB)"), of
// each band to reject, and the worst margin.
std::string SegmentColumn(const Segment& s) {
  return std::string(s.reject ? "reject " : "band ") + std::to_string(s.band + 1) +
         (s.state > 0 ? " in " + std::to_string(s.state + 1) : std::string());
}

void GoalHeader(std::string& out, const std::vector<Segment>& segments) {
  for (const Segment& s : segments) {
    const std::string name = SegmentColumn(s);
    if (s.reject) {
      for (const char* column : {" attenuation (dB)", " margin (dB)", " met"}) {
        out += ',';
        out += name;
        out += column;
      }
      continue;
    }
    for (const Figure& f : Figures()) {
      if (f.group != FigureGroup::kBand && f.group != FigureGroup::kTotal) continue;
      std::string csv = f.csv;
      const std::size_t over = csv.find(" over the band");
      if (over != std::string::npos) csv.erase(over, 14);
      const std::size_t the = csv.find("the band's ");
      if (the != std::string::npos) csv.replace(the, 11, "");
      out += ',';
      out += name;
      out += ' ';
      out += csv;
    }
    out += "," + name + " margin (dB)";
  }
  out += ",worst margin (dB)";
}

void GoalCells(std::string& out, const Row& t, const std::vector<Segment>& segments) {
  const auto number = [](const std::optional<double>& v) {
    return v ? ShortestText(*v) : std::string();
  };
  std::size_t pass = 0, reject = 0;
  for (const Segment& s : segments) {
    if (s.reject) {
      if (!t.goals) {
        out += ",,,";
        continue;
      }
      const RejectFigures& j = t.goals->rejects[reject++];
      out += "," + number(j.attenuation_db) + "," + number(j.margin_db) + (j.met ? ",yes" : ",no");
      continue;
    }
    const std::size_t i = pass++;
    const Row figures = t.goals ? BandRow(t.goals->bands[i]) : Row{};
    for (const Figure& f : Figures()) {
      if (f.group != FigureGroup::kBand && f.group != FigureGroup::kTotal) continue;
      out += "," + (t.goals && HasGroup(figures, f.group) ? number(f.value(figures)) : "");
    }
    out += "," + (t.goals ? number(t.goals->margins_db[i]) : std::string());
  }
  out += "," + (t.goals ? number(t.goals->worst_margin_db) : std::string());
}

void Header(std::string& out) {
  out += "network,key,origin,best,verdict,status";
  for (std::size_t i = 1; i <= kTableParts; ++i) {
    const std::string p = "part " + std::to_string(i);
    for (const char* column : {"", " kind", " ideal (H or F)", " standard (H or F)",
                               " line impedance (ohms)", " line delay (s)"}) {
      out += ',' + p + column;
    }
  }
  for (const Figure& f : Figures()) {
    if (f.format == FigureFormat::kImpedance) {
      out += "," + Half(f.csv, "r") + "," + Half(f.csv, "x");
    } else {
      out += std::string(",") + f.csv;
    }
  }
  out += "\n";
}

// best: "yes" for the best at the frequency, "over the band" for the best
// over the band.
void RowLine(std::string& out, const Row& t, const char* best) {
  out += Text(RowName(t)) + "," + RowKey(t) + "," + OriginName(t.origin) + "," + best + "," +
         VerdictName(t.verdict) + "," + Text(StatusText(t));
  const std::vector<std::string> names = ComponentNames(t);
  for (std::size_t e = 0; e < kTableParts; ++e) {
    out += "," + (e < names.size() ? names[e] : std::string());
    if (!t.design || e >= t.design->ideal.elements.size()) {
      out += ",,,,,";
      continue;
    }
    const Element& element = t.design->ideal.elements[e];
    if (element.line) {  // a line: its impedance and delay, no value
      const Line& l = *element.line;
      out += element.position == Position::kSeries ? ",line"
             : l.end == Line::End::kOpen           ? ",open stub"
                                                   : ",shorted stub";
      out += ",,," + ShortestText(l.impedance) + "," + ShortestText(l.Delay());
      continue;
    }
    const Part& ideal = element.part;
    out += std::string(",") + KindName(ideal) + "," + Value(ideal) + ",";
    if (t.design->standard) out += Value(t.design->standard->elements[e].part);
    out += ",,";
  }
  for (const Figure& f : Figures()) {
    const bool has = HasGroup(t, f.group);
    if (f.format == FigureFormat::kImpedance) {
      const auto z = has ? f.impedance(t) : std::nullopt;
      out += "," + (z ? ShortestText(z->real()) : "") + "," + (z ? ShortestText(z->imag()) : "");
      continue;
    }
    const auto v = has ? f.value(t) : std::nullopt;
    out += "," + (v ? ShortestText(*v) : std::string());
  }
  out += "\n";
}

}  // namespace

std::string DesignTableCsv(const DesignRequest& r, const DesignResult& result) {
  std::string out = "# VordaForWin design table; the inputs it was made from:\n";
  for (const Input& in : RequestInputs(r, result)) out += "# " + in.name + ": " + in.text + "\n";
  const bool goals = result.plan && result.plan->band && !result.plan->band->Single();
  const std::vector<Segment> none;
  const std::vector<Segment>& segments = goals ? result.band->segments : none;
  Header(out);
  if (goals) {
    out.pop_back();  // the header's end of line
    GoalHeader(out, segments);
    out += "\n";
  }
  const std::optional<std::size_t> band_best = BandBest(result);
  for (std::size_t i = 0; i < result.rows.size(); ++i) {
    const bool best_over_band = band_best == i;
    RowLine(out, result.rows[i], result.best == i ? "yes" : best_over_band ? "over the band" : "");
    if (!goals) continue;
    out.pop_back();
    GoalCells(out, result.rows[i], segments);
    out += "\n";
  }
  return out;
}

std::vector<std::string> ComponentNames(const Row& t) {
  if (t.kind.topology == Topology::kL) {
    const SectionType& type = *FindSectionType(t.kind.type);
    return {type.first_component, type.second_component};
  }
  std::vector<std::string> names;
  if (!t.design) return names;
  for (const Element& e : t.design->ideal.elements) {
    const std::string where = e.position == Position::kSeries ? "Series " : "Shunt ";
    names.push_back(where + (e.part.kind == Part::Kind::kInductor    ? "L"
                             : e.part.kind == Part::Kind::kCapacitor ? "C"
                                                                     : KindName(e.part)));
  }
  return names;
}

}  // namespace vorda::rf
