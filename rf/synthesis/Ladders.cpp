#include "rf/synthesis/Ladders.h"
#include <iterator>

#include <algorithm>
#include <functional>
#include <numeric>

#include "engine/SectionTypes.h"
#include "rf/synthesis/LSolutions.h"

namespace vorda::rf {

namespace {

// A block of a ladder: its position, and what it holds: an inductor, a
// capacitor or both in one place; or a line in series; or in shunt stubs
// (open, shorted) besides or instead of the parts.
struct Block {
  Position position = Position::kSeries;
  bool inductor = false;
  bool capacitor = false;
  bool line = false;  // a series line (the block holds nothing else)
  int open_stubs = 0;
  int shorted_stubs = 0;
  int Parts() const {
    return (inductor ? 1 : 0) + (capacitor ? 1 : 0) + (line ? 1 : 0) + open_stubs + shorted_stubs;
  }
  bool Lumped() const { return !line && open_stubs == 0 && shorted_stubs == 0; }
};

// Whether an element joins the block before it (in series with the parts
// before it, in parallel with the shunt elements before it).
bool Joins(const Block& b, const Element& e) {
  if (b.position != e.position) return false;
  if (e.position == Position::kShunt) return true;
  return e.line ? b.line : !b.line;
}

std::vector<Block> BlocksOf(const Network& n) {
  std::vector<Block> blocks;
  for (const Element& e : n.elements) {
    if (!e.IsPart() && !e.IsLine()) continue;  // a series short or a shunt open is nothing
    if (blocks.empty() || !Joins(blocks.back(), e)) blocks.push_back({e.position});
    Block& b = blocks.back();
    if (e.line) {
      if (e.position == Position::kSeries) {
        b.line = true;
      } else {
        ++(e.line->end == Line::End::kOpen ? b.open_stubs : b.shorted_stubs);
      }
    } else {
      (e.part.kind == Part::Kind::kInductor ? b.inductor : b.capacitor) = true;
    }
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
    if (b.line) code += 'T';
    code.append(static_cast<std::size_t>(b.open_stubs), 'O');
    code.append(static_cast<std::size_t>(b.shorted_stubs), 'S');
  }
  return code;
}

// A line of the search's family: its impedance and length are set by the
// search (0: the band's line impedance; 1 degree at the band's centre).
Line FamilyLine(Line::End end) {
  Line l = LineOfDegrees(0.0, 1.0, 0.0);
  l.end = end;
  return l;
}

Network NetworkOf(const std::vector<Block>& blocks) {
  Network n;
  for (const Block& b : blocks) {
    if (b.inductor) n.elements.emplace_back(b.position, Part{Part::Kind::kInductor, 1.0});
    if (b.capacitor) n.elements.emplace_back(b.position, Part{Part::Kind::kCapacitor, 1.0});
    if (b.line) n.elements.push_back(SeriesLine(FamilyLine(Line::End::kOpen)));
    for (int k = 0; k < b.open_stubs; ++k)
      n.elements.push_back(ShuntStub(FamilyLine(Line::End::kOpen)));
    for (int k = 0; k < b.shorted_stubs; ++k) {
      n.elements.push_back(ShuntStub(FamilyLine(Line::End::kShort)));
    }
  }
  return n;
}

// Whether every block is one part, and the network low-pass (inductors in
// series, capacitors in shunt) or high-pass.
bool Alternating(const std::vector<Block>& blocks, bool low_pass) {
  return std::all_of(blocks.begin(), blocks.end(), [&](const Block& b) {
    return b.Lumped() && b.Parts() == 1 &&
           b.inductor == ((b.position == Position::kSeries) == low_pass);
  });
}

// The blocks a ladder may grow by: the lumped ones (an inductor, a
// capacitor or both, in series or in shunt), and with lines a series line
// and a shunt stub, open or shorted.
std::vector<Block> Choices(Elements elements) {
  std::vector<Block> c;
  const bool lumped = elements != Elements::kLines, lines = elements != Elements::kLumped;
  for (const Position p : {Position::kSeries, Position::kShunt}) {
    if (lumped) {
      for (const auto& [l, cap] :
           {std::pair{true, false}, std::pair{false, true}, std::pair{true, true}}) {
        Block b{p};
        b.inductor = l;
        b.capacitor = cap;
        c.push_back(b);
      }
    }
    if (lines) {
      Block b{p};
      if (p == Position::kSeries) {
        b.line = true;
        c.push_back(b);
      } else {
        b.open_stubs = 1;
        c.push_back(b);
        b.open_stubs = 0;
        b.shorted_stubs = 1;
        c.push_back(b);
      }
    }
  }
  return c;
}

// Whether a block may follow another: shunt elements at one place are one
// block, so two shunt blocks never follow each other, nor two series
// blocks of lumped parts, nor two lines.
bool Follows(const Block& before, const Block& next) {
  if (before.position != next.position) return true;
  if (next.position == Position::kShunt) return false;
  return before.line != next.line;
}

}  // namespace

const char* ElementsKey(Elements elements) {
  switch (elements) {
    case Elements::kLines:
      return "lines";
    case Elements::kBoth:
      return "both";
    case Elements::kLumped:
      break;
  }
  return "lumped";
}

std::optional<Elements> ParseElements(std::string_view key) {
  constexpr Elements kAll[] = {Elements::kLumped, Elements::kLines, Elements::kBoth};
  const auto* e = std::find_if(std::begin(kAll), std::end(kAll),
                               [&](Elements x) { return key == ElementsKey(x); });
  if (e == std::end(kAll)) return std::nullopt;
  return *e;
}

std::vector<Network> Ladders(int min_parts, int max_parts, Elements elements) {
  std::vector<std::vector<Block>> found;
  std::vector<Block> blocks;
  const std::vector<Block> choices = Choices(elements);
  // Lumped alone, the blocks alternate in position; with lines a line may
  // stand between blocks of lumped series parts too.
  // With both, a ladder of parts has one line or stub among them, and each
  // block of parts one part (or it is of lines alone): the rest would
  // multiply the search for little.
  const auto admitted = [&] {
    if (elements != Elements::kBoth) return true;
    const auto lines =
        std::count_if(blocks.begin(), blocks.end(), [](const Block& b) { return !b.Lumped(); });
    if (static_cast<std::size_t>(lines) == blocks.size()) return true;  // lines alone
    return lines == 1 &&
           std::all_of(blocks.begin(), blocks.end(), [](const Block& b) { return b.Parts() == 1; });
  };
  std::function<void(int)> grow = [&](int parts) {
    if (parts >= min_parts && admitted()) found.push_back(blocks);
    for (const Block& next : choices) {
      if (parts + next.Parts() > max_parts || !Follows(blocks.back(), next)) continue;
      blocks.push_back(next);
      grow(parts + next.Parts());
      blocks.pop_back();
    }
  };
  for (const Block& first : choices) {
    blocks = {first};
    grow(first.Parts());
  }
  std::vector<Network> ladders;
  // With both, the lumped ladders first, as they are without lines.
  if (elements == Elements::kBoth) ladders = Ladders(min_parts, max_parts, Elements::kLumped);
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
    at = end + 1;
    if (b.size() < 2 || (b[0] != 's' && b[0] != 'p')) return std::nullopt;
    Block block{b[0] == 's' ? Position::kSeries : Position::kShunt};
    std::size_t i = 1;
    if (i < b.size() && b[i] == 'L') block.inductor = (++i, true);
    if (i < b.size() && b[i] == 'C') block.capacitor = (++i, true);
    if (block.position == Position::kSeries) {
      if (i < b.size() && b[i] == 'T' && block.Parts() == 0) block.line = (++i, true);
    } else {
      while (i < b.size() && b[i] == 'O') ++block.open_stubs, ++i;
      while (i < b.size() && b[i] == 'S') ++block.shorted_stubs, ++i;
    }
    if (i != b.size() || block.Parts() == 0) return std::nullopt;
    if (!blocks.empty() && !Follows(blocks.back(), block)) return std::nullopt;
    blocks.push_back(block);
  }
  Network n = NetworkOf(blocks);
  if (n.elements.empty()) return std::nullopt;
  return n;
}

Network Canonical(const Network& network) {
  // Parts next to each other in one position become a block; two of one
  // kind in it are one part (inductances add in series and capacitances in
  // shunt; the others add as reciprocals); lines next to each other of one
  // impedance are one line, and stubs at one place stand after the parts.
  struct Acc {
    Position position;
    std::optional<Part> l, c;
    std::optional<Line> line;
    std::vector<Line> stubs;
  };
  std::vector<Acc> blocks;
  for (const Element& e : network.elements) {
    if (!e.IsPart() && !(e.IsLine() && e.line->degrees != 0.0)) continue;
    const bool joins =
        !blocks.empty() && blocks.back().position == e.position &&
        (e.position == Position::kShunt ||
         (e.line ? blocks.back().line && blocks.back().line->impedance == e.line->impedance &&
                       blocks.back().line->at_hertz == e.line->at_hertz
                 : !blocks.back().line));
    if (!joins) blocks.push_back({e.position, {}, {}, {}, {}});
    Acc& b = blocks.back();
    if (e.line) {
      if (e.position == Position::kShunt) {
        b.stubs.push_back(*e.line);
      } else if (b.line) {
        b.line = WithDegrees(*b.line, b.line->degrees + e.line->degrees);
      } else {
        b.line = e.line;
      }
      continue;
    }
    const bool inductor = e.part.kind == Part::Kind::kInductor;
    std::optional<Part>& slot = inductor ? b.l : b.c;
    if (!slot) {
      slot = e.part;
      continue;
    }
    const bool adds = (e.position == Position::kSeries) == inductor;
    slot->value =
        adds ? slot->value + e.part.value : 1.0 / (1.0 / slot->value + 1.0 / e.part.value);
  }
  Network n;
  for (Acc& b : blocks) {
    if (b.l) n.elements.emplace_back(b.position, *b.l);
    if (b.c) n.elements.emplace_back(b.position, *b.c);
    if (b.line) n.elements.push_back(SeriesLine(*b.line));
    std::stable_sort(b.stubs.begin(), b.stubs.end(), [](const Line& x, const Line& y) {
      return x.end == Line::End::kOpen && y.end == Line::End::kShort;
    });
    for (const Line& s : b.stubs) n.elements.push_back(ShuntStub(s));
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
    if (e.line) {
      name += e.position == Position::kSeries   ? "line"
              : e.line->end == Line::End::kOpen ? "open stub"
                                                : "shorted stub";
    } else {
      name += e.part.kind == Part::Kind::kInductor ? 'L' : 'C';
    }
  }
  return name;
}

NetworkKind KindOfLadder(const Network& network) {
  const std::vector<Block> blocks = BlocksOf(network);
  const std::string code = CodeOf(blocks);
  const bool lumped =
      std::all_of(blocks.begin(), blocks.end(), [](const Block& b) { return b.Lumped(); });
  if (!lumped) return {Topology::kLadder, 0, code};
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
