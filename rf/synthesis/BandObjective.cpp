#include "rf/synthesis/BandObjective.h"

#include <cmath>
#include <limits>

#include "engine/PortableMath.h"
#include "rf/circuit/Match.h"

namespace vorda::rf {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::size_t kMostParts = 16;

}  // namespace

BandObjective::BandObjective(const Network& shape, std::vector<BandPoint> points)
    : points_(std::move(points)) {
  for (const Element& e : shape.elements) {
    if (!e.part.IsReal()) continue;
    parts_.push_back({e.position == Position::kSeries, e.part.kind == Part::Kind::kInductor,
                      std::isinf(e.part.q) ? 0.0 : 1.0 / e.part.q});
  }
}

void BandObjective::Values(const double* u, double* values) const {
  for (std::size_t i = 0; i < parts_.size(); ++i) values[i] = portable::Pow10(u[i]);
}

double BandObjective::Gamma2(const BandPoint& p, const double* values) const {
  std::complex<double> z = p.load;
  for (std::size_t k = parts_.size(); k-- > 0;) {  // from the load
    const Piece& part = parts_[k];
    const double x = part.inductor ? p.omega * values[k] : -1.0 / (p.omega * values[k]);
    const std::complex<double> zp(std::fabs(x) * part.inverse_q, x);
    z = part.series ? z + zp : zp * z / (zp + z);
  }
  const double g2 = Norm2(z - std::conj(p.source)) / Norm2(z + p.source);
  return std::isnan(g2) ? kInf : g2;
}

double BandObjective::Worst(const double* u) const {
  double values[kMostParts];
  Values(u, values);
  double worst = 0.0;
  for (const BandPoint& p : points_) worst = std::max(worst, Gamma2(p, values));
  return worst;
}

double BandObjective::Smooth(const double* u, int power) const {
  double values[kMostParts];
  Values(u, values);
  double sum = 0.0;
  for (const BandPoint& p : points_) {
    double g = Gamma2(p, values);
    for (int k = 1; k < power; k *= 2) g *= g;
    sum += g;
  }
  return sum / static_cast<double>(points_.size());
}

void BandObjective::Gammas(const double* u, std::vector<double>& g2) const {
  double values[kMostParts];
  Values(u, values);
  g2.resize(points_.size());
  for (std::size_t i = 0; i < points_.size(); ++i) g2[i] = Gamma2(points_[i], values);
}

}  // namespace vorda::rf
