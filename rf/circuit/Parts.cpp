#include "rf/circuit/Parts.h"

#include <cmath>

#include "rf/circuit/Units.h"

namespace vorda::rf {

Part PartFor(double reactance_ohms, double hertz, double q_inductor, double q_capacitor) {
  const double omega = kTwoPi * hertz;
  if (reactance_ohms > 0.0) return {Part::Kind::kInductor, reactance_ohms / omega, q_inductor};
  if (reactance_ohms < 0.0) {
    return {Part::Kind::kCapacitor, -1.0 / (omega * reactance_ohms), q_capacitor};
  }
  return {};
}

Part MatchingPart(double reactance_ohms, double reference_ohms, double hertz) {
  const double normalized = std::fabs(reactance_ohms / reference_ohms);
  if (!(normalized > kShortReactance)) return {Part::Kind::kShort, 0.0, kIdealQ};
  if (normalized >= kOpenReactance) return {Part::Kind::kOpen, 0.0, kIdealQ};
  return PartFor(reactance_ohms, hertz);
}

Part WithValue(const Part& part, double value) {
  Part p = part;
  p.value = value;
  return p;
}

std::string Describe(const Part& part) {
  switch (part.kind) {
    case Part::Kind::kInductor:
      return FormatEngineering(part.value, "H");
    case Part::Kind::kCapacitor:
      return FormatEngineering(part.value, "F");
    case Part::Kind::kOpen:
      return "open (leave out)";
    case Part::Kind::kShort:
      break;
  }
  return "short";
}

const char* ValueKey(const Part& part) {
  switch (part.kind) {
    case Part::Kind::kInductor:
      return "henries";
    case Part::Kind::kCapacitor:
      return "farads";
    case Part::Kind::kShort:
    case Part::Kind::kOpen:
      break;
  }
  return nullptr;
}

const char* KindName(const Part& part) {
  switch (part.kind) {
    case Part::Kind::kInductor:
      return "inductor";
    case Part::Kind::kCapacitor:
      return "capacitor";
    case Part::Kind::kOpen:
      return "open";
    case Part::Kind::kShort:
      break;
  }
  return "short";
}

}  // namespace vorda::rf
