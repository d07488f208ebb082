#include "rf/request/Verdict.h"

#include <algorithm>

#include "rf/circuit/Units.h"
#include "rf/request/Rows.h"

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
    case Verdict::kRefused:
      return "refused";
    case Verdict::kNotComputable:
      break;
  }
  return "not computable";
}

std::string WhyText(const Why& w) {
  const std::string at = " at " + FormatEngineering(w.hertz, "Hz");
  const std::string pass = w.low_pass ? "low" : "high";
  switch (w.reason) {
    case Reason::kNone:
      break;
    case Reason::kSeriesOpen:
      return "a series part would be an open circuit";
    case Reason::kShuntShort:
      return "a shunt part would be a short circuit";
    case Reason::kValueNotANumber:
      return "a part's value" + at + " is not a number";
    case Reason::kStandardNotANumber:
      return "the input impedance of the standard parts" + at + " is not a number";
    case Reason::kBuiltNotANumber:
      return "the input impedance of the parts as built" + at + " is not a number";
    case Reason::kEfficiencyNotANumber:
      return "the efficiency" + at + " is not a number";
    case Reason::kResponseNotANumber:
      return "the response over the sweep is not a number everywhere";
    case Reason::kTypeCannotMatch:
      return "this type cannot match the load to the source";
    case Reason::kNeedsLoadedQ:
      return "needs a loaded Q";
    case Reason::kLoadedQBelowLeast:
      return "a loaded Q of " + DigitsText(w.value, 3) + " is below the least this network can " +
             "have, " + DigitsText(w.bound, 3) + " (sqrt(Rhigh / Rlow - 1))";
    case Reason::kNoIntermediateL:
      return "no " + pass + "-pass L-section reaches " + DigitsText(w.value, 3) +
             " ohms in between";
    case Reason::kNoForm:
      return "no " + pass + "-pass form exists for these terminations";
    case Reason::kNotSynthesised:
      return "a given network is not synthesised";
    case Reason::kNoSingleStub:
      return "no point along the line has the source's conductance (" + DigitsText(w.value, 4) +
             " of the line's admittance): a line of another impedance can match";
    case Reason::kHalfWaveSpacing:
      return "stubs " + DigitsText(w.value, 4) + " degrees apart stand at one place";
    case Reason::kDoubleStubCannotMatch:
      return "the load's conductance, " + DigitsText(w.value, 4) +
             " of the line's admittance, is above the " + DigitsText(w.bound, 4) +
             " that two stubs this far apart can match (a first stub farther from the load, or "
             "another spacing, can)";
    case Reason::kQuarterWaveComplexSource:
      return "a quarter-wave transformer matches to a resistance, not to a complex source";
    case Reason::kLibraryNotAtFrequency:
      return "no library part of a kind it needs was measured at " +
             FormatEngineering(w.hertz, "Hz") + ": its files span " + RangeText(w.value, w.bound);
    case Reason::kNotSold:
      return "part " + std::to_string(static_cast<int>(w.bound)) + " would be " +
             FormatEngineering(w.value, w.inductor ? "H" : "F") +
             ", beyond the values it is made and sold in";
    case Reason::kSoldReversed:
      return "part " + std::to_string(static_cast<int>(w.bound)) + ", " +
             FormatEngineering(w.value, w.inductor ? "H" : "F") +
             ", is past its self-resonance at " + FormatEngineering(w.hertz, "Hz") +
             ": it would be used as the other kind";
  }
  return "";
}

std::string BecameText(Became became) {
  switch (became) {
    case Became::kPiAsL:
      return "at its least loaded Q this Pi network is an L-section";
    case Became::kTAsL:
      return "at its least loaded Q this T network is an L-section";
    case Became::kTwoLAsOne:
      return "with a termination's resistance in between, the two L-sections are one";
    case Became::kAsNamed:
      break;
  }
  return "";
}

std::string StatusText(const Row& row) {
  const Row& t = row;
  switch (t.verdict) {
    case Verdict::kAlreadyMatched:
      return kAlreadyMatchedText;
    case Verdict::kRefused:
      return "refused: " + WhyText(t.why);
    case Verdict::kNotComputable:
      return "not computable: " + WhyText(t.why);
    case Verdict::kNotComputed:
      return t.engine ? EngineStatus(*t.engine) : std::string("not computed");
    case Verdict::kDesigned:
      break;
  }
  switch (t.origin) {
    case Origin::kOverBand:
      return "optimised over the band";
    case Origin::kGiven:
    case Origin::kTuned:
      return OriginName(t.origin);
    case Origin::kAtFrequency:
      break;
  }
  if (t.engine) return EngineStatus(*t.engine);
  const std::string became = BecameText(t.became);
  return became.empty() ? "admitted" : "admitted: " + became;
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
