#include "rf/synthesis/Ladders.h"

#include <algorithm>
#include <functional>
#include <numeric>

#include "engine/SectionTypes.h"
#include "rf/synthesis/LSolutions.h"

namespace vorda::rf {

namespace {

// A block of a ladder: its position and whether it holds an inductor, a
// capacitor or both.
struct Block {
  Position position = Position::kSeries;
  bool inductor = false;
  bool capacitor = false;
  int Parts() const { return (inductor ? 1 : 0) + (capacitor ? 1 : 0); }
};

std::vector<Block> BlocksOf(const Network& n) {
  std::vector<Block> blocks;
  for (const Element& e : n.elements) {
    if (!e.part.IsReal()) continue;  // a series short or a shunt open is nothing
    if (blocks.empty() || blocks.back().position != e.position) blocks.push_back({e.position});
    (e.part.kind == Part::Kind::kInductor ? blocks.back().inductor : blocks.back().capacitor) =
        true;
  }
  return blocks;
}

std::string CodeOf(const std::vector<Block>& blocks) {
  std::string code;
  for (const Block& b : blocks) {
    if (!code.empty()) code += '-';
    code += b.position == Position::kSeries ? 's' : 'p';
    if (b.inductor) code += 'L';
    if (b.capacitor) code += 'C';
  }
  return code;
}

Network NetworkOf(const std::vector<Block>& blocks) {
  Network n;
  for (const Block& b : blocks) {
    if (b.inductor) n.elements.push_back({b.position, {Part::Kind::kInductor, 1.0}});
    if (b.capacitor) n.elements.push_back({b.position, {Part::Kind::kCapacitor, 1.0}});
  }
  return n;
}

// Whether every block is one part, and the network low-pass (inductors in
// series, capacitors in shunt) or high-pass.
bool Alternating(const std::vector<Block>& blocks, bool low_pass) {
  return std::all_of(blocks.begin(), blocks.end(), [&](const Block& b) {
    return b.Parts() == 1 && b.inductor == ((b.position == Position::kSeries) == low_pass);
  });
}

}  // namespace

std::vector<Network> Ladders(int min_parts, int max_parts) {
  std::vector<std::vector<Block>> found;
  std::vector<Block> blocks;
  // Blocks alternate in position; each an inductor, a capacitor or both.
  std::function<void(int)> grow = [&](int parts) {
    if (parts >= min_parts) found.push_back(blocks);
    for (const auto& [l, c] :
         {std::pair{true, false}, std::pair{false, true}, std::pair{true, true}}) {
      const int more = (l ? 1 : 0) + (c ? 1 : 0);
      if (parts + more > max_parts) continue;
      const Position next =
          blocks.back().position == Position::kSeries ? Position::kShunt : Position::kSeries;
      blocks.push_back({next, l, c});
      grow(parts + more);
      blocks.pop_back();
    }
  };
  for (const Position first : {Position::kSeries, Position::kShunt}) {
    for (const auto& [l, c] :
         {std::pair{true, false}, std::pair{false, true}, std::pair{true, true}}) {
      blocks = {{first, l, c}};
      grow(blocks[0].Parts());
    }
  }
  std::vector<Network> ladders;
  for (int parts = min_parts; parts <= max_parts; ++parts) {
    for (const auto& b : found) {
      const int n = std::accumulate(b.begin(), b.end(), 0,
                                    [](int sum, const Block& x) { return sum + x.Parts(); });
      if (n == parts) ladders.push_back(NetworkOf(b));
    }
  }
  return ladders;
}

std::string LadderCode(const Network& network) {
  return CodeOf(BlocksOf(network));
}

std::optional<Network> LadderOfCode(std::string_view code) {
  std::vector<Block> blocks;
  std::size_t at = 0;
  while (at < code.size()) {
    const std::size_t end = std::min(code.find('-', at), code.size());
    const std::string_view b = code.substr(at, end - at);
    if (b != "sL" && b != "sC" && b != "sLC" && b != "pL" && b != "pC" && b != "pLC") {
      return std::nullopt;
    }
    const Position position = b[0] == 's' ? Position::kSeries : Position::kShunt;
    if (!blocks.empty() && blocks.back().position == position) return std::nullopt;
    blocks.push_back(
        {position, b.find('L') != std::string_view::npos, b.find('C') != std::string_view::npos});
    at = end + 1;
  }
  Network n = NetworkOf(blocks);
  if (n.elements.empty()) return std::nullopt;
  return n;
}

Network Canonical(const Network& network) {
  // Parts next to each other in one position become a block; two of one
  // kind in it are one part (inductances add in series and capacitances in
  // shunt; the others add as reciprocals).
  struct Acc {
    Position position;
    std::optional<Part> l, c;
  };
  std::vector<Acc> blocks;
  for (const Element& e : network.elements) {
    if (!e.part.IsReal()) continue;
    if (blocks.empty() || blocks.back().position != e.position)
      blocks.push_back({e.position, {}, {}});
    const bool inductor = e.part.kind == Part::Kind::kInductor;
    std::optional<Part>& slot = inductor ? blocks.back().l : blocks.back().c;
    if (!slot) {
      slot = e.part;
      continue;
    }
    const bool adds = (e.position == Position::kSeries) == inductor;
    slot->value =
        adds ? slot->value + e.part.value : 1.0 / (1.0 / slot->value + 1.0 / e.part.value);
  }
  Network n;
  for (const Acc& b : blocks) {
    if (b.l) n.elements.emplace_back(b.position, *b.l);
    if (b.c) n.elements.emplace_back(b.position, *b.c);
  }
  return n;
}

std::string LadderName(std::string_view code) {
  std::string name;
  const auto ladder = LadderOfCode(code);
  if (!ladder) return std::string(code);
  for (const Element& e : ladder->elements) {
    name += name.empty() ? (e.position == Position::kSeries ? "Series " : "Shunt ")
                         : (e.position == Position::kSeries ? ", series " : ", shunt ");
    name += e.part.kind == Part::Kind::kInductor ? 'L' : 'C';
  }
  return name;
}

NetworkKind KindOfLadder(const Network& network) {
  const std::vector<Block> blocks = BlocksOf(network);
  const std::string code = CodeOf(blocks);
  const bool series_first = !blocks.empty() && blocks[0].position == Position::kSeries;
  if (blocks.size() == 2 && blocks[0].Parts() == 1 && blocks[1].Parts() == 1) {
    // An L-section: series at the source side and shunt at the load is the
    // shunt-at-load family.
    const double sign[2] = {blocks[0].inductor ? 1.0 : -1.0, blocks[1].inductor ? 1.0 : -1.0};
    const std::int16_t type =
        TypeOf(series_first ? Family::kShuntAtLoad : Family::kSeriesAtLoad, sign[0], sign[1]);
    return {Topology::kL, type, code};
  }
  for (const bool low_pass : {true, false}) {
    if (!Alternating(blocks, low_pass)) continue;
    if (blocks.size() == 3) {
      const Topology pi = low_pass ? Topology::kPiLowPass : Topology::kPiHighPass;
      const Topology t = low_pass ? Topology::kTLowPass : Topology::kTHighPass;
      return {series_first ? t : pi, 0, code};
    }
    if (blocks.size() == 4) {
      return {low_pass ? Topology::kTwoLLowPass : Topology::kTwoLHighPass, 0, code};
    }
  }
  return {Topology::kLadder, 0, code};
}

}  // namespace vorda::rf
