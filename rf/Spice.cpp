#include "rf/Spice.h"

#include <cmath>

#include "rf/Units.h"

namespace vorda::rf {

namespace {

// Every digit of the double, so that the simulator gets the same value.
std::string Num(double v) {
  return DigitsText(v, 17);
}

constexpr const char* kTwoPi = "6.283185307179586";

// A part from node a to node b: the part, then its loss resistor.
void Element(std::string& out, const std::string& name, const Part& part, const std::string& a,
             const std::string& b) {
  const std::string mid = std::isinf(part.q) ? b : a + "_" + name;
  switch (part.kind) {
    case Part::Kind::kInductor:
      out += "L" + name + " " + a + " " + mid + " " + Num(part.value) + "\n";
      if (mid != b) {
        out += "R" + name + " " + mid + " " + b + " r = {" + kTwoPi + " * hertz * " +
               Num(part.value) + " / " + Num(part.q) + "}\n";
      }
      return;
    case Part::Kind::kCapacitor:
      out += "C" + name + " " + a + " " + mid + " " + Num(part.value) + "\n";
      if (mid != b) {
        out += "R" + name + " " + mid + " " + b + " r = {1 / (" + kTwoPi + " * hertz * " +
               Num(part.value) + " * " + Num(part.q) + ")}\n";
      }
      return;
    case Part::Kind::kShort:
      break;
  }
  out += "V" + name + " " + a + " " + b + " DC 0\n";  // a plain connection
}

std::string PartComment(const char* role, const Part& part) {
  std::string s = std::string("* ") + role + ": " + Describe(part);
  if (part.kind != Part::Kind::kShort) {
    s += std::isinf(part.q) ? ", ideal" : ", Q " + Num(part.q);
  }
  return s + "\n";
}

}  // namespace

std::string SpiceNetlist(const SpiceCircuit& c) {
  std::string out = "* " + c.title + "\n";
  for (const std::string& note : c.notes) out += "* " + note + "\n";
  out += PartComment("first (source side)", c.section.first);
  out += PartComment("second (at the load)", c.section.second);
  out += "V1 src 0 DC 0 AC 1\n";
  out += "R0 src in " + Num(c.z0) + "\n";
  out += "VIN in n1 DC 0\n";  // measures the input current
  if (c.section.family == Family::kShuntAtLoad) {
    Element(out, "1", c.section.first, "n1", "load");
    Element(out, "2", c.section.second, "load", "0");
  } else {
    Element(out, "1", c.section.first, "n1", "0");
    Element(out, "2", c.section.second, "n1", "load");
  }
  out += "* the load\n";
  const Part& reactive = c.load.Reactive();
  const std::string inner = reactive.kind == Part::Kind::kShort ? "0" : "load_r";
  if (c.load.Resistance() != 0.0) {
    out += "RLOAD load " + inner + " " + Num(c.load.Resistance()) + "\n";
  } else {
    out += "VLOAD load " + inner + " DC 0\n";
  }
  if (reactive.kind != Part::Kind::kShort) Element(out, "LOAD", reactive, inner, "0");
  out += ".ac lin " + std::to_string(c.sweep_points) + " " + Num(c.sweep_start) + " " +
         Num(c.sweep_stop) + "\n";
  out += ".control\n";
  out += "set numdgt=15\n";
  out += "run\n";
  out += "* the input impedance at " + Num(c.hertz) + " Hz\n";
  out += "ac lin 1 " + Num(c.hertz) + " " + Num(c.hertz) + "\n";
  out += "let zin = v(in) / i(vin)\n";
  out += "print real(zin) imag(zin)\n";
  out += ".endc\n";
  out += ".end\n";
  return out;
}

SpiceCircuit CircuitFor(const EngineRun& e, const TypeDesign& design, double hertz, double start,
                        double stop, std::size_t points) {
  const ComputeRun& run = e.run;
  const SectionType& type = *FindSectionType(e.type_index);
  SpiceCircuit c{
      "VordaForWin L-section, type " + std::to_string(e.type_index) + " (" + Caption(type) + ")",
      {},
      run.z0,
      design.evaluated,
      SeriesLoad(run.load_r, run.load_x, hertz),
      hertz,
      start,
      stop,
      points};
  c.notes.push_back("Z0 " + ShortestText(run.z0) + " ohms; load " + ShortestText(run.load_r) +
                    (std::signbit(run.load_x) ? " - j" : " + j") +
                    ShortestText(std::fabs(run.load_x)) + " ohms at " +
                    FormatEngineering(hertz, "Hz") + ", as R in series with L or C");
  return c;
}

std::string ValuesNote(const std::optional<ESeries>& series) {
  return series ? std::string("standard values, ") + SeriesName(*series) : "ideal values";
}

std::string MeasuredLoadNote(const std::string& file) {
  return "the load measured in " + file + ", taken at that frequency only";
}

}  // namespace vorda::rf
