// What became of each type of a design, in one set of words for every
// program: the engine's region and refusals, and the design's verdict.
#pragma once

#include <string>

#include "engine/ComputeRecord.h"

namespace vorda::rf {

enum class Verdict {
  kDesigned,        // parts, with every figure a number
  kAlreadyMatched,  // the load is a perfect match: no parts needed
  kNotComputed,     // the engine refused the type, or a fault stopped it
  kNotComputable,   // the engine computed it, but the design gives no numbers
};

// "designed", "already matched", "not computed", "not computable".
const char* VerdictName(Verdict verdict);

inline constexpr const char* kAlreadyMatchedText = "already matched: no parts needed";

// Where a region code lies on the Smith chart, in words.
std::string RegionWords(int region);

// What the engine's run says of a type: "admitted", "refused: load inside
// the g = 1 circle", "stopped by an arithmetic fault: ...", with ", the load
// lies on a circle boundary" when the run warned of that.
std::string EngineStatus(const ComputeRecord& record);

}  // namespace vorda::rf
