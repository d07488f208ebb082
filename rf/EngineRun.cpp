#include "rf/EngineRun.h"

#include <charconv>

namespace vorda::rf {

std::string ExactText(double value) {
  char buf[40];
  const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 16);
  return {buf, res.ptr};
}

}  // namespace vorda::rf
