#include "rf/synthesis/BandObjective.h"

#include <cmath>
#include <limits>

#include "engine/PortableMath.h"
#include "rf/circuit/Match.h"

namespace vorda::rf {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// a b and a / b (as a b* / |b|^2) in plain arithmetic, without the
// library's care for infinities: a part's impedance here is finite, or the
// result is no number, and either way the same on every platform.
std::complex<double> Multiply(std::complex<double> a, std::complex<double> b) {
  return {a.real() * b.real() - a.imag() * b.imag(), a.real() * b.imag() + a.imag() * b.real()};
}
std::complex<double> Divide(std::complex<double> a, std::complex<double> b) {
  const double d = b.real() * b.real() + b.imag() * b.imag();
  return {(a.real() * b.real() + a.imag() * b.imag()) / d,
          (a.imag() * b.real() - a.real() * b.imag()) / d};
}
constexpr std::size_t kMostParts = 16;

}  // namespace

BandObjective::BandObjective(const Network& shape, std::vector<BandPoint> points)
    : points_(std::move(points)) {
  for (const Element& e : shape.elements) {
    if (e.line) {
      // Each point's share of the line's frequency, and its loss there.
      Piece piece{e.position == Position::kSeries, {}, 0.0, {}, e.line, {}, {}};
      for (const BandPoint& p : points_) {
        piece.ratio.push_back(p.hertz / e.line->at_hertz);
        piece.loss.push_back(CoshSinh(e.line->NepersAt(p.hertz)));
      }
      parts_.push_back(std::move(piece));
      continue;
    }
    if (!e.part.IsReal()) continue;
    Piece piece{e.position == Position::kSeries, KernelOf(e.part), 0.0, {}, {}, {}, {}};
    if (const auto& data = e.part.model.measured) {
      // A measured part's impedance at each point, for its nominal value.
      piece.nominal = data->nominal;
      for (const BandPoint& p : points_) piece.measured.push_back(data->At(p.hertz));
    }
    parts_.push_back(std::move(piece));
  }
}

void BandObjective::Values(const double* u, double* values) const {
  for (std::size_t i = 0; i < parts_.size(); ++i) {
    values[i] = parts_[i].line ? kHalfTurn * u[i] : portable::Pow10(u[i]);
  }
}

std::complex<double> BandObjective::PieceImpedance(const Piece& part, std::size_t at,
                                                   double value) const {
  if (part.line) {  // a stub: its propagation, as the cascade takes it
    const Line& l = *part.line;
    const auto& [ch, sh] = part.loss[at];
    const Propagation g = PropagationOf(value * part.ratio[at], ch, sh);
    return l.end == Line::End::kOpen ? Divide(l.impedance * g.cosh, g.sinh)
                                     : Divide(l.impedance * g.sinh, g.cosh);
  }
  if (!part.measured.empty()) {
    const double scale = part.kernel.inductor ? value / part.nominal : part.nominal / value;
    return part.measured[at] * scale;
  }
  return KernelImpedance(part.kernel, value, points_[at].omega);
}

double BandObjective::Gamma2(std::size_t at, const double* values) const {
  const BandPoint& p = points_[at];
  std::complex<double> z = p.load;
  for (std::size_t k = parts_.size(); k-- > 0;) {  // from the load
    const Piece& part = parts_[k];
    if (part.line && part.series) {
      // (cosh z + Zc sinh) / (sinh z / Zc + cosh)
      const Line& l = *part.line;
      const auto& [ch, sh] = part.loss[at];
      const Propagation g = PropagationOf(values[k] * part.ratio[at], ch, sh);
      z = Divide(Multiply(g.cosh, z) + l.impedance * g.sinh,
                 Multiply(g.sinh, z) / l.impedance + g.cosh);
      continue;
    }
    const std::complex<double> zp = PieceImpedance(part, at, values[k]);
    z = part.series ? z + zp : Divide(Multiply(zp, z), zp + z);
  }
  const double g2 = Norm2(z - std::conj(p.source)) / Norm2(z + p.source);
  return std::isnan(g2) ? kInf : g2;
}

double BandObjective::Gain(std::size_t at, const double* values) const {
  const BandPoint& p = points_[at];
  // The load's current 1: the load takes Re(ZL), the source offers
  // |V + Zs I|^2 / (4 Rs).
  std::complex<double> v = p.load, i{1.0, 0.0};
  for (std::size_t k = parts_.size(); k-- > 0;) {
    const Piece& part = parts_[k];
    if (part.line && part.series) {
      const Line& l = *part.line;
      const auto& [ch, sh] = part.loss[at];
      const Propagation g = PropagationOf(values[k] * part.ratio[at], ch, sh);
      const std::complex<double> v2 = Multiply(g.cosh, v) + l.impedance * Multiply(g.sinh, i);
      i = Multiply(g.sinh, v) / l.impedance + Multiply(g.cosh, i);
      v = v2;
      continue;
    }
    const std::complex<double> zp = PieceImpedance(part, at, values[k]);
    if (part.series) {
      v += Multiply(zp, i);
    } else {
      i += Divide(v, zp);
    }
  }
  const double gain = 4.0 * p.source.real() * p.load.real() / Norm2(v + Multiply(p.source, i));
  return std::isnan(gain) ? 0.0 : gain;
}

double BandObjective::Figure(std::size_t at, const double* values) const {
  const BandPoint& p = points_[at];
  switch (p.figure) {
    case PointFigure::kGain: {
      const double g = Gain(at, values);
      return g > 0.0 ? p.weight / g : kInf;
    }
    case PointFigure::kReject:
      return p.weight * Gain(at, values);
    case PointFigure::kReflection:
      break;
  }
  return p.weight * Gamma2(at, values);
}

double BandObjective::Worst(const double* u) const {
  double values[kMostParts];
  Values(u, values);
  double worst = 0.0;
  for (std::size_t i = 0; i < points_.size(); ++i) worst = std::max(worst, Figure(i, values));
  return worst;
}

double BandObjective::Smooth(const double* u, int power) const {
  double values[kMostParts];
  Values(u, values);
  double sum = 0.0;
  for (std::size_t i = 0; i < points_.size(); ++i) {
    double g = Figure(i, values);
    for (int k = 1; k < power; k *= 2) g *= g;
    sum += g;
  }
  return sum / static_cast<double>(points_.size());
}

void BandObjective::Gammas(const double* u, std::vector<double>& g2) const {
  double values[kMostParts];
  Values(u, values);
  g2.resize(points_.size());
  for (std::size_t i = 0; i < points_.size(); ++i) g2[i] = Figure(i, values);
}

double BandObjective::WorstOf(const double* values) const {
  double worst = 0.0;
  for (std::size_t i = 0; i < points_.size(); ++i) worst = std::max(worst, Figure(i, values));
  return worst;
}

void BandObjective::GammasOf(const double* values, std::vector<double>& g2) const {
  g2.resize(points_.size());
  for (std::size_t i = 0; i < points_.size(); ++i) g2[i] = Figure(i, values);
}

}  // namespace vorda::rf
