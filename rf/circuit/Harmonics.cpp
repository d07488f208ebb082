#include "rf/circuit/Harmonics.h"

#include <cmath>

#include "engine/PortableMath.h"
#include "rf/circuit/Limits.h"

namespace vorda::rf {

namespace {

std::optional<double> InsertionLoss(const Network& n, const LoadModel& load, const Source& source,
                                    double hertz) {
  const double gain = n.TransducerGain(hertz, load.At(hertz), source);
  if (!(gain > 0.0) || !std::isfinite(gain)) return std::nullopt;
  // A gain within 1e-12 of all the power is all of it: what is left is
  // rounding, not loss.
  if (gain > 1.0 - 1e-12) return 0.0;
  return 0.0 - 10.0 * portable::Log10(gain);
}

}  // namespace

Harmonics HarmonicsOf(const Network& network, const LoadModel& load, const Source& source,
                      double hertz) {
  Harmonics h;
  h.insertion_loss_db = InsertionLoss(network, load, source, hertz);
  if (!h.insertion_loss_db) return h;
  for (const int k : {2, 3}) {
    const double f = k * hertz;
    if (f > kMaxHertz || !load.Knows(f)) continue;
    const auto at = InsertionLoss(network, load, source, f);
    if (at)
      (k == 2 ? h.attenuation_2f_db : h.attenuation_3f_db) = *at - *h.insertion_loss_db;
    else
      (k == 2 ? h.total_2f : h.total_3f) = true;
  }
  return h;
}

}  // namespace vorda::rf
