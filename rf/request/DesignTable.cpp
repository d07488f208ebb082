#include "rf/request/DesignTable.h"

#include "rf/circuit/Units.h"

namespace vorda::rf {

namespace {

// A text cell, quoted when it holds what would split it.
std::string Text(const std::string& cell) {
  if (cell.find_first_of(",\"\n") == std::string::npos) return cell;
  std::string quoted = "\"";
  for (const char c : cell) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

std::string Number(const std::optional<double>& v) {
  return v ? ShortestText(*v) : std::string();
}

std::string Value(const Part& p) {
  return p.IsReal() ? ShortestText(p.value) : std::string();
}

const char* RankingName(Ranking r) {
  switch (r) {
    case Ranking::kDissipation:
      return "dissipation loss";
    case Ranking::kBandwidth:
      return "bandwidth";
    case Ranking::kLowPassFirst:
      return "low-pass first";
    case Ranking::kReturnLoss:
      break;
  }
  return "return loss";
}

void Inputs(std::string& out, const DesignRequest& r, const DesignResult& result) {
  out += "input,value\n";
  out += "z0 (ohms)," + ShortestText(r.z0) + "\n";
  if (r.measurement != nullptr) {
    out += "measurement," + Text(r.measurement_name) + "\n";
    out += "load r at the frequency (ohms)," + ShortestText(result.load.real()) + "\n";
    out += "load x at the frequency (ohms)," + ShortestText(result.load.imag()) + "\n";
  } else {
    out += "load r (ohms)," + ShortestText(r.load.real()) + "\n";
    out += "load x (ohms)," + ShortestText(r.load.imag()) + "\n";
  }
  out += "frequency (Hz)," + ShortestText(r.hertz) + "\n";
  out += std::string("series,") + (r.series ? SeriesName(*r.series) : "ideal") + "\n";
  out += "q of inductors," + (r.q_inductor ? ShortestText(*r.q_inductor) : "ideal") + "\n";
  out += "q of capacitors," + (r.q_capacitor ? ShortestText(*r.q_capacitor) : "ideal") + "\n";
  if (!result.frequencies.empty()) {
    out += "sweep from (Hz)," + ShortestText(result.frequencies.front()) + "\n";
    out += "sweep to (Hz)," + ShortestText(result.frequencies.back()) + "\n";
    out += "sweep points," + std::to_string(result.frequencies.size()) + "\n";
  }
  out += std::string("best by,") + RankingName(r.ranking) + "\n";
}

}  // namespace

std::string DesignTableCsv(const DesignRequest& r, const DesignResult& result) {
  std::string out;
  Inputs(out, r, result);
  out += "\n";
  out += "network,key,best,verdict,status";
  for (std::size_t i = 1; i <= kTableParts; ++i) {
    const std::string p = "part " + std::to_string(i);
    for (const char* column : {"", " kind", " ideal (H or F)", " standard (H or F)"}) {
      out += ',';
      out += p;
      out += column;
    }
  }
  out +=
      ",return loss (dB),vswr,dissipation loss (dB),band low (Hz),band high (Hz),loaded q,"
      "insertion loss (dB),attenuation at 2f (dB),attenuation at 3f (dB)\n";
  for (std::size_t i = 0; i < result.types.size(); ++i) {
    const TypeResult& t = result.types[i];
    out += Text(KindName(t.kind)) + "," + KindKey(t.kind) + "," + (result.best == i ? "yes" : "") +
           "," + VerdictName(t.verdict) + "," + Text(t.status);
    const std::vector<std::string> names = ComponentNames(t);
    for (std::size_t e = 0; e < kTableParts; ++e) {
      out += "," + (e < names.size() ? names[e] : std::string());
      if (!t.design || e >= t.design->ideal.elements.size()) {
        out += ",,,";
        continue;
      }
      const Part& ideal = t.design->ideal.elements[e].part;
      out += std::string(",") + KindName(ideal) + "," + Value(ideal) + ",";
      if (t.design->standard) out += Value(t.design->standard->elements[e].part);
    }
    if (t.design) {
      const std::optional<Band>& b = t.design->band;
      const Harmonics& h = t.design->harmonics;
      out += "," + Number(t.at_design->return_loss_db) + "," + Number(t.at_design->vswr) + "," +
             Number(t.dissipation_db.value_or(0.0)) + "," + (b ? Number(b->low) : "") + "," +
             (b ? Number(b->high) : "") + "," + (b ? Number(b->loaded_q) : "") + "," +
             Number(h.insertion_loss_db) + "," + Number(h.attenuation_2f_db) + "," +
             Number(h.attenuation_3f_db);
    } else {
      out += ",,,,,,,,,";
    }
    out += "\n";
  }
  return out;
}

std::vector<std::string> ComponentNames(const TypeResult& t) {
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
