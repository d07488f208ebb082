#include "rf/request/Netlists.h"

#include <cmath>

#include "rf/circuit/Units.h"

namespace vorda::rf {

namespace {

std::string ImpedanceText(Impedance z) {
  return ShortestText(z.real()) + (std::signbit(z.imag()) ? " - j" : " + j") +
         ShortestText(std::fabs(z.imag())) + " ohms";
}

}  // namespace

SpiceCircuit CircuitFor(const std::string& what, const Network& built, const DesignRequest& request,
                        Impedance load, const AcSweep& sweep) {
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
  c.notes.push_back(request.series ? std::string("standard values, ") + SeriesName(*request.series)
                                   : "ideal values");
  return c;
}

SpiceCircuit CircuitFor(const DesignRequest& request, const DesignResult& result,
                        const TypeResult& type, const AcSweep& sweep) {
  const std::string what = type.kind.topology == Topology::kL
                               ? "L-section, type " + std::to_string(type.kind.type) + " (" +
                                     Caption(*FindSectionType(type.kind.type)) + ")"
                               : KindName(type.kind) + " network";
  return CircuitFor(what, type.design->evaluated, request, result.load, sweep);
}

}  // namespace vorda::rf
