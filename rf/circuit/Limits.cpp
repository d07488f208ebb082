#include "rf/circuit/Limits.h"

#include <cmath>

#include "rf/circuit/Units.h"

namespace vorda::rf {

namespace {

std::string Ohms(double v) {
  return ShortestText(v) + " ohms";
}

}  // namespace

std::optional<std::string> CheckFrequency(double hertz, const std::string& what) {
  if (hertz >= kMinHertz && hertz <= kMaxHertz) return std::nullopt;
  return what + " must lie from 1 Hz to 1 THz: " + ShortestText(hertz) + " Hz";
}

std::optional<std::string> CheckReference(double z0) {
  if (z0 >= kMinReference && z0 <= kMaxReference) return std::nullopt;
  if (!(z0 > 0.0)) return "Z0 must be above zero: " + Ohms(z0);
  return "Z0 must lie from 1 milliohm to 1 megohm: " + Ohms(z0);
}

std::optional<std::string> CheckLoadResistance(double r, double z0) {
  if (!(r > 0.0)) {
    return "the load resistance R must be above zero, a passive load: " + Ohms(r);
  }
  if (r < z0 / kLoadRatio) {
    return "the load resistance R is below a millionth of Z0, beyond any L-section of real "
           "parts: " +
           Ohms(r);
  }
  if (r > z0 * kLoadRatio) {
    return "the load resistance R is above a million times Z0, beyond any L-section of real "
           "parts: " +
           Ohms(r);
  }
  return std::nullopt;
}

std::optional<std::string> CheckLoadReactance(double x, double z0) {
  if (std::fabs(x) <= z0 * kLoadRatio) return std::nullopt;
  return "the load reactance X is beyond a million times Z0: " + Ohms(x);
}

std::optional<std::string> CheckQ(double q, const std::string& what) {
  if (q >= kMinQ && q <= kMaxQ) return std::nullopt;
  return what + " must lie from 0.1 to 1e6 (leave it out for an ideal part): " + ShortestText(q);
}

}  // namespace vorda::rf
