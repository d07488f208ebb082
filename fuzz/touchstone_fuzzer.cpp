// The Touchstone reader on arbitrary bytes: no crash and no sanitizer
// report; every refusal names a line of the input; and a file written from
// the points read parses back to the same points; a design at a frequency
// of the file is refused or gives numbers.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "fuzz/FuzzCheck.h"
#include "rf/files/Touchstone.h"
#include "rf/request/DesignRequest.h"
#include "rf/request/Rows.h"

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

bool Finite(const std::optional<double>& v) {
  return !v || std::isfinite(*v);
}

// A design at a frequency of the file, chosen by the input's length: refused
// with a message, or every type's figures numbers.
void Design(const std::vector<vorda::rf::LoadPoint>& points, double reference, std::size_t size) {
  auto shared = std::make_shared<vorda::rf::Measurement>();
  vorda::rf::Measurement& m = *shared;
  m.reference = reference;
  for (const auto& p : points) {
    if (p.hertz > 0.0) m.points.push_back(p);
  }
  if (m.points.empty()) return;
  const auto& a = m.points[size % m.points.size()];
  const auto& b = m.points[(size / 7) % m.points.size()];
  vorda::rf::DesignRequest q;
  q.measurement = shared;
  q.hertz = 0.5 * (a.hertz + b.hertz);
  q.parts.series = vorda::rf::ESeries::kE24;
  q.parts.q_inductor = 40;
  q.bandwidth = true;
  q.sweep = {vorda::rf::SweepPlan::Kind::kAround, vorda::rf::FrequencyAxis::Linear(0, 0, 9), {}};
  if (const auto error = vorda::rf::CheckRequest(q)) {
    FUZZ_CHECK(!error->message.empty(), "a refusal without a message");
    return;
  }
  for (const auto& t : vorda::rf::RunDesign(q).rows) {
    if (t.verdict != vorda::rf::Verdict::kDesigned) continue;
    const auto& match = t.design->match;
    FUZZ_CHECK(match.Finite() && Finite(match.return_loss_db) && Finite(match.vswr) &&
                   Finite(t.design->loss->dissipation_db),
               "a designed type with a figure that is not a number");
    const auto& band = *t.design->band;
    FUZZ_CHECK(Finite(band.low) && Finite(band.high) && Finite(band.loaded_q),
               "a band edge that is not a number");
  }
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
  Design(points, reference, size);
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
