// A computed L-section as a circuit: its two parts in their topology, the
// input impedance it presents with a load, and how much of the power that
// enters it reaches the load.
#pragma once

#include <complex>
#include <optional>

#include "engine/SectionTypes.h"
#include "rf/Parts.h"

namespace vorda::rf {

using Impedance = std::complex<double>;

// What a source of resistance z0 sees at the section's input.
struct Match {
  Impedance zin;
  double gamma = 0.0;  // |reflection coefficient|
  // -20 log10 |gamma| in dB; empty for a perfect match (gamma 0).
  std::optional<double> return_loss_db;
  // (1 + |gamma|) / (1 - |gamma|); empty when |gamma| >= 1 (an active load).
  std::optional<double> vswr;
};
Match MatchOf(Impedance zin, double z0);

// The first part lies on the source side, the second at the load.
// Shunt-at-load types: Zin = Z1 + (Z2 || ZL).
// Series-at-load types: Zin = Z1 || (Z2 + ZL).
struct Section {
  Family family = Family::kShuntAtLoad;
  Part first;
  Part second;

  Impedance InputImpedance(double hertz, Impedance load) const;
  // What a source of resistance z0 sees at the input.
  Match MatchAt(double hertz, Impedance load, double z0) const;
  // Power delivered to the load over the power entering the section.
  double Efficiency(double hertz, Impedance load) const;
};

// The VSWR, infinite when |gamma| >= 1; cheaper than MatchOf for searches.
double Vswr(Impedance zin, double z0);

// The reflection coefficient of z referred to a resistance, and back.
Impedance GammaOf(Impedance z, double reference);
Impedance ImpedanceOf(Impedance gamma, double reference);

}  // namespace vorda::rf
