// The family of small networks the band search tries: every ladder of two
// up to six parts, each part a series or shunt inductor or capacitor, in
// any order. Adjacent shunt parts are in parallel (an inductor and a
// capacitor side by side are a parallel resonator) and adjacent series
// parts in series (a series resonator); two adjacent parts of the same kind
// and position are one part, and the order within a resonator does not
// matter, so each network is searched once, in its canonical form: blocks
// that alternate between series and shunt, each block an inductor, a
// capacitor or both (inductor first).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rf/circuit/Network.h"
#include "rf/synthesis/Topology.h"

namespace vorda::rf {

inline constexpr int kDefaultMaxParts = 4;
inline constexpr int kMostParts = 6;

// The elements of the designs: lumped parts alone; lines and stubs too (the
// single-stub, double-stub and quarter-wave designs at the frequency, and
// over a band ladders of lines and stubs alone, or of both).
enum class Elements { kLumped, kLines, kBoth };
// "lumped", "lines", "both".
const char* ElementsKey(Elements elements);
std::optional<Elements> ParseElements(std::string_view key);

// Every ladder of min_parts up to max_parts elements in canonical form,
// fewer first; each part a lossless inductor or capacitor of value 1. With
// lines, also series lines and shunt stubs (open or shorted) anywhere a
// block may stand, of impedance 0 (the band's line impedance) and 1 degree
// at frequency 0 (the band's centre); with both, the lumped ladders first.
std::vector<Network> Ladders(int min_parts, int max_parts, Elements elements = Elements::kLumped);

// A network's canonical code, blocks from the source side: "pC-sL-pC" (Pi
// low-pass), "sL-pLC-sC" (series L, a parallel L-C in shunt, series C).
// Shorts and opens are left out: a series short and a shunt open are
// nothing, and neither is kept in a ladder.
std::string LadderCode(const Network& network);
// The canonical ladder of a code, values 1; nothing for a text that is no
// code.
std::optional<Network> LadderOfCode(std::string_view code);
// The same circuit in canonical form: shorts and opens left out, parts of
// one position next to each other one block, two of a kind in a block one
// part of the combined value, the inductor before the capacitor.
Network Canonical(const Network& network);

// A code's parts from the source side: "Series L, shunt L, shunt C, series C".
std::string LadderName(std::string_view code);

// What a ladder is called: an L type, Pi or T low- or high-pass, two
// L-sections low- or high-pass, or (kLadder) its parts from the source side.
NetworkKind KindOfLadder(const Network& network);

}  // namespace vorda::rf
