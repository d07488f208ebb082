#include "engine/ArithmeticFault.h"

namespace vorda {

std::string FaultName(FaultKind kind) {
  switch (kind) {
    case FaultKind::kNegativeSqrt:
      return "square root of a negative number";
    case FaultKind::kInvalid:
      return "invalid floating-point operation";
    case FaultKind::kDivisionByZero:
      return "division by zero";
    case FaultKind::kOverflow:
      break;
  }
  return "overflow";
}

}  // namespace vorda
