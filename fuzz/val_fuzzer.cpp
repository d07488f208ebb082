// The input conversion on arbitrary texts: no crash, no read past the text,
// only overflow as a fault, blanks ignored everywhere, and the correctly
// rounded value on ordinary decimal numbers.
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <regex>
#include <string>

#include "engine/ArithmeticFault.h"
#include "engine/NumberText.h"
#include "fuzz/FuzzCheck.h"

namespace {

struct Converted {
  bool overflow = false;
  double value = 0.0;
};

Converted Convert(const std::string& text) {
  Converted c;
  try {
    c.value = vorda::Val(text);
  } catch (const vorda::ArithmeticFault& f) {
    FUZZ_CHECK(f.kind == vorda::FaultKind::kOverflow, "a conversion fault other than overflow");
    c.overflow = true;
  }
  return c;
}

bool Same(const Converted& a, const Converted& b) {
  return a.overflow == b.overflow && (a.overflow || a.value == b.value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // An exact-size copy: reading past it is caught by the address sanitizer.
  const std::string text(reinterpret_cast<const char*>(data), size);
  const Converted plain = Convert(text);
  FUZZ_CHECK(plain.overflow || std::isfinite(plain.value), "a non-finite value");

  // Blanks, tabs and line feeds are ignored wherever they stand.
  std::string spread;
  const char blanks[] = {' ', '\t', '\n'};
  for (std::size_t i = 0; i < text.size(); ++i) {
    spread += blanks[i % 3];
    spread += text[i];
  }
  FUZZ_CHECK(Same(plain, Convert(spread)), "blanks changed the value");

  // Ordinary decimal numbers convert as strtod does in the C locale.
  static const std::regex ordinary("-?[0-9]{1,25}(\\.[0-9]{1,25})?([eE][-+]?[0-9]{1,3})?");
  if (std::regex_match(text, ordinary)) {
    errno = 0;
    const double reference = std::strtod(text.c_str(), nullptr);
    if (std::isinf(reference)) {
      FUZZ_CHECK(plain.overflow, "out of range but no overflow");
    } else {
      FUZZ_CHECK(!plain.overflow && plain.value == reference, "differs from the reference");
    }
  }
  return 0;
}
