// The "#.000" display of arbitrary doubles: the shape of the text, its
// round trip to within half a unit of the third decimal, and the decimal
// symbol as the only difference between locales.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <regex>
#include <string>

#include "engine/NumberText.h"
#include "fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < sizeof(double)) return 0;
  double value = 0.0;
  std::memcpy(&value, data, sizeof value);
  const std::string text = vorda::FormatNumber(value);
  if (!std::isfinite(value)) return 0;

  static const std::regex shape("-?[0-9]*\\.[0-9]{3}");
  FUZZ_CHECK(std::regex_match(text, shape), "not in the #.000 shape");
  const std::size_t digits = text[0] == '-' ? 1 : 0;
  FUZZ_CHECK(text[digits] != '0', "a leading zero");

  const double back = std::strtod(text.c_str(), nullptr);
  const double ulp = std::nextafter(std::fabs(value), INFINITY) - std::fabs(value);
  FUZZ_CHECK(std::fabs(back - value) <= 0.0005 + 2 * ulp, "does not round-trip");
  if (text[0] == '-') FUZZ_CHECK(value < 0, "a minus sign on a positive value");
  if (back != 0 && value < 0) FUZZ_CHECK(text[0] == '-', "no minus sign on a negative value");

  std::string comma = vorda::FormatNumber(value, ",");
  const std::size_t point = text.find('.');
  FUZZ_CHECK(comma.size() == text.size() && comma[point] == ',', "decimal symbol not used");
  comma[point] = '.';
  FUZZ_CHECK(comma == text, "the locale changed more than the symbol");
  return 0;
}
