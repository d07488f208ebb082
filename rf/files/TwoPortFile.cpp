#include "rf/files/TwoPortFile.h"

#include "rf/circuit/Units.h"

namespace vorda::rf {

using C = std::complex<double>;

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
