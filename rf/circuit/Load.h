// The load across frequency.
#pragma once

#include <complex>

#include "rf/circuit/Parts.h"

namespace vorda::rf {

class LoadModel {
 public:
  virtual ~LoadModel() = default;
  virtual std::complex<double> At(double hertz) const = 0;
  // Whether the model holds at a frequency (a measurement: within its
  // range, between passive points).
  virtual bool Knows(double /*hertz*/) const { return true; }
};

// R + jX given at one frequency, taken as R in series with the inductor or
// capacitor that has the reactance X there (R alone for X = 0).
class SeriesLoad : public LoadModel {
 public:
  SeriesLoad(double resistance, double reactance, double hertz)
      : resistance_(resistance),
        reactance_(reactance),
        hertz_(hertz),
        part_(PartFor(reactance, hertz)) {}
  // Exactly R + jX at the frequency it was given for.
  std::complex<double> At(double hertz) const override {
    return {resistance_, hertz == hertz_ ? reactance_ : part_.Reactance(hertz)};
  }
  double Resistance() const { return resistance_; }
  const Part& Reactive() const { return part_; }

 private:
  double resistance_;
  double reactance_;
  double hertz_;
  Part part_;
};

}  // namespace vorda::rf
