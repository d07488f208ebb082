// A network as a line of text, as people write it and as vorda-match reads
// it back.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "rf/circuit/Network.h"

namespace vorda::rf {

// A network written as "series 270nH, shunt 220pF" (source side first): the
// position, then a value in henries (H) or farads (F) with a multiplier, or
// "short" or "open". What ParseNetwork reads; it gives why not otherwise.
std::string NetworkText(const Network& network);
struct ParsedNetwork {
  std::optional<Network> network;
  std::string error;
};
ParsedNetwork ParseNetwork(std::string_view text);

// An element in a few words, four significant digits: "280.3 nH", "short",
// "line 50 Ω, 34.2° at 2.4 GHz", "open stub 75 Ω, 12.5 mm (vf 0.66)",
// "shorted stub 50 Ω, 40 ps".
std::string DescribeElement(const Element& element);

// The network drawn in three lines of text for a fixed-width font, parts
// numbered from the source side as they are listed (L1, C2; "short",
// "open"), series parts on the line from the source to the load, shunt
// parts below it to ground:
//   source ──L1──┬────┬────C4── load
//                L2   C3
//                ⏚    ⏚
std::string SchematicText(const Network& network);

}  // namespace vorda::rf
