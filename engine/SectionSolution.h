// Solution of an admitted L-section in two steps: the load-side step finds
// the second component, the source-side step the first. Both results are
// normalized reactances, positive inductive and negative capacitive.
// Arithmetic faults are thrown as ArithmeticFault and end the run.
#pragma once

#include <cstdint>

#include "engine/MessageBoxes.h"
#include "engine/SectionTypes.h"

namespace vorda {

class SectionSolution {
 public:
  SectionSolution(const SectionType& type, double r, double x, MessageBoxes& boxes)
      : type_(type), r_(r), x_(x), boxes_(boxes) {}

  // Second-component reactance Xs.
  double LoadSide();
  // First-component reactance Xf, from the values of LoadSide.
  double SourceSide() const;

 private:
  const SectionType& type_;
  double r_;
  double x_;
  MessageBoxes& boxes_;
  double g_ = 0.0;  // load conductance (shunt-at-load types)
  double b_ = 0.0;  // load susceptance (shunt-at-load types)
  double root1_ = 0.0;
  double root2_ = 0.0;
  double t_ = 0.0;  // the chosen root
};

}  // namespace vorda
