// The Touchstone reader on arbitrary bytes: no crash and no sanitizer
// report; every refusal names a line of the input; and a file written from
// the points read parses back to the same points.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/FuzzCheck.h"
#include "rf/Touchstone.h"

namespace {

std::vector<vorda::rf::LoadPoint> Read(const std::string& text, double& reference) {
  vorda::rf::TouchstoneReader reader(vorda::rf::MemorySource(text));
  std::vector<vorda::rf::LoadPoint> points;
  vorda::rf::LoadPoint p;
  while (reader.Next(p)) points.push_back(p);
  reference = reader.Reference();
  return points;
}

bool Same(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::size_t lines = 0;
  for (const char c : text) lines += c == '\n' ? 1 : 0;
  if (!text.empty() && text.back() != '\n') ++lines;
  double reference = 0.0;
  std::vector<vorda::rf::LoadPoint> points;
  try {
    points = Read(text, reference);
  } catch (const vorda::rf::TouchstoneError& e) {
    FUZZ_CHECK(e.Line() >= 1 && e.Line() <= std::max<std::size_t>(lines, 1),
               "a refusal names no line of the input");
    return 0;
  }
  FUZZ_CHECK(!points.empty(), "a file read without points");
  FUZZ_CHECK(reference > 0.0, "a reference resistance not above zero");
  double again_reference = 0.0;
  std::vector<vorda::rf::LoadPoint> again;
  try {
    again = Read(vorda::rf::WriteTouchstone(points, reference), again_reference);
  } catch (const vorda::rf::TouchstoneError&) {
    FUZZ_CHECK(false, "a written file is refused");
  }
  FUZZ_CHECK(Same(again_reference, reference), "the reference changed");
  FUZZ_CHECK(again.size() == points.size(), "the number of points changed");
  for (std::size_t i = 0; i < points.size(); ++i) {
    FUZZ_CHECK(Same(again[i].hertz, points[i].hertz), "a frequency changed");
    FUZZ_CHECK(
        Same(again[i].z.real(), points[i].z.real()) && Same(again[i].z.imag(), points[i].z.imag()),
        "an impedance changed");
  }
  return 0;
}
