#include "rf/circuit/FrequencyAxis.h"

#include <charconv>

#include "rf/circuit/Limits.h"
#include "rf/circuit/Units.h"

namespace vorda::rf {

ReadCount ReadPointCount(std::string_view text, std::size_t max_points) {
  std::size_t n = 0;
  const auto res = std::from_chars(text.data(), text.data() + text.size(), n);
  if (res.ec != std::errc() || res.ptr != text.data() + text.size() || n < 2 || n > max_points) {
    return {std::nullopt, "the points must be a whole number from 2 to " +
                              std::to_string(max_points) + ", not \u201c" + std::string(text) +
                              "\u201d"};
  }
  return {n, {}};
}

ReadAxis ReadRange(std::string_view text, std::size_t max_points, bool single) {
  const std::string form = max_points > 0 ? "START:STOP[:N]" : "START:STOP";
  std::size_t at = text.find(':');
  std::size_t skip = 1;
  if (at == std::string_view::npos) {
    at = text.find(" to ");
    skip = 4;
  }
  if (at == std::string_view::npos) return {std::nullopt, "expected " + form};
  std::string_view rest = text.substr(at + skip);
  std::optional<std::size_t> points;
  if (const std::size_t colon = rest.find(':'); colon != std::string_view::npos) {
    if (max_points == 0) return {std::nullopt, "expected " + form};
    const ReadCount n = ReadPointCount(rest.substr(colon + 1), max_points);
    if (!n.count) return {std::nullopt, n.error};
    points = n.count;
    rest = rest.substr(0, colon);
  }
  double ends[2] = {};
  const std::string_view texts[2] = {text.substr(0, at), rest};
  for (int i = 0; i < 2; ++i) {
    const ReadNumber f = ReadFrequency(texts[i]);
    if (!f.value) return {std::nullopt, (i == 0 ? "START: " : "STOP: ") + f.error};
    if (auto why = CheckFrequency(*f.value, i == 0 ? "START" : "STOP")) return {std::nullopt, *why};
    ends[i] = *f.value;
  }
  if (ends[0] > ends[1] || (!single && ends[0] == ends[1])) {
    return {std::nullopt, single ? "START lies above STOP" : "START must lie below STOP"};
  }
  return {FrequencyAxis::Linear(ends[0], ends[1], points.value_or(kDefaultPoints)), {}};
}

std::string RangeText(double first, double last) {
  return FormatEngineering(first, "Hz") + " to " + FormatEngineering(last, "Hz");
}

}  // namespace vorda::rf
