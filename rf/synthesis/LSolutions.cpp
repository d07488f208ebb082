#include "rf/synthesis/LSolutions.h"

#include <cmath>
#include <limits>

namespace vorda::rf {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// The reactance of a shunt part of susceptance b: an open for none.
double ShuntReactance(double b) {
  return b == 0.0 ? kInf : -1.0 / b;
}

// The roots -offset - sqrt(d), -offset + sqrt(d) of (offset + u)^2 = d,
// where d is a difference of two terms of size `scale`: one root where d
// is zero to within their rounding (two equal resistances).
std::vector<double> Roots(double offset, double d, double scale) {
  if (std::fabs(d) <= 1e-12 * scale) d = 0.0;
  if (d < 0.0) return {};
  if (d == 0.0) return {-offset};
  const double root = std::sqrt(d);
  return {-offset - root, -offset + root};
}

}  // namespace

std::int16_t TypeOf(Family family, double first_ohms, double second_ohms) {
  const bool first_c = first_ohms < 0.0, second_c = second_ohms < 0.0;
  for (std::int16_t t = 1; t <= kTypeCount; ++t) {
    const SectionType& type = *FindSectionType(t);
    if (type.family != family) continue;
    if ((type.first_kind == PartKind::kCapacitor) == first_c &&
        (type.second_kind == PartKind::kCapacitor) == second_c) {
      return t;
    }
  }
  return 0;
}

std::vector<LSolution> SolveL(Impedance source, Impedance load) {
  const Impedance zs = source, zl = load;
  std::vector<LSolution> out;
  const double rs = zs.real(), xs = zs.imag();
  // Shunt part at the load (susceptance b2), then a series part: the
  // admittance GL + j(BL + b2) must have the resistance Rs, and the series
  // part cancels what reactance is left against -Xs.
  const Impedance yl = 1.0 / zl;
  const double gl = yl.real(), bl = yl.imag();
  for (const double b2 : Roots(bl, gl * (1.0 / rs - gl), gl / rs)) {
    const double b = bl + b2;
    const double xp = -b / (gl * gl + b * b);
    const double x1 = -xs - xp;
    const double x2 = ShuntReactance(b2);
    out.push_back({Family::kShuntAtLoad, x1, x2, TypeOf(Family::kShuntAtLoad, x1, x2)});
  }
  // A series part at the load (reactance x2), then a shunt part: the branch
  // RL + j(XL + x2) must have the conductance of 1/Zs*, and the shunt part
  // the susceptance left against Xs / |Zs|^2.
  const double rl = zl.real(), xl = zl.imag();
  const double zs2 = Norm2(zs);
  const double gs = rs / zs2;
  for (const double x2 : Roots(xl, rl * (1.0 / gs - rl), rl / gs)) {
    const double x = xl + x2;
    const double b_branch = -x / (rl * rl + x * x);
    const double x1 = ShuntReactance(xs / zs2 - b_branch);
    out.push_back({Family::kSeriesAtLoad, x1, x2, TypeOf(Family::kSeriesAtLoad, x1, x2)});
  }
  return out;
}

}  // namespace vorda::rf
