#include "ui/designer/DesignSet.h"

#include <algorithm>
#include <cmath>

#include "rf/Sweep.h"

namespace vorda::designer {

namespace {

std::string RefusedFor(int region) {
  switch (region) {
    case 1:
      return "refused: load inside the g = 1 circle";
    case 2:
      return "refused: load inside the r = 1 circle";
    case 3:
      return "refused: load in the upper half";
    case 4:
      return "refused: load in the lower half";
    default:
      break;
  }
  return "refused: load in no region";
}

std::string Status(const rf::EngineRun& e) {
  const ComputeRun& run = e.run;
  const bool boundary =
      std::any_of(e.view.Boxes().begin(), e.view.Boxes().end(),
                  [](const rf::RecordedBox& box) { return box.prompt == kBoundaryPrompt; });
  const std::string on_boundary = boundary ? ", the load lies on a circle boundary" : "";
  switch (run.outcome) {
    case Outcome::kComputed:
      break;
    case Outcome::kRefused:
      return RefusedFor(run.region.value_or(0));
    case Outcome::kOutOfRange:
      return "refused: no such type";
    case Outcome::kFault:
      return "stopped by an arithmetic fault: " + FaultName(run.fault->kind) + " (error code " +
             std::to_string(run.fault->code()) + ")" + on_boundary;
  }
  return "admitted" + on_boundary;
}

rf::DesignOptions OptionsFor(const DesignInputs& in, const rf::Measurement* measurement) {
  rf::DesignOptions d = rf::PartOptions(in.hertz, in.series, in.q_inductor, in.q_capacitor);
  d.bandwidth = true;
  if (measurement != nullptr) {
    d.band_low_limit = measurement->First();
    d.band_high_limit = measurement->Last();
  }
  return d;
}

void Design(TypeRow& row, const rf::LoadModel& load, const DesignInputs& in,
            const rf::DesignOptions& options) {
  const ComputeRun& run = row.engine.run;
  row.design = rf::DesignComputed(row.engine.type_index, run, load, options);
  const rf::TypeDesign& d = *row.design;
  row.at_design = d.evaluated.MatchAt(in.hertz, load.At(in.hertz), run.z0);
  if (d.loss) row.dissipation_db = d.loss->dissipation_db;
}

// The load of a row: measured, or the typed one as R in series with L or C.
template <typename Use>
auto WithLoad(const ComputeRun& run, double hertz, const rf::Measurement* measurement, Use use) {
  if (measurement != nullptr) return use(rf::MeasuredLoad(*measurement));
  return use(rf::SeriesLoad(run.load_r, run.load_x, hertz));
}

// Higher return loss first, then lower dissipation loss.
bool Better(const TypeRow& a, const TypeRow& b) {
  const double rl_a = a.at_design->return_loss_db.value_or(HUGE_VAL);
  const double rl_b = b.at_design->return_loss_db.value_or(HUGE_VAL);
  if (rl_a != rl_b) return rl_a > rl_b;
  return a.dissipation_db.value_or(0.0) < b.dissipation_db.value_or(0.0);
}

}  // namespace

std::vector<double> SweepFor(const DesignInputs& in, const rf::Measurement* measurement) {
  double start = in.span ? in.hertz - *in.span / 2 : in.hertz / 2;
  double stop = in.span ? in.hertz + *in.span / 2 : in.hertz * 1.5;
  if (measurement != nullptr && !in.span) {
    start = measurement->First();
    stop = measurement->Last();
  }
  start = std::max(start, in.hertz / 100);
  if (measurement != nullptr) {
    start = std::max(start, measurement->First());
    stop = std::min(stop, measurement->Last());
  }
  if (!(stop > start)) return {in.hertz};
  return rf::LinearFrequencies(start, stop, kSweepPoints);
}

DesignSet DesignAll(const DesignInputs& in, const rf::Measurement* measurement) {
  DesignSet set;
  set.hertz = in.hertz;
  set.frequencies = SweepFor(in, measurement);
  set.load =
      measurement != nullptr ? measurement->At(in.hertz) : rf::Impedance(in.load_r, in.load_x);
  const rf::DesignOptions options = OptionsFor(in, measurement);
  const std::string z0 = rf::ExactText(in.z0);
  const std::string real = rf::ExactText(set.load.real());
  const std::string imag = rf::ExactText(set.load.imag());
  for (std::int16_t t = 1; t <= kTypeCount; ++t) {
    TypeRow& row = set.rows.emplace_back(TypeRow{rf::RunEngine(z0, real, imag, t), {}, {}, {}, {}});
    row.status = Status(row.engine);
    if (row.engine.run.outcome != Outcome::kComputed) continue;
    WithLoad(row.engine.run, in.hertz, measurement,
             [&](const rf::LoadModel& load) { Design(row, load, in, options); });
    if (!set.best || Better(row, set.rows[*set.best])) set.best = set.rows.size() - 1;
  }
  if (measurement != nullptr) {
    set.bare_return_loss_db =
        rf::BareReturnLoss(rf::MeasuredLoad(*measurement), in.z0, set.frequencies);
  }
  return set;
}

Curves CurvesFor(const TypeRow& row, const DesignSet& set, const rf::Measurement* measurement) {
  Curves c;
  if (!row.design) return c;
  const rf::TypeDesign& d = *row.design;
  const double z0 = row.engine.run.z0;
  WithLoad(row.engine.run, set.hertz, measurement, [&](const rf::LoadModel& load) {
    c.ideal = rf::ResponseOf(d.ideal, load, z0, set.frequencies);
    if (d.standard) c.standard = rf::ResponseOf(*d.standard, load, z0, set.frequencies);
    if (d.loss) c.built = rf::ResponseOf(d.evaluated, load, z0, set.frequencies);
  });
  return c;
}

}  // namespace vorda::designer
