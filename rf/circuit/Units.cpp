#include "rf/circuit/Units.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "engine/PortableMath.h"

namespace vorda::rf {

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

struct Multiplier {
  std::string_view symbol;
  double scale;
};
constexpr Multiplier kMultipliers[] = {
    {"y", 1e-24}, {"z", 1e-21},     {"a", 1e-18},     {"f", 1e-15}, {"p", 1e-12}, {"n", 1e-9},
    {"u", 1e-6},  {"\u00b5", 1e-6}, {"\u03bc", 1e-6}, {"m", 1e-3},  {"k", 1e3},   {"K", 1e3},
    {"M", 1e6},   {"G", 1e9},       {"T", 1e12},      {"P", 1e15},
};

// The leading number of text; the rest is left in text.
std::optional<double> LeadingNumber(std::string_view& text) {
  text = Trim(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0.0;
  const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
  if (res.ec != std::errc() || !std::isfinite(value)) return std::nullopt;
  text = Trim(text.substr(static_cast<std::size_t>(res.ptr - text.data())));
  return value;
}

double TakeMultiplier(std::string_view& rest, bool (*allowed)(std::string_view)) {
  for (const Multiplier& m : kMultipliers) {
    if (rest.substr(0, m.symbol.size()) == m.symbol && allowed(m.symbol)) {
      rest.remove_prefix(m.symbol.size());
      return m.scale;
    }
  }
  return 1.0;
}

bool AnyMultiplier(std::string_view /*symbol*/) {
  return true;
}
bool FrequencyMultiplier(std::string_view symbol) {
  return symbol == "k" || symbol == "K" || symbol == "M" || symbol == "G" || symbol == "T";
}

std::string Lowered(std::string_view s) {
  std::string out(Trim(s));
  std::transform(out.begin(), out.end(), out.begin(), [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  });
  return out;
}

// 1000^group for the groups of the prefixes, f to T: the correctly rounded
// powers, written out, where the C libraries' pow differ in the last bit.
double ThousandPower(int group) {
  static constexpr double kPowers[] = {1e-24, 1e-21, 1e-18, 1e-15, 1e-12, 1e-9, 1e-6,
                                       1e-3,  1.0,   1e3,   1e6,   1e9,   1e12, 1e15};
  return kPowers[group + 8];
}

}  // namespace

ReadNumber ReadFrequency(std::string_view text) {
  const std::string quoted = "\u201c" + std::string(text) + "\u201d";
  std::string_view rest = text;
  const auto number = LeadingNumber(rest);
  if (!number) {
    return {std::nullopt, quoted + " is not a frequency (write 14.2M, 433k or 2.4G)"};
  }
  // "mhz", "GHZ": the multiplier's case does not matter before the unit.
  double scale = 1.0;
  const std::string lower = Lowered(rest);
  constexpr std::pair<const char*, double> kBeforeHz[] = {
      {"khz", 1e3}, {"mhz", 1e6}, {"ghz", 1e9}, {"thz", 1e12}, {"hz", 1.0}};
  bool unit = false;
  for (const auto& [word, s] : kBeforeHz) {
    if (lower == word) {
      scale = s;
      unit = true;
      break;
    }
  }
  if (!unit) {
    scale = TakeMultiplier(rest, FrequencyMultiplier);
    rest = Trim(rest);
    if (!rest.empty() && Lowered(rest) != "hz") {
      if (rest.front() == 'm') {
        return {std::nullopt, quoted + ": m would be milli; write M for mega"};
      }
      return {std::nullopt, quoted + " is not a frequency (write 14.2M, 433k or 2.4G)"};
    }
  }
  const double hertz = *number * scale;
  if (!std::isfinite(hertz) || hertz <= 0.0) {
    return {std::nullopt, quoted + " is not a positive frequency"};
  }
  return {hertz, {}};
}

std::optional<double> ParseFrequency(std::string_view text) {
  return ReadFrequency(text).value;
}

ReadNumber ReadEngineering(std::string_view text, std::string_view unit) {
  const std::string quoted = "\u201c" + std::string(text) + "\u201d";
  const std::string bad = quoted + " is not a number (write 50, 2.2k or 3.3n)";
  std::string_view rest = text;
  const auto number = LeadingNumber(rest);
  if (!number) return {std::nullopt, bad};
  // "5 F" with unit F is five farads, not five femto.
  double scale = 1.0;
  if (rest != unit) scale = TakeMultiplier(rest, AnyMultiplier);
  rest = Trim(rest);
  if (!rest.empty() && rest != unit) return {std::nullopt, bad};
  const double value = *number * scale;
  if (!std::isfinite(value)) return {std::nullopt, quoted + " is too large a number"};
  return {value, {}};
}

std::optional<double> ParseEngineering(std::string_view text, std::string_view unit) {
  return ReadEngineering(text, unit).value;
}

ReadImpedanceResult ReadImpedance(std::string_view text) {
  const std::string quoted = "\u201c" + std::string(text) + "\u201d";
  const auto bad = [&quoted] {
    return ReadImpedanceResult{std::nullopt,
                               quoted + " is not an impedance (write 50, 12.5-j5 or 150+j75)"};
  };
  std::string compact;
  for (const char c : text) {
    if (c != ' ') compact += c;
  }
  if (compact.empty()) return bad();
  // The reactance: the part with j, after the last sign that is not an
  // exponent's.
  const std::size_t j = compact.find('j');
  if (j == std::string::npos) {
    const ReadNumber r = ReadEngineering(compact);
    if (!r.value) return bad();
    return {std::complex<double>(*r.value, 0.0), {}};
  }
  std::size_t split = std::string::npos;
  for (std::size_t i = 1; i < compact.size(); ++i) {
    const bool sign = compact[i] == '+' || compact[i] == '-';
    if (sign && compact[i - 1] != 'e' && compact[i - 1] != 'E') split = i;
  }
  if (split != std::string::npos && split > j) split = std::string::npos;  // "j5e-3"
  const std::string real = split == std::string::npos ? "0" : compact.substr(0, split);
  std::string imag = compact.substr(split == std::string::npos ? 0 : split);
  const bool negative = !imag.empty() && imag.front() == '-';
  if (!imag.empty() && (imag.front() == '+' || imag.front() == '-')) imag.erase(0, 1);
  if (imag.front() == 'j') {
    imag.erase(0, 1);
  } else if (imag.back() == 'j') {
    imag.pop_back();
  } else {
    return bad();
  }
  if (imag.empty()) imag = "1";
  const ReadNumber r = ReadEngineering(real), x = ReadEngineering(imag);
  if (!r.value || !x.value) return bad();
  return {std::complex<double>(*r.value, negative ? -*x.value : *x.value), {}};
}

std::string ShortestText(double value) {
  char buf[40];
  const auto res = std::to_chars(buf, buf + sizeof buf, value);
  return {buf, res.ptr};
}

std::string DigitsText(double value, int digits) {
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, digits);
  return {buf, res.ptr};
}

std::string FormatEngineering(double value, std::string_view unit, int digits) {
  // The SI prefixes from yocto to peta (exa would read as an exponent);
  // beyond them the number keeps its exponent.
  static constexpr const char* kPrefixes[] = {"y", "z", "a", "f", "p", "n", "\u00b5",
                                              "m", "",  "k", "M", "G", "T", "P"};
  constexpr int kUnitIndex = 8;
  constexpr int kLastGroup = 5;
  std::string number;
  const char* prefix = "";
  if (value == 0.0 || !std::isfinite(value)) {
    number = ShortestText(value);
  } else {
    int group = static_cast<int>(std::floor(portable::Log10(std::fabs(value)) / 3.0));
    if (group < -kUnitIndex || group > kLastGroup)
      return DigitsText(value, digits) + ' ' + std::string(unit);
    number = DigitsText(value / ThousandPower(group), digits);
    // Rounding to the digits may carry into the next group: 999.97 -> 1000.
    if (std::fabs(std::strtod(number.c_str(), nullptr)) >= 1000.0 && group < kLastGroup) {
      ++group;
      number = DigitsText(value / ThousandPower(group), digits);
    }
    prefix = kPrefixes[group + kUnitIndex];
  }
  return number + ' ' + prefix + std::string(unit);
}

std::string ExactFrequencyText(double hertz) {
  for (int digits = 1; digits < 17; ++digits) {
    std::string text = FormatEngineering(hertz, "Hz", digits);
    if (ParseFrequency(text) == hertz) return text;
  }
  return FormatEngineering(hertz, "Hz", 17);
}

}  // namespace vorda::rf
