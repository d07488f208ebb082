#include "rf/circuit/Cascade.h"

#include <cmath>
#include <limits>

#include "rf/circuit/Network.h"

namespace vorda::rf {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

bool Finite(Impedance z) {
  return std::isfinite(z.real()) && std::isfinite(z.imag());
}

// v / i, infinite for no current.
Impedance Ratio(Impedance v, Impedance i) {
  if (i == Impedance(0.0, 0.0)) return {kInf, kInf};
  return v / i;
}

Port Walk(const Network& n, double hertz, Port p, std::vector<Impedance>* ends) {
  if (ends != nullptr) ends->assign(n.elements.size(), Impedance());
  for (std::size_t k = n.elements.size(); k-- > 0;) {  // from the load
    Apply(StageAt(n.elements[k], hertz), p);
    if (ends != nullptr) (*ends)[k] = p.z;
  }
  return p;
}

}  // namespace

Port LoadPort(Impedance load) {
  return {load, 1.0, 1.0 / load, true};
}

void Apply(const Stage& s, Port& p) {
  // Past an open or a short the impedance is the ratio of what is carried.
  const bool direct = Finite(p.z) && p.i != Impedance(0.0, 0.0);
  switch (s.form) {
    case Stage::Form::kThrough:
      return;
    case Stage::Form::kSeries:
      p.v += p.i * s.z;
      p.z = direct ? s.z + p.z : Ratio(p.v, p.i);
      return;
    case Stage::Form::kShunt:
      p.i += p.v / s.z;
      p.z = direct ? s.z * p.z / (s.z + p.z) : Ratio(p.v, p.i);
      return;
    case Stage::Form::kChain: {
      const ChainMatrix& m = s.chain;
      const Impedance v = m.a * p.v + m.b * p.i;
      p.i = m.c * p.v + m.d * p.i;
      p.v = v;
      p.z = direct ? (m.a * p.z + m.b) / (m.c * p.z + m.d) : Ratio(p.v, p.i);
      return;
    }
    case Stage::Form::kOpen:
      p = {{kInf, kInf}, 1.0, 0.0, false};
      return;
    case Stage::Form::kShorted:
      p = {0.0, 0.0, 1.0, false};
      return;
  }
}

Port Cascade(const Network& n, double hertz, Impedance load, std::vector<Impedance>* ends) {
  return Walk(n, hertz, LoadPort(load), ends);
}

std::optional<ChainMatrix> ChainOf(const Network& n, double hertz) {
  // Open at the output: V2 = 1, I2 = 0 gives (A, C); shorted: (B, D).
  const Port open = Walk(n, hertz, {{kInf, kInf}, 1.0, 0.0, true}, nullptr);
  if (!open.passes) return std::nullopt;
  const Port shorted = Walk(n, hertz, {0.0, 0.0, 1.0, true}, nullptr);
  return ChainMatrix{open.v, shorted.v, open.i, shorted.i};
}

}  // namespace vorda::rf
