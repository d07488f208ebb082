#include "rf/files/TwoPortReader.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "rf/files/TouchstoneParser.h"

namespace vorda::rf {

namespace {

using C = std::complex<double>;
using Values = std::array<C, 4>;  // N11, N21, N12, N22

// The S-parameters of normalized impedance parameters z = Z / R, referred
// to R: (z - 1)(z + 1)^-1.
Values SOfZ(const Values& z) {
  const C d = (z[0] + 1.0) * (z[3] + 1.0) - z[1] * z[2];
  return {((z[0] - 1.0) * (z[3] + 1.0) - z[1] * z[2]) / d, 2.0 * z[1] / d, 2.0 * z[2] / d,
          ((z[0] + 1.0) * (z[3] - 1.0) - z[1] * z[2]) / d};
}

// Of normalized admittance parameters y = Y R: (1 - y)(1 + y)^-1.
Values SOfY(const Values& y) {
  const C d = (1.0 + y[0]) * (1.0 + y[3]) - y[1] * y[2];
  return {((1.0 - y[0]) * (1.0 + y[3]) + y[1] * y[2]) / d, -2.0 * y[1] / d, -2.0 * y[2] / d,
          ((1.0 + y[0]) * (1.0 - y[3]) + y[1] * y[2]) / d};
}

// S-parameters between port references r1 and r2 (real, so power and
// pseudo waves agree) referred to r at both ports instead. The waves at a
// port change as a' = k (a - g b), b' = k (b - g a), with g = (r - ri) /
// (r + ri) and k = (r + ri) / (2 sqrt(r ri)); so S' = K (S - G) (1 - G S)^-1
// K^-1, defined wherever the result is (a through, which has no Z matrix,
// too).
Values Renormalized(const Values& s, double r1, double r2, double r) {
  const double g1 = (r - r1) / (r + r1), g2 = (r - r2) / (r + r2);
  const C d = (1.0 - g1 * s[0]) * (1.0 - g2 * s[3]) - g1 * g2 * s[1] * s[2];
  const double t = 4.0 * r * std::sqrt(r1 * r2) / ((r + r1) * (r + r2));
  return {((s[0] - g1) * (1.0 - g2 * s[3]) + g2 * s[1] * s[2]) / d, t * s[1] / d, t * s[2] / d,
          ((s[3] - g2) * (1.0 - g1 * s[0]) + g1 * s[1] * s[2]) / d};
}

bool Finite(C v) {
  return std::isfinite(v.real()) && std::isfinite(v.imag());
}

}  // namespace

TwoPortData ReadTwoPort(ByteSource source) {
  TouchstoneParser parser(std::move(source), 2);
  TwoPortData data;
  TouchstoneParser::Point p;
  while (parser.Next(p)) {
    const double r1 = parser.Reference(0), r2 = parser.Reference(1);
    // Version 1 gives Y and Z normalized to the reference, version 2 in
    // siemens and ohms.
    const double r = parser.Version() == 1 ? 1.0 : r1;
    Values s = p.values;
    switch (parser.Kind()) {
      case TouchstoneParser::Parameter::kS:
        if (r1 != r2) s = Renormalized(s, r1, r2, r1);
        break;
      case TouchstoneParser::Parameter::kZ:
        std::transform(s.begin(), s.end(), s.begin(), [r](C v) { return v / r; });
        s = SOfZ(s);
        break;
      case TouchstoneParser::Parameter::kY:
        std::transform(s.begin(), s.end(), s.begin(), [r](C v) { return v * r; });
        s = SOfY(s);
        break;
    }
    for (const C& v : s) {
      if (!Finite(v)) parser.Fail("the point gives no finite S-parameters");
    }
    data.reference = r1;
    data.points.push_back({p.hertz, s[0], s[1], s[2], s[3], p.line});
  }
  return data;
}

}  // namespace vorda::rf
