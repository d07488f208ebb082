#include "rf/files/TwoPortFile.h"

#include "rf/circuit/Units.h"

namespace vorda::rf {

std::optional<std::string> WriteTouchstone2Port(const Network& network,
                                                const std::vector<double>& frequencies,
                                                const TwoPortFormat& format) {
  if (!format.version2 && format.r1 != format.r2) return std::nullopt;
  std::string out;
  for (const std::string& line : format.comments) out += "! " + line + "\n";
  if (format.version2) out += "[Version] 2.0\n";
  out += "# Hz S RI R " + ShortestText(format.r1) + "\n";
  if (format.version2) {
    out += "[Number of Ports] 2\n[Two-Port Data Order] 21_12\n";
    out += "[Number of Frequencies] " + std::to_string(frequencies.size()) + "\n";
    out += "[Reference] " + ShortestText(format.r1) + " " + ShortestText(format.r2) + "\n";
    out += "[Network Data]\n";
  }
  for (const double f : frequencies) {
    const auto s = SParametersOf(network, f, format.r1, format.r2);
    if (!s) return std::nullopt;
    out += ShortestText(f);
    for (const std::complex<double>& v : *s) {
      out += " " + ShortestText(v.real()) + " " + ShortestText(v.imag());
    }
    out += "\n";
  }
  if (format.version2) out += "[End]\n";
  return out;
}

}  // namespace vorda::rf
