#include "rf/synthesis/Topology.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "engine/SectionTypes.h"
#include "rf/circuit/Units.h"
#include "rf/synthesis/LSolutions.h"
#include "rf/synthesis/Ladders.h"

namespace vorda::rf {

namespace {

struct KindEntry {
  Topology topology;
  const char* name;
  const char* key;
};
constexpr KindEntry kKinds[] = {
    {Topology::kPiLowPass, "Pi low-pass", "pi-lp"},
    {Topology::kPiHighPass, "Pi high-pass", "pi-hp"},
    {Topology::kTLowPass, "T low-pass", "t-lp"},
    {Topology::kTHighPass, "T high-pass", "t-hp"},
    {Topology::kTwoLLowPass, "Two L low-pass", "2l-lp"},
    {Topology::kTwoLHighPass, "Two L high-pass", "2l-hp"},
    {Topology::kGiven, "Given network", "given"},
    {Topology::kSingleStubOpen, "Single stub, open", "stub-open"},
    {Topology::kSingleStubShort, "Single stub, shorted", "stub-short"},
    {Topology::kDoubleStubOpen, "Double stub, open", "2stub-open"},
    {Topology::kDoubleStubShort, "Double stub, shorted", "2stub-short"},
    {Topology::kQuarterWave, "Quarter-wave transformer", "qw"},
};

bool LowPassForm(Topology t) {
  return t == Topology::kPiLowPass || t == Topology::kTLowPass || t == Topology::kTwoLLowPass;
}

// A ladder of reactances in ohms, from the source side; a shunt open is an
// infinite reactance.
struct Ladder {
  std::vector<Position> positions;
  std::vector<double> ohms;
};

// b after a: where the two meet in the same position they become one part
// (series reactances add, shunt susceptances add).
Ladder Join(Ladder a, const Ladder& b) {
  for (std::size_t i = 0; i < b.ohms.size(); ++i) {
    if (i == 0 && !a.positions.empty() && a.positions.back() == b.positions[0]) {
      double& x = a.ohms.back();
      if (b.positions[0] == Position::kSeries) {
        x += b.ohms[0];
      } else {
        const double susceptance = -1.0 / x - 1.0 / b.ohms[0];  // an open adds none
        x = susceptance == 0.0 ? HUGE_VAL : -1.0 / susceptance;
      }
      continue;
    }
    a.positions.push_back(b.positions[i]);
    a.ohms.push_back(b.ohms[i]);
  }
  return a;
}

// Whether a part of a ladder is no part at all against z0: a series short
// or a shunt open.
bool Nothing(Position position, double ohms, double z0) {
  const double normalized = std::fabs(ohms / z0);
  return position == Position::kSeries ? !(normalized > kShortReactance)
                                       : normalized >= kOpenReactance;
}

// Whether a part has the form's kind: low-pass puts inductors in series and
// capacitors in shunt, high-pass the other way; no part fits either.
bool FitsForm(Position position, double ohms, bool low_pass, double z0) {
  if (Nothing(position, ohms, z0)) return true;
  return (position == Position::kSeries) == low_pass ? ohms > 0.0 : ohms < 0.0;
}

// The L-section of a family, low-pass or high-pass, between a source and a
// load; nothing when none has that form. Where the two resistances are the
// same one of its parts is no part (at the least Q of a Pi or T network).
std::optional<Ladder> Half(Impedance source, Impedance load, Family family, bool low_pass,
                           double z0) {
  const bool shunt_first = family == Family::kSeriesAtLoad;
  const Position first = shunt_first ? Position::kShunt : Position::kSeries;
  const Position second = shunt_first ? Position::kSeries : Position::kShunt;
  for (const LSolution& s : SolveL(source, load)) {
    if (s.family != family || !FitsForm(first, s.first_ohms, low_pass, z0) ||
        !FitsForm(second, s.second_ohms, low_pass, z0)) {
      continue;
    }
    return Ladder{{first, second}, {s.first_ohms, s.second_ohms}};
  }
  return std::nullopt;
}

// The ladder's parts that are parts, those next to each other in the same
// position joined into one, as parts against z0 at f.
Network ToNetwork(const Ladder& l, double z0, double hertz) {
  Ladder parts;
  for (std::size_t i = 0; i < l.ohms.size(); ++i) {
    if (!Nothing(l.positions[i], l.ohms[i], z0))
      parts = Join(parts, {{l.positions[i]}, {l.ohms[i]}});
  }
  Network n;
  for (std::size_t i = 0; i < parts.ohms.size(); ++i) {
    n.elements.emplace_back(parts.positions[i], MatchingPart(parts.ohms[i], z0, hertz));
  }
  return n;
}

double ParallelResistance(Impedance z) {
  return Norm2(z) / z.real();
}

}  // namespace

std::vector<NetworkKind> AllKinds() {
  std::vector<NetworkKind> kinds;
  for (std::int16_t t = 1; t <= kTypeCount; ++t) kinds.push_back({Topology::kL, t});
  const std::vector<NetworkKind> more = ThreeAndFourPartKinds();
  kinds.insert(kinds.end(), more.begin(), more.end());
  return kinds;
}

std::vector<NetworkKind> ThreeAndFourPartKinds() {
  std::vector<NetworkKind> kinds;
  for (const KindEntry& e : kKinds) {
    if (e.topology >= Topology::kPiLowPass && e.topology <= Topology::kTwoLHighPass) {
      kinds.push_back({e.topology, 0});
    }
  }
  return kinds;
}

std::vector<NetworkKind> LineKinds() {
  std::vector<NetworkKind> kinds;
  for (const KindEntry& e : kKinds) {
    if (e.topology >= Topology::kSingleStubOpen) kinds.push_back({e.topology, 0});
  }
  return kinds;
}

namespace {

// The table's entry of a three- or four-part topology, or none.
const KindEntry* EntryOf(Topology topology) {
  const auto* e = std::find_if(std::begin(kKinds), std::end(kKinds),
                               [topology](const KindEntry& k) { return k.topology == topology; });
  return e == std::end(kKinds) ? nullptr : e;
}

}  // namespace

std::string KindName(const NetworkKind& kind) {
  if (kind.topology == Topology::kLadder) return LadderName(kind.ladder);
  if ((kind.topology == Topology::kTwoLLowPass || kind.topology == Topology::kTwoLHighPass) &&
      !kind.ladder.empty()) {
    return std::string(EntryOf(kind.topology)->name) + ", " +
           (kind.ladder[0] == 's' ? "series " : "shunt ") + kind.ladder[1] + " first";
  }
  if (kind.topology == Topology::kL) {
    return "L type " + std::to_string(kind.type) + " (" + Caption(*FindSectionType(kind.type)) +
           ")";
  }
  const KindEntry* e = EntryOf(kind.topology);
  return e != nullptr ? e->name : std::string();
}

std::string KindKey(const NetworkKind& kind) {
  if (kind.topology == Topology::kLadder) return kind.ladder;
  if ((kind.topology == Topology::kTwoLLowPass || kind.topology == Topology::kTwoLHighPass) &&
      !kind.ladder.empty()) {
    return std::string(EntryOf(kind.topology)->key) + "-" + kind.ladder[0];
  }
  if (kind.topology == Topology::kL) return "l" + std::to_string(kind.type);
  const KindEntry* e = EntryOf(kind.topology);
  return e != nullptr ? e->key : std::string();
}

std::optional<NetworkKind> ParseKind(std::string_view key) {
  if (key.size() == 2 && key[0] == 'l' && key[1] >= '1' && key[1] <= '8') {
    return NetworkKind{Topology::kL, static_cast<std::int16_t>(key[1] - '0')};
  }
  const auto* e = std::find_if(std::begin(kKinds), std::end(kKinds),
                               [key](const KindEntry& k) { return key == k.key; });
  if (e != std::end(kKinds)) return NetworkKind{e->topology, 0};
  if (const auto ladder = LadderOfCode(key)) return KindOfLadder(*ladder);
  return std::nullopt;
}

bool KindMatches(const NetworkKind& kind, const NetworkKind& asked) {
  if (kind == asked) return true;
  const bool two_l =
      asked.topology == Topology::kTwoLLowPass || asked.topology == Topology::kTwoLHighPass;
  if (two_l && asked.ladder.empty()) return kind.topology == asked.topology;
  // A named network asked for by its key: the same network found as a ladder.
  return asked.ladder.empty() && kind.topology == asked.topology && kind.type == asked.type;
}

double MinimumQ(Topology topology, const Source& source, Impedance load) {
  const bool pi = topology == Topology::kPiLowPass || topology == Topology::kPiHighPass;
  const double a = pi ? ParallelResistance(source.z) : source.z.real();
  const double b = pi ? ParallelResistance(load) : load.real();
  return std::sqrt(std::max(a, b) / std::min(a, b) - 1.0);
}

Synthesis Synthesize(const NetworkKind& kind, const Source& source, Impedance load, double hertz,
                     double z0, std::optional<double> q, std::optional<double> intermediate) {
  const Impedance zs = source.z;
  if (kind.topology == Topology::kGiven) return {std::nullopt, {Reason::kNotSynthesised}};
  if (kind.topology == Topology::kL) {
    const std::vector<Network> all = LSectionsOfType(kind.type, source, load, hertz, z0);
    if (all.empty()) return {std::nullopt, {Reason::kTypeCannotMatch}};
    return {all.front()};
  }
  const bool low_pass = LowPassForm(kind.topology);
  std::optional<Ladder> first, second;
  const bool two_l =
      kind.topology == Topology::kTwoLLowPass || kind.topology == Topology::kTwoLHighPass;
  if (two_l) {
    const double rm = intermediate.value_or(std::sqrt(zs.real() * load.real()));
    // The shunt part of each half stands on its higher resistance's side.
    for (const Family f : {Family::kSeriesAtLoad, Family::kShuntAtLoad}) {
      if (!first) first = Half(zs, rm, f, low_pass, z0);
      if (!second) second = Half(rm, load, f, low_pass, z0);
    }
    if (!first || !second) {
      return {std::nullopt, {Reason::kNoIntermediateL, rm, 0.0, 0.0, low_pass}};
    }
  } else {
    const bool pi = kind.topology == Topology::kPiLowPass || kind.topology == Topology::kPiHighPass;
    const double least = MinimumQ(kind.topology, source, load);
    if (!q) return {std::nullopt, {Reason::kNeedsLoadedQ}};
    if (*q < least) return {std::nullopt, {Reason::kLoadedQBelowLeast, *q, least}};
    // Pi: down to a virtual resistance below both terminations and back up;
    // T: up to one above both.
    const double a = pi ? ParallelResistance(zs) : zs.real();
    const double b = pi ? ParallelResistance(load) : load.real();
    const double rv = pi ? std::max(a, b) / (*q * *q + 1.0) : std::min(a, b) * (*q * *q + 1.0);
    first = Half(zs, rv, pi ? Family::kSeriesAtLoad : Family::kShuntAtLoad, low_pass, z0);
    second = Half(rv, load, pi ? Family::kShuntAtLoad : Family::kSeriesAtLoad, low_pass, z0);
    if (!first || !second) {
      return {std::nullopt, {Reason::kNoForm, 0.0, 0.0, 0.0, low_pass}};
    }
  }
  Network n = ToNetwork(Join(*first, *second), z0, hertz);
  const std::size_t usual = two_l ? 4 : 3;
  Became became = Became::kAsNamed;
  if (n.elements.size() < usual) {
    const bool pi = kind.topology == Topology::kPiLowPass || kind.topology == Topology::kPiHighPass;
    became = two_l ? Became::kTwoLAsOne : pi ? Became::kPiAsL : Became::kTAsL;
  }
  return {std::move(n), {}, became};
}

std::vector<Network> LSectionsOfType(std::int16_t type, const Source& source, Impedance load,
                                     double hertz, double z0) {
  std::vector<Network> out;
  for (const LSolution& s : SolveL(source.z, load)) {
    if (s.type_index != type) continue;
    out.push_back(LSection(s.family, MatchingPart(s.first_ohms, z0, hertz),
                           MatchingPart(s.second_ohms, z0, hertz)));
  }
  return out;
}

bool IsLowPass(const Network& n) {
  return std::all_of(n.elements.begin(), n.elements.end(), [](const Element& e) {
    const Part::Kind want =
        e.position == Position::kSeries ? Part::Kind::kInductor : Part::Kind::kCapacitor;
    return e.part.kind == want || !e.part.IsReal();
  });
}

}  // namespace vorda::rf
