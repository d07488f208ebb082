#include "rf/files/Spice.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "rf/circuit/NetworkText.h"
#include "rf/circuit/Units.h"

namespace vorda::rf {

namespace {

// Every digit of the double, so that the simulator gets the same value.
std::string Num(double v) {
  return DigitsText(v, 17);
}

constexpr const char* kTwoPiText = "6.283185307179586";
// The operating point is solved at hertz = 0: loss resistors take 1 Hz there
// so that they stay finite and above zero. No analysis runs below 1 Hz.
constexpr const char* kHertz = "max(hertz, 1)";

// One line of the netlist: a name unique in it, two nodes and the rest.
struct NetLine {
  std::string name;
  std::string a, b;
  std::string value;
  bool conducts_dc = true;  // a path for direct current (not a capacitor)
  // A transmission line's other port, after a and b: its nodes, and the
  // one that direct current reaches from a (none for an open stub's end).
  std::string c = {}, d = {};
  bool dc_to_c = false;
};

class Netlist {
 public:
  void Add(NetLine line) { lines_.push_back(std::move(line)); }

  // A part from node a to node b: the part, then its loss resistor.
  // A part from node a to node b: the part, its loss resistor, and its
  // parasitics (a capacitor's series inductance, an inductor's parallel
  // capacitance); a measured part is drawn as its nominal value, its
  // parasitics and losses left to the comments.
  void AddPart(const std::string& id, const Part& part, const std::string& a,
               const std::string& b) {
    const Parasitics& m = part.model;
    const bool measured = m.measured != nullptr;
    const bool lossy = !std::isinf(part.q) && !measured;
    const bool esl = part.kind == Part::Kind::kCapacitor && m.series_l > 0.0 && !measured;
    const std::string end = esl ? "s" + id : b;
    const std::string mid = lossy ? "m" + id : end;
    const std::string value = Num(part.value);
    // The loss resistance: |X| / Q at every frequency, or from where Q holds.
    const std::string at_q = m.q_hertz > 0.0 ? Num(m.q_hertz) : std::string(kHertz);
    if (part.kind == Part::Kind::kInductor) {
      Add({"L" + id, a, mid, value});
      if (lossy) {
        std::string r =
            std::string(kTwoPiText) + " * " + at_q + " * " + value + " / " + Num(part.q);
        if (m.q_hertz > 0.0) r += " * sqrt(" + std::string(kHertz) + " / " + at_q + ")";
        Add({"R" + id, mid, b, "r = {" + r + "}"});
      }
      if (m.parallel_c > 0.0 && !measured) Add({"CP" + id, a, b, Num(m.parallel_c), false});
    } else {
      Add({"C" + id, a, mid, value, false});
      if (lossy) {
        Add({"R" + id, mid, end,
             "r = {1 / (" + std::string(kTwoPiText) + " * " + at_q + " * " + value + " * " +
                 Num(part.q) + ")}"});
      }
      if (esl) Add({"LS" + id, end, b, Num(m.series_l)});
    }
  }

  // A transmission line from node a (its other port at c, both ports
  // against ground): ngspice's lossless line, or with a loss its lossy
  // line (LTRA, a model of its own) of one unit of length. That takes no G
  // in an AC analysis: the whole loss goes into its R, fitted to the line's
  // attenuation at `hertz` (and held over frequency, as ngspice holds it).
  void AddLine(const std::string& id, const Line& l, const std::string& a, const std::string& c,
               bool dc_to_c, double hertz) {
    const double delay = std::fabs(l.Delay());
    if (!l.Lossy()) {
      Add({"T" + id, a, "0", "Z0=" + Num(l.impedance) + " TD=" + Num(delay), false, c, "0",
           dc_to_c});
      return;
    }
    const double nepers = std::fabs(l.NepersAt(hertz));
    Add({"O" + id, a, "0", "LINE" + id, false, c, "0", dc_to_c});
    models_ += ".model LINE" + id + " ltra r=" + Num(2.0 * l.impedance * nepers) +
               " l=" + Num(l.impedance * delay) + " g=0 c=" + Num(delay / l.impedance) + " len=1\n";
  }
  const std::string& Models() const { return models_; }

  // Resistors from every node that has no path to ground at DC.
  void GroundFloatingNodes(double resistance) {
    std::map<std::string, std::string> parent;
    const auto find = [&](std::string n) {
      while (parent.contains(n) && parent[n] != n) n = parent[n];
      return n;
    };
    for (const NetLine& l : lines_) {
      for (const std::string& n : {l.a, l.b, l.c, l.d}) {
        if (!n.empty()) parent.emplace(n, n);
      }
    }
    for (const NetLine& l : lines_) {
      if (l.conducts_dc) parent[find(l.a)] = find(l.b);
      if (l.dc_to_c) parent[find(l.a)] = find(l.c);
      if (!l.c.empty() && l.c != "0") parent[find(l.c)] = find(l.d);  // its far return
    }
    int k = 0;
    std::vector<NetLine> added;
    for (const auto& [node, up] : parent) {
      if (node != "0" && find(node) != find("0")) {
        added.push_back({"RDC" + std::to_string(++k), node, "0", Num(resistance)});
        parent[find(node)] = find("0");
      }
    }
    lines_.insert(lines_.end(), added.begin(), added.end());
  }

  std::string Text() const {
    std::string out;
    for (const NetLine& l : lines_) {
      out += l.name + " " + l.a + " " + l.b;
      if (!l.c.empty()) out += " " + l.c + " " + l.d;
      out += " " + l.value + "\n";
    }
    return out;
  }

 private:
  std::vector<NetLine> lines_;
  std::string models_;
};

std::string PartComment(std::size_t index, const Element& e, double hertz) {
  std::string s = "* part " + std::to_string(index) + " (" +
                  (e.position == Position::kSeries ? "series" : "shunt") +
                  "): " + DescribeElement(e);
  if (e.line) {
    s += ", delay " + Num(std::fabs(e.line->Delay()));
    if (e.line->Lossy()) {
      s += "; ngspice's lossy line holds the attenuation at " + Num(hertz) + " Hz over frequency";
    }
    return s + "\n";
  }
  const Parasitics& m = e.part.model;
  if (m.measured) return s + ", measured (" + m.measured->file + "): drawn as its nominal value\n";
  if (e.part.IsReal()) s += std::isinf(e.part.q) ? ", ideal" : ", Q " + Num(e.part.q);
  if (e.part.IsReal() && m.q_hertz > 0.0) s += " at " + Num(m.q_hertz) + " Hz";
  if (m.series_l > 0.0) s += ", series inductance " + Num(m.series_l);
  if (m.parallel_c > 0.0) s += ", parallel capacitance " + Num(m.parallel_c);
  return s + "\n";
}

// The largest impedance in the circuit at f: against it a resistor to ground
// a 1e12 times larger changes nothing that the analysis prints.
double ImpedanceScale(const SpiceCircuit& c) {
  double scale = std::max(std::abs(c.source.At(c.hertz)), std::abs(c.load.At(c.hertz)));
  for (const Element& e : c.network.elements) {
    if (e.part.IsReal()) {
      for (const double f : {c.sweep.start, c.sweep.stop, c.hertz}) {
        scale = std::max(scale, std::fabs(e.part.Reactance(f)));
      }
    }
  }
  return scale;
}

}  // namespace

std::string SpiceNetlist(const SpiceCircuit& c) {
  std::string out = "* " + c.title + "\n";
  for (const std::string& note : c.notes) out += "* " + note + "\n";
  out += "* the parts from the source side to the load:\n";
  for (std::size_t i = 0; i < c.network.elements.size(); ++i) {
    out += PartComment(i + 1, c.network.elements[i], c.hertz);
  }
  Netlist n;
  n.Add({"VSRC", "src", "0", "DC 0 AC 1"});
  const Part& source_x = c.source.Reactive();
  const bool complex_source = source_x.kind != Part::Kind::kShort;
  n.Add({"RSRC", "src", complex_source ? "srcx" : "in", Num(c.source.Resistance())});
  if (complex_source) n.AddPart("SRC", source_x, "srcx", "in");
  n.Add({"VIN", "in", "n0", "DC 0"});  // measures the input current
  std::string node = "n0";
  const std::size_t count = c.network.elements.size();
  // The last series part ends at the load.
  std::size_t last_series = count;
  for (std::size_t i = 0; i < count; ++i) {
    if (c.network.elements[i].position == Position::kSeries) last_series = i;
  }
  if (last_series == count) node = "load";  // no series part: the input is the load
  if (node == "load") n.Add({"VLINK", "n0", "load", "DC 0"});
  for (std::size_t i = 0; i < count; ++i) {
    const Element& e = c.network.elements[i];
    const std::string id = std::to_string(i + 1);
    if (e.position == Position::kSeries) {
      const std::string next = i == last_series ? "load" : "n" + id;
      if (e.line) {
        n.AddLine(id, *e.line, node, next, true, c.hertz);
      } else if (e.part.IsReal()) {
        n.AddPart(id, e.part, node, next);
      } else {
        n.Add({"VSHORT" + id, node, next, "DC 0"});  // a plain connection
      }
      node = next;
    } else if (e.line) {  // a stub: its far end open, or shorted to ground
      const bool open = e.line->end == Line::End::kOpen;
      n.AddLine(id, *e.line, node, open ? "e" + id : "0", open, c.hertz);
    } else if (e.part.IsReal()) {
      n.AddPart(id, e.part, node, "0");
    }
  }
  const Part& reactive = c.load.Reactive();
  const std::string inner = reactive.kind == Part::Kind::kShort ? "0" : "loadx";
  n.Add({"RLOAD", "load", inner, Num(c.load.Resistance())});
  if (reactive.kind != Part::Kind::kShort) n.AddPart("LOAD", reactive, inner, "0");
  n.GroundFloatingNodes(1e12 * ImpedanceScale(c));
  out += n.Text();
  out += n.Models();
  out += ".ac lin " + std::to_string(c.sweep.points) + " " + Num(c.sweep.start) + " " +
         Num(c.sweep.stop) + "\n";
  out += ".control\n";
  out += "set numdgt=15\n";
  out += "run\n";
  out += "* the input impedance over the sweep\n";
  out += "let zsweep = v(in) / i(vin)\n";
  out += "print real(zsweep) imag(zsweep)\n";
  out += "* the input impedance at " + Num(c.hertz) + " Hz\n";
  out += "ac lin 1 " + Num(c.hertz) + " " + Num(c.hertz) + "\n";
  out += "let zin = v(in) / i(vin)\n";
  out += "print real(zin) imag(zin)\n";
  out += ".endc\n";
  out += ".end\n";
  return out;
}

}  // namespace vorda::rf
