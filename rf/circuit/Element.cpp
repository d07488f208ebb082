#include "rf/circuit/Element.h"

namespace vorda::rf {

Stage StageAt(const Element& e, double hertz) {
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
