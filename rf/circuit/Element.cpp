#include "rf/circuit/Element.h"

#include <cmath>

namespace vorda::rf {

Element SeriesLine(const Line& line) {
  return {Position::kSeries, Part{Part::Kind::kShort, 0.0}, line};
}

Element ShuntStub(const Line& stub) {
  return {Position::kShunt, Part{Part::Kind::kOpen, 0.0}, stub};
}

namespace {

// A line at a frequency: in series its chain matrix, in shunt its stub's
// impedance to ground (an open or a short where it comes to one).
Stage LineStage(const Element& e, double hertz) {
  const Line& l = *e.line;
  Stage s;
  if (e.position == Position::kSeries) {
    const Propagation p = PropagationAt(l, hertz);
    s.form = Stage::Form::kChain;
    s.chain = {p.cosh, l.impedance * p.sinh, p.sinh / l.impedance, p.cosh};
    return s;
  }
  s.z = StubImpedance(l, hertz);
  s.form = std::isinf(s.z.real())                  ? Stage::Form::kThrough
           : s.z == std::complex<double>(0.0, 0.0) ? Stage::Form::kShorted
                                                   : Stage::Form::kShunt;
  return s;
}

}  // namespace

Stage StageAt(const Element& e, double hertz) {
  if (e.line) return LineStage(e, hertz);
  const bool series = e.position == Position::kSeries;
  Stage s;
  switch (e.part.kind) {
    case Part::Kind::kShort:
      s.form = series ? Stage::Form::kThrough : Stage::Form::kShorted;
      return s;
    case Part::Kind::kOpen:
      s.form = series ? Stage::Form::kOpen : Stage::Form::kThrough;
      return s;
    case Part::Kind::kInductor:
    case Part::Kind::kCapacitor:
      break;
  }
  s.form = series ? Stage::Form::kSeries : Stage::Form::kShunt;
  s.z = e.part.ImpedanceAt(hertz);
  return s;
}

}  // namespace vorda::rf
