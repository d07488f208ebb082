#include "cli/Frequency.h"

#include <charconv>
#include <cmath>
#include <numbers>

namespace vorda::cli {

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

std::string FourDigits(double v) {
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 4);
  return {buf, res.ptr};
}

}  // namespace

std::optional<double> ParseFrequency(std::string_view text) {
  text = Trim(text);
  double value = 0.0;
  const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
  if (res.ec != std::errc()) return std::nullopt;
  std::string_view rest = Trim(text.substr(static_cast<std::size_t>(res.ptr - text.data())));
  double scale = 1.0;
  if (!rest.empty()) {
    switch (rest.front()) {
      case 'k':
      case 'K':
        scale = 1e3;
        rest.remove_prefix(1);
        break;
      case 'M':
        scale = 1e6;
        rest.remove_prefix(1);
        break;
      case 'G':
        scale = 1e9;
        rest.remove_prefix(1);
        break;
      default:
        break;
    }
  }
  if (!rest.empty() && rest != "Hz" && rest != "hz" && rest != "HZ") return std::nullopt;
  const double hertz = value * scale;
  if (!std::isfinite(hertz) || hertz <= 0.0) return std::nullopt;
  return hertz;
}

ComponentValue ValueAt(double reactance_ohms, double hertz) {
  const double omega = 2.0 * std::numbers::pi * hertz;
  if (reactance_ohms > 0.0) return {ComponentValue::Kind::kInductor, reactance_ohms / omega};
  if (reactance_ohms < 0.0)
    return {ComponentValue::Kind::kCapacitor, -1.0 / (omega * reactance_ohms)};
  return {ComponentValue::Kind::kShort, 0.0};
}

std::string Describe(const ComponentValue& value) {
  switch (value.kind) {
    case ComponentValue::Kind::kInductor:
      return value.value < 1e-6 ? FourDigits(value.value * 1e9) + " nH"
                                : FourDigits(value.value * 1e6) + " µH";
    case ComponentValue::Kind::kCapacitor:
      return value.value < 1e-9 ? FourDigits(value.value * 1e12) + " pF"
                                : FourDigits(value.value * 1e9) + " nF";
    case ComponentValue::Kind::kShort:
      break;
  }
  return "short (0 ohms)";
}

}  // namespace vorda::cli
