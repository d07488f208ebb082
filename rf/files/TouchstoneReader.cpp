#include <cmath>
#include <memory>

#include "rf/circuit/Match.h"
#include "rf/files/Touchstone.h"
#include "rf/files/TouchstoneParser.h"

namespace vorda::rf {

namespace {

using Parameter = TouchstoneParser::Parameter;

// The load impedance a one-port's parameter gives.
std::complex<double> ToImpedance(const TouchstoneParser& parser, std::complex<double> v) {
  const double reference = parser.Reference(0);
  std::complex<double> z;
  switch (parser.Kind()) {
    case Parameter::kS:
      if (v == 1.0) parser.Fail("S11 = 1 is an open circuit: no finite load impedance");
      z = ImpedanceOf(v, reference);
      break;
    case Parameter::kZ:
      z = parser.Version() == 1 ? v * reference : v;
      break;
    case Parameter::kY: {
      if (v == 0.0) parser.Fail("Y11 = 0 is an open circuit: no finite load impedance");
      z = 1.0 / (parser.Version() == 1 ? v / reference : v);
      break;
    }
  }
  if (!std::isfinite(z.real()) || !std::isfinite(z.imag())) {
    parser.Fail("the point gives no finite load impedance");
  }
  return z;
}

}  // namespace

TouchstoneReader::TouchstoneReader(ByteSource source)
    : parser_(std::make_unique<TouchstoneParser>(std::move(source), 1)) {}
TouchstoneReader::~TouchstoneReader() = default;

bool TouchstoneReader::Next(LoadPoint& point) {
  TouchstoneParser::Point p;
  if (!parser_->Next(p)) return false;
  LoadPoint load;
  load.hertz = p.hertz;
  load.z = ToImpedance(*parser_, p.values[0]);
  point = load;
  return true;
}
double TouchstoneReader::Reference() const {
  return parser_->Reference(0);
}
std::size_t TouchstoneReader::Line() const {
  return parser_->Line();
}

}  // namespace vorda::rf
