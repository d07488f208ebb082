#include "rf/synthesis/Tuning.h"

#include <cmath>
#include <numbers>

#include "rf/circuit/Cascade.h"
#include "rf/circuit/Units.h"

namespace vorda::rf {

namespace {

using C = std::complex<double>;

// The nearest point to g on the circle of centre c and radius r.
C Nearest(C g, C c, double r) {
  const C d = g - c;
  const double n = Magnitude(d);
  return n == 0.0 ? c + r : c + d * (r / n);
}

// The standard value nearest a value, by ratio.
double Snap(double value, ESeries series) {
  const auto n = StandardNeighbours(value, series);
  if (!n) return value;
  return value / n->below < n->above / value ? n->below : n->above;
}

// A part of a kind with a reactance (ohms) at f; nothing for one of the
// wrong sign.
std::optional<double> ValueFor(Part::Kind kind, double x, double hertz) {
  const double w = kTwoPi * hertz;
  if (kind == Part::Kind::kInductor && x > 0.0) return x / w;
  if (kind == Part::Kind::kCapacitor && x < 0.0) return -1.0 / (w * x);
  return std::nullopt;
}

// atan in degrees, brought into [0, 180).
double HalfTurnAtan(double x) {
  double d = std::atan(x) * 180.0 / std::numbers::pi;
  if (d < 0.0) d += 180.0;
  return d >= 180.0 ? 0.0 : d;
}

// The electrical length (degrees at f) of a line or a stub whose end comes
// nearest a point (a reflection coefficient to z0) from where it starts
// (ohms): a line turns the point about its own impedance, a stub moves it
// along the circle of constant conductance. Nothing where it cannot move.
std::optional<double> LineDegrees(const Element& e, C start, C gamma, double z0) {
  const Line& l = *e.line;
  const double zc = l.impedance;
  if (e.position == Position::kSeries) {
    const C from = (start - zc) / (start + zc);
    const C target = ImpedanceOf(gamma, 1.0) * z0;
    const C to = (target - zc) / (target + zc);
    if (std::abs(from) < 1e-12 || std::abs(to) == 0.0) return std::nullopt;
    // Along the line the reflection turns by -2 theta.
    double d = (std::arg(from) - std::arg(to)) * 90.0 / std::numbers::pi;
    d = std::fmod(d, 180.0);
    if (d <= 0.0) d += 180.0;
    return d;
  }
  const C y0 = z0 / start;
  const double g = y0.real();
  const C at = Nearest(gamma, C(-g / (1 + g), 0.0), 1.0 / (1 + g));
  const double b = ((1.0 / ImpedanceOf(at, 1.0)).imag() - y0.imag()) * zc / z0;
  const double d = l.end == Line::End::kOpen ? HalfTurnAtan(b)
                   : b == 0.0                ? 90.0
                                             : HalfTurnAtan(-1.0 / b);
  if (d == 0.0) return std::nullopt;
  return d;
}

}  // namespace

std::vector<Impedance> PartEnds(const Network& n, Impedance load, double hertz) {
  std::vector<Impedance> ends;
  Cascade(n, hertz, load, &ends);
  return ends;
}

std::optional<Drag> DragPart(const Network& network, std::size_t index, Impedance load,
                             double hertz, double z0, const Source& source,
                             std::complex<double> gamma, std::optional<ESeries> snap) {
  if (index >= network.elements.size()) return std::nullopt;
  const Element& e = network.elements[index];
  if (!e.IsPart() && !e.IsLine()) return std::nullopt;
  // Where the part starts: the end of the part after it, or the load.
  Network after;
  after.elements.assign(network.elements.begin() + static_cast<long>(index) + 1,
                        network.elements.end());
  if (e.line) {
    const auto degrees = LineDegrees(e, after.InputImpedance(hertz, load), gamma, z0);
    if (!degrees) return std::nullopt;
    Drag d{network, *degrees, {}};
    Line& l = *d.network.elements[index].line;
    l = WithDegrees(l, *degrees * (l.at_hertz / hertz));
    after.elements.insert(after.elements.begin(), d.network.elements[index]);
    d.end = after.InputImpedance(hertz, load);
    return d;
  }
  const C start = after.InputImpedance(hertz, load) / z0;
  const bool series = e.position == Position::kSeries;
  // The arc: constant resistance (series), constant conductance (shunt).
  double x = 0.0;  // the part's reactance, normalized
  if (series) {
    const double r = start.real();
    const C g = Nearest(gamma, C(r / (1 + r), 0.0), 1.0 / (1 + r));
    x = ImpedanceOf(g, 1.0).imag() - start.imag();
  } else {
    const C y0 = 1.0 / start;
    const double g = y0.real();
    const C at = Nearest(gamma, C(-g / (1 + g), 0.0), 1.0 / (1 + g));
    const double b = (1.0 / ImpedanceOf(at, 1.0)).imag() - y0.imag();
    if (b == 0.0) return std::nullopt;
    x = -1.0 / b;
  }
  auto value = ValueFor(e.part.kind, x * z0, hertz);
  if (!value || !std::isfinite(*value)) return std::nullopt;
  if (snap) value = Snap(*value, *snap);
  Drag d{network, *value, {}};
  d.network.elements[index].part.value = *value;
  // The source-side part next to it cancels what it can.
  if (index == 1) {
    const Element& first = d.network.elements[0];
    after.elements.assign(d.network.elements.begin() + 1, d.network.elements.end());
    const C mid = after.InputImpedance(hertz, load);
    const C want = std::conj(source.z);  // what the source sees at a match
    const double cancel = first.position == Position::kSeries
                              ? want.imag() - mid.imag()
                              : -1.0 / ((1.0 / want).imag() - (1.0 / mid).imag());
    if (const auto v = ValueFor(first.part.kind, cancel, hertz); v && first.part.IsReal()) {
      d.network.elements[0].part.value = *v;
    }
  }
  after.elements.assign(d.network.elements.begin() + static_cast<long>(index),
                        d.network.elements.end());
  d.end = after.InputImpedance(hertz, load);
  return d;
}

}  // namespace vorda::rf
