#include "rf/synthesis/LineDesigns.h"
#include <numeric>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/PortableMath.h"

namespace vorda::rf {

namespace {

using C = std::complex<double>;
constexpr double kDegrees = 180.0 / std::numbers::pi;
constexpr C kJ(0.0, 1.0);

// atan in degrees, from the portable function; atan2 likewise.
double AtanDegrees(double x) {
  return portable::Atan(x) * kDegrees;
}
double Atan2Degrees(double y, double x) {
  if (x > 0.0) return AtanDegrees(y / x);
  if (x < 0.0) return AtanDegrees(y / x) + (y >= 0.0 ? 180.0 : -180.0);
  return y > 0.0 ? 90.0 : y < 0.0 ? -90.0 : 0.0;
}

// An angle brought into [0, 180).
double HalfTurn(double degrees) {
  double d = std::fmod(degrees, 180.0);
  if (d < 0.0) d += 180.0;
  return d >= 180.0 ? 0.0 : d;
}

// The length (degrees) of a stub whose normalized susceptance is b: an open
// stub's j tan, a shorted one's -j cot.
double StubDegrees(StubEnd end, double b) {
  if (end == StubEnd::kOpen) return HalfTurn(AtanDegrees(b));
  if (b == 0.0) return 90.0;
  return HalfTurn(AtanDegrees(-1.0 / b));
}

// The normalized admittance at the input of a line tan(theta) = t long,
// loaded with y; t infinite: a quarter wave.
C Along(C y, double t) {
  if (std::isinf(t)) return 1.0 / y;
  return (y + kJ * t) / (1.0 + kJ * y * t);
}

double TanDegrees(double degrees) {
  if (degrees == 90.0) return HUGE_VAL;
  return portable::SinDegrees(degrees) / portable::CosDegrees(degrees);
}

// A shunt stub of a length, left out when it is nothing (an open stub of no
// length, a shorted one of a quarter wave).
void AddStub(Network& n, StubEnd end, double degrees, double z0, double hertz) {
  if (end == StubEnd::kOpen ? degrees == 0.0 : degrees == 90.0) return;
  Line stub = LineOfDegrees(z0, degrees, hertz);
  stub.end = end == StubEnd::kOpen ? Line::End::kOpen : Line::End::kShort;
  n.elements.push_back(ShuntStub(stub));
}

void AddLine(Network& n, double degrees, double z0, double hertz) {
  if (degrees == 0.0) return;
  n.elements.push_back(SeriesLine(LineOfDegrees(z0, degrees, hertz)));
}

// The total length of a design's lines, for the order of its solutions.
double Length(const Network& n) {
  return std::accumulate(n.elements.begin(), n.elements.end(), 0.0, [](double t, const Element& e) {
    return t + (e.line ? e.line->degrees : 0.0);
  });
}

LineDesigns Sorted(LineDesigns d) {
  std::stable_sort(d.networks.begin(), d.networks.end(),
                   [](const Network& a, const Network& b) { return Length(a) < Length(b); });
  return d;
}

// What the source wants to see, normalized to the lines: the admittance of
// its conjugate.
C Target(const Source& source, double z0) {
  return z0 / std::conj(source.z);
}

}  // namespace

LineDesigns SingleStub(StubEnd end, const Source& source, Impedance load, double hertz, double z0) {
  const C yl = z0 / load;
  const C yt = Target(source, z0);
  const double a = yl.real(), b = yl.imag(), g = yt.real();
  // Re y(t) = g: (a - g |yl|^2) t^2 + 2 g b t + (a - g) = 0, t = tan(beta d).
  const double qa = a - g * std::norm(yl), qb = 2.0 * g * b, qc = a - g;
  std::vector<double> roots;
  if (std::fabs(qa) <= 1e-12 * (std::fabs(qb) + std::fabs(qc) + 1.0)) {
    if (qb != 0.0) roots.push_back(-qc / qb);
    roots.push_back(HUGE_VAL);  // the quarter wave
  } else {
    const double disc = qb * qb - 4.0 * qa * qc;
    if (disc < 0.0) return {{}, {Reason::kNoSingleStub, g, 0.0, hertz}};
    const double root = std::sqrt(disc);
    roots = {(-qb - root) / (2.0 * qa), (-qb + root) / (2.0 * qa)};
    if (root == 0.0) roots.pop_back();
  }
  LineDesigns out;
  for (const double t : roots) {
    const double d = std::isinf(t) ? 90.0 : HalfTurn(AtanDegrees(t));
    const C y = Along(yl, t);
    Network n;
    AddStub(n, end, StubDegrees(end, yt.imag() - y.imag()), z0, hertz);
    AddLine(n, d, z0, hertz);
    out.networks.push_back(std::move(n));
  }
  return Sorted(std::move(out));
}

LineDesigns DoubleStub(StubEnd end, const Source& source, Impedance load, double hertz, double z0,
                       double spacing) {
  const double s = HalfTurn(spacing);
  if (s == 0.0) return {{}, {Reason::kHalfWaveSpacing, spacing}};
  const C yl = z0 / load;
  const C yt = Target(source, z0);
  const double a = yl.real(), g = yt.real(), t = TanDegrees(s);
  // After the first stub the load is a + j b'; along the spacing its
  // conductance must come to g: (1 - b' t)^2 = a (1 + t^2) / g - a^2 t^2.
  std::vector<double> primes;
  if (std::isinf(t)) {
    const double k = a / g - a * a;
    if (k < 0.0) return {{}, {Reason::kDoubleStubCannotMatch, a, 1.0 / g}};
    primes = {-std::sqrt(k), std::sqrt(k)};
  } else {
    const double k = a * (1.0 + t * t) / g - a * a * t * t;
    if (k < 0.0) {
      return {{}, {Reason::kDoubleStubCannotMatch, a, (1.0 + t * t) / (g * t * t)}};
    }
    primes = {(1.0 - std::sqrt(k)) / t, (1.0 + std::sqrt(k)) / t};
  }
  if (primes[0] == primes[1]) primes.pop_back();
  LineDesigns out;
  for (const double bp : primes) {
    const C y2 = Along(C(a, bp), t);
    Network n;
    AddStub(n, end, StubDegrees(end, yt.imag() - y2.imag()), z0, hertz);
    n.elements.push_back(SeriesLine(LineOfDegrees(z0, s, hertz)));
    AddStub(n, end, StubDegrees(end, bp - yl.imag()), z0, hertz);
    out.networks.push_back(std::move(n));
  }
  return Sorted(std::move(out));
}

LineDesigns QuarterWave(const Source& source, Impedance load, double hertz, double z0) {
  if (!source.Resistive()) return {{}, {Reason::kQuarterWaveComplexSource}};
  const C gamma = (load - z0) / (load + z0);
  const double m = std::sqrt(std::norm(gamma));
  const double phase = Atan2Degrees(gamma.imag(), gamma.real());
  LineDesigns out;
  // At a maximum of the voltage the load is z0 (1 + |G|) / (1 - |G|), at a
  // minimum z0 (1 - |G|) / (1 + |G|); a matched load is real at once.
  const std::pair<double, double> places[] = {
      {HalfTurn(phase / 2.0), z0 * (1.0 + m) / (1.0 - m)},
      {HalfTurn((phase + 180.0) / 2.0), z0 * (1.0 - m) / (1.0 + m)}};
  for (const auto& [degrees, r] : places) {
    Network n;
    n.elements.push_back(SeriesLine(LineOfDegrees(std::sqrt(r * source.z.real()), 90.0, hertz)));
    AddLine(n, degrees, z0, hertz);
    out.networks.push_back(std::move(n));
    if (m == 0.0) break;
  }
  return Sorted(std::move(out));
}

}  // namespace vorda::rf
