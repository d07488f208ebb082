// The networks the design layer builds besides the engine's L-sections: Pi
// (shunt, series, shunt) and T (series, shunt, series) for a loaded Q, and
// two L-sections in cascade through an intermediate resistance, each in a
// low-pass and a high-pass form; and any of the eight L types, for any
// source. Each is synthesised at one frequency from L-sections that match
// conjugately, so complex sources and loads are absorbed into the parts
// next to them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rf/circuit/Match.h"
#include "rf/circuit/Network.h"
#include "rf/synthesis/Why.h"

namespace vorda::rf {

enum class Topology {
  kL,  // one of the eight types
  kPiLowPass,
  kPiHighPass,
  kTLowPass,
  kTHighPass,
  kTwoLLowPass,
  kTwoLHighPass,
  kGiven,   // a network whose parts the user gave (or tuned)
  kLadder,  // any other ladder of the band search's family (rf/synthesis/Ladders.h)
  // Designs with lines at the frequency (rf/synthesis/LineDesigns.h).
  kSingleStubOpen,
  kSingleStubShort,
  kDoubleStubOpen,
  kDoubleStubShort,
  kQuarterWave,
};

// A topology, for kL its type, and for a ladder of the band search its
// canonical code (also for the named ones it found: "pC-sL-pC").
struct NetworkKind {
  Topology topology = Topology::kL;
  std::int16_t type = 0;
  std::string ladder = {};
  bool operator==(const NetworkKind&) const = default;
};

// The eight L types, then Pi, T and two L-sections, low-pass before
// high-pass: the order the band search reports ties in.
std::vector<NetworkKind> AllKinds();
std::vector<NetworkKind> ThreeAndFourPartKinds();
// Single stub open and shorted, double stub open and shorted, quarter wave.
std::vector<NetworkKind> LineKinds();

// "L type 1 (Series L, Shunt C)", "Pi low-pass", "T high-pass",
// "Two L low-pass" ("Two L low-pass, shunt C first" for a ladder of the band
// search), "Series L, shunt L, shunt C, series C" for any other ladder.
std::string KindName(const NetworkKind& kind);
// "l1" ... "l8", "pi-lp", "pi-hp", "t-lp", "t-hp", "2l-lp", "2l-hp", "given";
// a ladder's code ("sL-pLC-sC").
std::string KindKey(const NetworkKind& kind);
// A key, or a ladder's code; "2l-lp" and "2l-hp" stand for both forms.
std::optional<NetworkKind> ParseKind(std::string_view key);
// Whether a kind is what a key asked for: the same kind, or either form of
// two L-sections for "2l-lp" and "2l-hp".
bool KindMatches(const NetworkKind& kind, const NetworkKind& asked);

// The least loaded Q a Pi or T network can have between two terminations:
// sqrt(Rhigh / Rlow - 1), with the resistances in parallel form for Pi and
// in series form for T.
double MinimumQ(Topology topology, const Source& source, Impedance load);

// The network at f, its parts as reactances turned into parts against z0
// (a part too small or too large to matter is a short or an open); or why
// there is none.
struct Synthesis {
  std::optional<Network> network;
  Why why = {};                      // when there is none
  Became became = Became::kAsNamed;  // what the network came to be
};
// q is the loaded Q of Pi and T; intermediate the resistance between two L
// sections (nothing: the geometric mean of the terminations' resistances).
Synthesis Synthesize(const NetworkKind& kind, const Source& source, Impedance load, double hertz,
                     double z0, std::optional<double> q = std::nullopt,
                     std::optional<double> intermediate = std::nullopt);

// Every L-section of one type (1 to 8) that matches the load to the source
// at f: none, one, or for a complex source two, in SolveL's order.
std::vector<Network> LSectionsOfType(std::int16_t type, const Source& source, Impedance load,
                                     double hertz, double z0);

// Whether a network passes low frequencies: inductors in series and
// capacitors in shunt, shorts and opens aside.
bool IsLowPass(const Network& network);

}  // namespace vorda::rf
