#include "rf/circuit/NetworkText.h"

#include <algorithm>

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

namespace {

// A line of the drawing and how many columns it fills (box-drawing
// characters take several bytes and one column).
struct Line {
  std::string text;
  std::size_t columns = 0;
  void Add(std::string_view s, std::size_t width) {
    text += s;
    columns += width;
  }
  void PadTo(std::size_t width) {
    if (columns < width) text.append(width - columns, ' ');
    columns = std::max(columns, width);
  }
};

std::string Label(const Part& part, std::size_t number) {
  switch (part.kind) {
    case Part::Kind::kInductor:
      return "L" + std::to_string(number);
    case Part::Kind::kCapacitor:
      return "C" + std::to_string(number);
    case Part::Kind::kShort:
      return "short";
    case Part::Kind::kOpen:
      break;
  }
  return "open";
}

}  // namespace

std::string SchematicText(const Network& n) {
  constexpr std::string_view kWire = "\u2500", kTee = "\u252c", kGround = "\u23da";
  Line top, middle, bottom;
  top.Add("source ", 7);
  top.Add(kWire, 1);
  for (std::size_t i = 0; i < n.elements.size(); ++i) {
    const Element& e = n.elements[i];
    const std::string label = Label(e.part, i + 1);
    if (e.position == Position::kSeries) {
      top.Add(kWire, 1);
      top.Add(label, label.size());
      top.Add(kWire, 1);
      continue;
    }
    const std::size_t at = top.columns, width = std::max<std::size_t>(4, label.size() + 1);
    top.Add(kTee, 1);
    for (std::size_t k = 1; k < width; ++k) top.Add(kWire, 1);
    middle.PadTo(at);
    middle.Add(label, label.size());
    bottom.PadTo(at);
    bottom.Add(kGround, 1);
  }
  top.Add(kWire, 1);
  top.Add(" load", 5);
  std::string s = top.text;
  if (middle.columns > 0) s += "\n" + middle.text + "\n" + bottom.text;
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
