#include "rf/request/Verdict.h"

#include <algorithm>

namespace vorda::rf {

namespace {

std::string RefusedFor(int region) {
  switch (region) {
    case 1:
      return "refused: load inside the g = 1 circle";
    case 2:
      return "refused: load inside the r = 1 circle";
    case 3:
      return "refused: load in the upper half";
    case 4:
      return "refused: load in the lower half";
    default:
      break;
  }
  return "refused: load in no region";
}

}  // namespace

const char* VerdictName(Verdict verdict) {
  switch (verdict) {
    case Verdict::kDesigned:
      return "designed";
    case Verdict::kAlreadyMatched:
      return "already matched";
    case Verdict::kNotComputed:
      return "not computed";
    case Verdict::kNotComputable:
      break;
  }
  return "not computable";
}

std::string RegionWords(int region) {
  switch (region) {
    case 1:
      return "inside the unit-conductance circle (left hand circular area)";
    case 2:
      return "inside the unit-resistance circle (right hand circular area)";
    case 3:
      return "upper half of the chart, outside both small circles";
    case 4:
      return "lower half of the chart, outside both small circles";
    default:
      break;
  }
  return "unclassified";
}

std::string EngineStatus(const ComputeRecord& record) {
  const ComputeRun& run = record.run;
  const std::string on_boundary = run.on_boundary ? ", the load lies on a circle boundary" : "";
  switch (run.outcome) {
    case Outcome::kComputed:
      break;
    case Outcome::kRefused:
      return RefusedFor(run.region.value_or(0));
    case Outcome::kOutOfRange:
      return "refused: no such type";
    case Outcome::kFault:
      return "stopped by an arithmetic fault: " + FaultName(run.fault->kind) + " (error code " +
             std::to_string(run.fault->code()) + ")" + on_boundary;
  }
  return "admitted" + on_boundary;
}

}  // namespace vorda::rf
