#include "cli/TextFormat.h"

#include <cmath>

#include "rf/circuit/NetworkText.h"
#include "rf/circuit/Units.h"

namespace vorda::cli {

std::string Digits(double v) {
  return rf::DigitsText(v, 4);
}

std::string LoadText(const rf::Impedance& z) {
  return Digits(z.real()) + (std::signbit(z.imag()) ? " - j" : " + j") +
         Digits(std::fabs(z.imag())) + " ohms";
}

std::string QText(const std::optional<double>& q) {
  return q ? Digits(*q) : std::string("ideal");
}

std::string PartsText(const rf::Network& network) {
  std::string s;
  for (const rf::Element& e : network.elements) {
    if (!s.empty()) s += ", ";
    s += e.position == rf::Position::kSeries ? "series " : "shunt ";
    const rf::Part& p = e.part;
    if (!e.line && p.kind == rf::Part::Kind::kInductor) s += "L ";
    if (!e.line && p.kind == rf::Part::Kind::kCapacitor) s += "C ";
    s += rf::DescribeElement(e);
  }
  return s;
}

}  // namespace vorda::cli
