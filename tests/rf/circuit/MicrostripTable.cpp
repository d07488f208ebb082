// The microstrip model's figures over a grid of substrates, widths and
// frequencies, as CSV for check_microstrip_skrf.sh to hold against
// scikit-rf. "lines": each strip's z0 and er_eff; "widths": the width
// MicrostripWidth gives for each impedance. Every number is written in its
// shortest exact text, so that the checker computes on the same doubles.
#include <cstdio>
#include <string>
#include <string_view>

#include "rf/circuit/Microstrip.h"
#include "rf/circuit/Units.h"

namespace {

using vorda::rf::ShortestText;
using vorda::rf::Substrate;

// FR-4, a Rogers-like laminate, alumina with a thin strip, a high-er
// laminate, PTFE with a thin strip and thick copper on a thin high-er
// ceramic. The frequencies run from the quasi-static line (0) to 24 GHz mm
// on the FR-4.
constexpr Substrate kSubstrates[] = {
    {4.3, 1.6e-3, 35e-6, 0.0},   {3.66, 0.508e-3, 17e-6, 0.0}, {9.8, 0.635e-3, 0.0, 0.0},
    {10.2, 1.27e-3, 35e-6, 0.0}, {2.2, 1.575e-3, 0.0, 0.0},    {25.0, 0.254e-3, 70e-6, 0.0},
};
constexpr double kWidthRatios[] = {0.1, 0.2, 0.5, 1.0, 2.0, 5.0, 10.0};  // w / h
constexpr double kHertz[] = {0.0, 100e6, 1e9, 2.4e9, 6e9, 10e9, 15e9};
constexpr double kImpedances[] = {25.0, 50.0, 75.0, 100.0};

std::string SubstrateColumns(const Substrate& s) {
  return ShortestText(s.er) + "," + ShortestText(s.h) + "," + ShortestText(s.t);
}

int Lines() {
  std::printf("er,h,t,width,hertz,z0,er_eff\n");
  for (const Substrate& s : kSubstrates) {
    for (const double ratio : kWidthRatios) {
      const double width = ratio * s.h;
      for (const double hertz : kHertz) {
        const auto figures = vorda::rf::AnalyseMicrostrip(s, width, hertz);
        if (!figures) {
          std::fprintf(stderr, "no figures for width %g on %s at %g Hz\n", width,
                       vorda::rf::SubstrateText(s).c_str(), hertz);
          return 1;
        }
        std::printf("%s,%s,%s,%s,%s\n", SubstrateColumns(s).c_str(), ShortestText(width).c_str(),
                    ShortestText(hertz).c_str(), ShortestText(figures->z0).c_str(),
                    ShortestText(figures->er_eff).c_str());
      }
    }
  }
  return 0;
}

int Widths() {
  std::printf("er,h,t,hertz,target_z0,width\n");
  for (const Substrate& s : kSubstrates) {
    for (const double z0 : kImpedances) {
      for (const double hertz : kHertz) {
        const auto width = vorda::rf::MicrostripWidth(s, z0, hertz);
        if (!width) {
          std::fprintf(stderr, "no width for %g ohms on %s at %g Hz\n", z0,
                       vorda::rf::SubstrateText(s).c_str(), hertz);
          return 1;
        }
        std::printf("%s,%s,%s,%s\n", SubstrateColumns(s).c_str(), ShortestText(hertz).c_str(),
                    ShortestText(z0).c_str(), ShortestText(*width).c_str());
      }
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view mode = argc == 2 ? argv[1] : "";
  if (mode == "lines") return Lines();
  if (mode == "widths") return Widths();
  std::fprintf(stderr, "usage: %s lines|widths\n", argc > 0 ? argv[0] : "MicrostripTable");
  return 2;
}
