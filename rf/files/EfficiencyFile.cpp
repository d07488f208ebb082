#include "rf/files/EfficiencyFile.h"

#include <cmath>
#include <vector>

#include "engine/PortableMath.h"
#include "rf/circuit/Units.h"
#include "rf/files/InputFile.h"

namespace vorda::rf {

namespace {

// A line's cells: between commas or semicolons where it has them ("2 GHz,
// 60%"), else between blanks; each without its blanks.
std::vector<std::string_view> CellsOf(std::string_view line) {
  const bool separated = line.find_first_of(",;") != std::string_view::npos;
  const char* between = separated ? ",;\r" : " \t\r";
  std::vector<std::string_view> cells;
  std::size_t at = 0;
  while (at <= line.size()) {
    const std::size_t end = line.find_first_of(between, at);
    const std::size_t stop = end == std::string_view::npos ? line.size() : end;
    std::string_view cell = line.substr(at, stop - at);
    while (!cell.empty() && (cell.front() == ' ' || cell.front() == '\t')) cell.remove_prefix(1);
    while (!cell.empty() && (cell.back() == ' ' || cell.back() == '\t')) cell.remove_suffix(1);
    if (!cell.empty()) cells.push_back(cell);
    at = stop + 1;
  }
  return cells;
}

// "0.62", "62%", "-2.08dB".
std::optional<double> Share(std::string_view t) {
  double scale = 1.0;
  bool db = false;
  if (t.size() > 2 && (t.substr(t.size() - 2) == "dB" || t.substr(t.size() - 2) == "db")) {
    t.remove_suffix(2);
    db = true;
  } else if (!t.empty() && t.back() == '%') {
    t.remove_suffix(1);
    scale = 0.01;
  }
  const ReadNumber n = ReadEngineering(t);
  if (!n.value || t.empty()) return std::nullopt;
  return db ? portable::Pow10(*n.value / 10.0) : *n.value * scale;
}

}  // namespace

ReadEfficiencyResult ReadEfficiency(std::string_view text, const std::string& name) {
  EfficiencyCurve curve;
  std::size_t number = 0;
  const auto fail = [&](const std::string& why) {
    return ReadEfficiencyResult{std::nullopt, name + ":" + std::to_string(number) + ": " + why};
  };
  bool header_allowed = true;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++number;
    const std::vector<std::string_view> cells = CellsOf(line);
    if (cells.empty() || cells.front().front() == '#' || cells.front().front() == '!') continue;
    const ReadNumber f = ReadFrequency(cells.front());
    if (!f.value && header_allowed) {
      header_allowed = false;
      continue;
    }
    header_allowed = false;
    if (cells.size() != 2) return fail("expected two cells, a frequency and an efficiency");
    if (!f.value) return fail(f.error);
    const auto share = Share(cells[1]);
    if (!share) {
      return fail("\u201c" + std::string(cells[1]) +
                  "\u201d is not an efficiency (write 0.62, 62% or -2.08dB)");
    }
    if (!(*share > 0.0 && *share <= 1.0 + 1e-12)) {
      return fail("an efficiency lies above 0 and at most 1 (100 %, 0 dB): " +
                  std::string(cells[1]));
    }
    if (!curve.points.empty() && !(*f.value > curve.points.back().first)) {
      return fail("the frequencies must ascend");
    }
    curve.points.emplace_back(*f.value, std::min(*share, 1.0));
  }
  if (curve.points.empty()) {
    number = 0;
    return {std::nullopt, name + ": no efficiency in the file"};
  }
  return {std::move(curve), {}};
}

ReadEfficiencyResult ReadEfficiencyFile(const std::string& path) {
  return ReadEfficiency(ReadWholeFile(path), path);
}

}  // namespace vorda::rf
