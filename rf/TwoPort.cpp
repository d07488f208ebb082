#include "rf/TwoPort.h"

#include <cmath>

#include "rf/Units.h"

namespace vorda::rf {

namespace {

using C = std::complex<double>;

// A B
// C D
struct Chain {
  C a = 1.0, b = 0.0, c = 0.0, d = 1.0;
  Chain Then(const Chain& o) const {
    return {a * o.a + b * o.c, a * o.b + b * o.d, c * o.a + d * o.c, c * o.b + d * o.d};
  }
};

}  // namespace

std::optional<SParameters> SParametersOf(const Network& network, double hertz, double r1,
                                         double r2) {
  Chain m;
  for (const Element& e : network.elements) {
    if (e.part.kind == Part::Kind::kOpen) {
      if (e.position == Position::kSeries) return std::nullopt;
      continue;
    }
    const C z = e.part.ImpedanceAt(hertz);
    m = m.Then(e.position == Position::kSeries ? Chain{1.0, z, 0.0, 1.0}
                                               : Chain{1.0, 0.0, 1.0 / z, 1.0});
  }
  // Chain to S between real references (power waves).
  const C den = m.a * r2 + m.b + m.c * r1 * r2 + m.d * r1;
  const double root = 2.0 * std::sqrt(r1 * r2);
  return SParameters{(m.a * r2 + m.b - m.c * r1 * r2 - m.d * r1) / den, root / den,
                     root * (m.a * m.d - m.b * m.c) / den,
                     (-m.a * r2 + m.b - m.c * r1 * r2 + m.d * r1) / den};
}

std::optional<std::string> WriteTouchstone2Port(const Network& network,
                                                const std::vector<double>& frequencies, double r1,
                                                double r2, const std::string& comment) {
  std::string out = "! " + comment + "\n[Version] 2.0\n# Hz S RI R " + ShortestText(r1) + "\n";
  out += "[Number of Ports] 2\n[Two-Port Data Order] 21_12\n";
  out += "[Number of Frequencies] " + std::to_string(frequencies.size()) + "\n";
  out += "[Reference] " + ShortestText(r1) + " " + ShortestText(r2) + "\n";
  out += "[Network Data]\n";
  for (const double f : frequencies) {
    const auto s = SParametersOf(network, f, r1, r2);
    if (!s) return std::nullopt;
    out += ShortestText(f);
    for (const C& v : *s) out += " " + ShortestText(v.real()) + " " + ShortestText(v.imag());
    out += "\n";
  }
  out += "[End]\n";
  return out;
}

}  // namespace vorda::rf
