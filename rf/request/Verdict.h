// What became of each type of a design, in one set of words for every
// program: the engine's region and refusals, and the design's verdict.
#pragma once

#include <string>

#include "engine/ComputeRecord.h"
#include "rf/synthesis/Why.h"

namespace vorda::rf {

enum class Verdict {
  kDesigned,        // parts, with every figure a number
  kAlreadyMatched,  // the load is a perfect match: no parts needed
  kNotComputed,     // the engine refused the type, or a fault stopped it
  kNotComputable,   // computed, but the design gives no numbers (see the row's why)
  kRefused,         // the design layer has no such network for these inputs (the row's why)
};

// "designed", "already matched", "not computed", "not computable",
// "refused".
const char* VerdictName(Verdict verdict);

struct Row;
// A row's status in words, the one place where verdicts and reasons become
// text: "admitted", "admitted: at its least loaded Q this Pi network is an
// L-section", "given", "tuned", "optimised over the band", the engine's
// status, "already matched: no parts needed", "refused: ...", "not
// computable: ...".
std::string StatusText(const Row& row);
// A reason alone: "a series part would be an open circuit".
std::string WhyText(const Why& why);
// What a network came to be: "at its least loaded Q this Pi network is an
// L-section"; empty for one as named.
std::string BecameText(Became became);

inline constexpr const char* kAlreadyMatchedText = "already matched: no parts needed";

// Where a region code lies on the Smith chart, in words.
std::string RegionWords(int region);

// What the engine's run says of a type: "admitted", "refused: load inside
// the g = 1 circle", "stopped by an arithmetic fault: ...", with ", the load
// lies on a circle boundary" when the run warned of that.
std::string EngineStatus(const ComputeRecord& record);

}  // namespace vorda::rf
