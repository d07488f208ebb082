#include "rf/circuit/NetworkText.h"

#include <algorithm>

#include "rf/circuit/Units.h"

namespace vorda::rf {

std::string NetworkText(const Network& n) {
  std::string s;
  for (const Element& e : n.elements) {
    if (!s.empty()) s += ", ";
    s += e.position == Position::kSeries ? "series " : "shunt ";
    if (e.line) {
      const bool open = e.line->end == Line::End::kOpen;
      s += e.position == Position::kSeries ? "line " : open ? "stub open " : "stub short ";
      s += LineText(*e.line);
      continue;
    }
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

std::string DescribeElement(const Element& e) {
  if (!e.line) return Describe(e.part);
  const Line& l = *e.line;
  std::string s = e.position == Position::kSeries ? "line "
                  : l.end == Line::End::kOpen     ? "open stub "
                                                  : "shorted stub ";
  s += FormatEngineering(l.impedance, "\u03a9") + ", ";
  switch (l.form) {
    case LengthForm::kPhysical:
      s += FormatEngineering(l.given, "m");
      if (l.velocity_factor != 1.0) s += " (vf " + DigitsText(l.velocity_factor, 4) + ")";
      break;
    case LengthForm::kDelay:
      s += FormatEngineering(l.given, "s");
      break;
    case LengthForm::kElectrical:
      s += DigitsText(l.degrees, 4) + "\u00b0 at " + FormatEngineering(l.at_hertz, "Hz");
      break;
  }
  if (l.Lossy()) {
    std::string loss;
    for (const Attenuation* a : {&l.conductor, &l.dielectric}) {
      if (a->db <= 0.0) continue;
      loss += (loss.empty() ? "" : " + ") + DigitsText(a->db, 4) + " dB at " +
              FormatEngineering(a->hertz, "Hz");
    }
    s += ", loss " + loss;
  }
  return s;
}

namespace {

// A line of the drawing and how many columns it fills (box-drawing
// characters take several bytes and one column).
struct TextLine {
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

std::string Label(const Element& e, std::size_t number) {
  if (e.line) {
    const std::string kind = e.position == Position::kSeries   ? "TL"
                             : e.line->end == Line::End::kOpen ? "OS"
                                                               : "SS";
    return kind + std::to_string(number);
  }
  const Part& part = e.part;
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
  TextLine top, middle, bottom;
  top.Add("source ", 7);
  top.Add(kWire, 1);
  for (std::size_t i = 0; i < n.elements.size(); ++i) {
    const Element& e = n.elements[i];
    const std::string label = Label(e, i + 1);
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
                                           "220pF, series short, shunt open, series line 50ohm "
                                           "90deg@2.4G or shunt stub open 50ohm 12.5mm vf=0.66)"};
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
    const bool series = e.position == Position::kSeries;
    const std::string_view line_word = series ? "line " : "stub ";
    if (part.substr(0, line_word.size()) == line_word) {
      std::string_view words = part.substr(line_word.size());
      Line::End end = Line::End::kOpen;
      if (!series) {
        if (words.substr(0, 5) != "open " && words.substr(0, 6) != "short ") {
          return {std::nullopt, "\u201c" + std::string(part) +
                                    "\u201d: a stub is open or short (shunt stub open 50ohm "
                                    "90deg@2.4G)"};
        }
        end = words[0] == 's' ? Line::End::kShort : Line::End::kOpen;
        words.remove_prefix(end == Line::End::kShort ? 6 : 5);
      }
      ReadLineResult line = ReadLine(words);
      if (!line.line) return {std::nullopt, line.error};
      line.line->end = end;
      n.elements.push_back(series ? SeriesLine(*line.line) : ShuntStub(*line.line));
      continue;
    }
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
