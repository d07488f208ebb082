#include "rf/EngineRun.h"

#include <charconv>

namespace vorda::rf {

std::string ExactText(double value) {
  char buf[40];
  const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 16);
  return {buf, res.ptr};
}

std::string RegionWords(int region) {
  switch (region) {
    case 1:
      return "inside the unit-conductance circle (left hand circular area)";
    case 2:
      return "inside the unit-resistance circle (right hand circular area)";
    case 3:
      return "upper half of the chart, outside both small circles";
    case 4:
      return "lower half of the chart, outside both small circles";
    default:
      break;
  }
  return "unclassified";
}

}  // namespace vorda::rf
