#include "rf/request/Netlists.h"

#include <cmath>

#include "engine/SectionTypes.h"
#include "rf/circuit/Units.h"

namespace vorda::rf {

namespace {

std::string ImpedanceText(Impedance z) {
  return ShortestText(z.real()) + (std::signbit(z.imag()) ? " - j" : " + j") +
         ShortestText(std::fabs(z.imag())) + " ohms";
}

}  // namespace

SpiceCircuit CircuitFor(const std::string& what, const Network& built, const DesignRequest& request,
                        Impedance load, const FrequencyAxis& sweep) {
  const double f = request.hertz;
  const Impedance zs = request.SourceOf().z;
  SpiceCircuit c{"VordaForWin " + what,
                 {},
                 SeriesLoad(zs.real(), zs.imag(), f),
                 built,
                 SeriesLoad(load.real(), load.imag(), f),
                 f,
                 sweep};
  c.notes.push_back("source " + ImpedanceText(zs) + "; load " + ImpedanceText(load) + " at " +
                    FormatEngineering(f, "Hz") + ", each as R in series with L or C");
  if (request.measurement != nullptr) {
    c.notes.push_back("the load measured in " + request.measurement_name +
                      ", taken at that frequency only");
  }
  c.notes.push_back(request.parts.series
                        ? std::string("standard values, ") + SeriesName(*request.parts.series)
                        : "ideal values");
  return c;
}

TwoPortFormat TwoPortFormatOf(const DesignRequest& r, const DesignResult& result,
                              const std::string& what, bool load_reference, bool version2) {
  TwoPortFormat f;
  f.r1 = r.z0;
  f.r2 = load_reference ? result.load.real() : r.z0;
  f.version2 = version2 || load_reference;
  const std::string load = r.measurement ? "the load measured in " + r.measurement_name
                                         : "the load, " + ImpedanceText(result.load) + " at " +
                                               FormatEngineering(r.hertz, "Hz") +
                                               " (R in series with L or C)";
  f.comments = {"VordaForWin " + what,
                "port 1 is the source side, port 2 the load side; port 1 is referred to " +
                    ShortestText(f.r1) + " ohms, port 2 to " + ShortestText(f.r2) + " ohms" +
                    (load_reference ? " (the load's resistance at the design frequency)" : ""),
                "to see the match: terminate port 2 in " + load +
                    ", and drive port 1 from the source, " + ImpedanceText(r.SourceOf().z)};
  return f;
}

std::string NetworkWhat(const Row& t) {
  const std::string name = KindName(t.kind);
  const bool named = (name.size() >= 7 && name.compare(name.size() - 7, 7, "network") == 0) ||
                     t.kind.topology >= Topology::kSingleStubOpen;
  const std::string what = t.kind.topology == Topology::kL
                               ? "L-section, type " + std::to_string(t.kind.type) + " (" +
                                     Caption(*FindSectionType(t.kind.type)) + ")"
                           : t.origin == Origin::kTuned ? "network tuned from " + t.tuned_from
                           : named                      ? name
                                                        : name + " network";
  return t.origin == Origin::kOverBand ? what + " over the band" : what;
}

SpiceCircuit CircuitFor(const DesignRequest& request, const DesignResult& result, const Row& row,
                        const FrequencyAxis& sweep) {
  return CircuitFor(NetworkWhat(row), row.design->built, request, result.load, sweep);
}

}  // namespace vorda::rf
