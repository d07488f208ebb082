#include "rf/circuit/NetworkText.h"

#include "rf/circuit/Units.h"

namespace vorda::rf {

std::string NetworkText(const Network& n) {
  std::string s;
  for (const Element& e : n.elements) {
    if (!s.empty()) s += ", ";
    s += e.position == Position::kSeries ? "series " : "shunt ";
    switch (e.part.kind) {
      case Part::Kind::kInductor:
        s += DigitsText(e.part.value, 17) + "H";
        break;
      case Part::Kind::kCapacitor:
        s += DigitsText(e.part.value, 17) + "F";
        break;
      case Part::Kind::kShort:
        s += "short";
        break;
      case Part::Kind::kOpen:
        s += "open";
        break;
    }
  }
  return s;
}

ParsedNetwork ParseNetwork(std::string_view text) {
  Network n;
  const auto bad = [&](std::string_view part) {
    return ParsedNetwork{std::nullopt, "\u201c" + std::string(part) +
                                           "\u201d is not a part (write series 270nH, shunt "
                                           "220pF, series short or shunt open)"};
  };
  while (!text.empty()) {
    const std::size_t comma = text.find(',');
    std::string_view part = text.substr(0, comma);
    text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    while (!part.empty() && part.front() == ' ') part.remove_prefix(1);
    Element e;
    if (part.substr(0, 7) == "series ") {
      e.position = Position::kSeries;
      part.remove_prefix(7);
    } else if (part.substr(0, 6) == "shunt ") {
      e.position = Position::kShunt;
      part.remove_prefix(6);
    } else {
      return bad(part);
    }
    while (!part.empty() && part.back() == ' ') part.remove_suffix(1);
    if (part == "short" || part == "open") {
      e.part.kind = part == "short" ? Part::Kind::kShort : Part::Kind::kOpen;
    } else if (const auto h = ParseEngineering(part, "H"); h && *h > 0 && part.back() == 'H') {
      e.part = {Part::Kind::kInductor, *h, kIdealQ};
    } else if (const auto f = ParseEngineering(part, "F"); f && *f > 0 && part.back() == 'F') {
      e.part = {Part::Kind::kCapacitor, *f, kIdealQ};
    } else {
      return bad(part);
    }
    n.elements.push_back(e);
  }
  if (n.elements.empty()) return {std::nullopt, "no parts given"};
  return {n, {}};
}

}  // namespace vorda::rf
