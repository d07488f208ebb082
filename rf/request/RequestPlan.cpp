#include "rf/request/RequestPlan.h"

namespace vorda::rf {

namespace {

PartsChoice PartsOf(const DesignRequest& r) {
  PartsChoice p = r.parts;
  if (p.library && p.model.Ideal()) p.model.package = p.library->CommonPackage();
  return p;
}

DesignOptions OptionsOf(const DesignRequest& r, const PartsChoice& parts,
                        const std::vector<double>& sweep, bool compensate) {
  DesignOptions d;
  d.hertz = r.hertz;
  d.parts = parts;
  d.bandwidth = r.bandwidth;
  if (r.responses) d.sweep = sweep;
  // The VSWR-2 band of a measured load is searched where the file knows
  // the load, visiting its points. (Only when asked for: the design at each
  // point of a long file must not go through the whole file each time.)
  if (r.measurement && r.bandwidth) {
    const Measurement::Stretch known = r.measurement->PassiveAround(r.hertz);
    d.band_limits = LimitsAround(r.hertz, known.low, known.high);
    d.band_visit = r.measurement->Frequencies();
  } else {
    d.band_limits = LimitsAround(r.hertz);
  }
  d.compensate = compensate;
  return d;
}

std::optional<BandRequest> BandOf(const DesignRequest& r, const LoadModel& load,
                                  const PartsChoice& parts) {
  if (!r.band) return std::nullopt;
  BandRequest b;
  b.axis = *r.band;
  b.centre = r.hertz;
  b.source = r.SourceOf();
  b.z0 = r.z0;
  b.load = &load;
  if (r.measurement) b.measured = r.measurement->Frequencies();
  b.parts = parts;
  b.loaded_q = r.loaded_q;
  b.intermediate = r.intermediate;
  b.max_parts = r.max_parts;
  b.elements = r.elements;
  b.line_z0 = r.LineZ0();
  return b;
}

}  // namespace

namespace {

// The request with its given network's lines resolved against it.
DesignRequest Resolved(DesignRequest r) {
  if (r.given) {
    // CheckRequest has made sure the lines resolve.
    if (auto n = ResolvedLines(*r.given, r.z0, r.hertz, r.substrate ? &*r.substrate : nullptr)) {
      r.given = std::move(n);
    }
  }
  return r;
}

}  // namespace

RequestPlan::RequestPlan(DesignRequest r)
    : request(Resolved(std::move(r))),
      load(request),
      source(request.SourceOf()),
      parts(PartsOf(request)),
      sweep(SweepFrequencies(request)),
      options(OptionsOf(request, parts, sweep, true)),
      fixed(OptionsOf(request, parts, sweep, false)),
      band(BandOf(request, load, parts)),
      band_frequencies(band ? BandFrequencies(*band) : std::vector<double>{}),
      limit(band ? LimitOf(*band) : BandLimit{}) {}

std::shared_ptr<const RequestPlan> PlanOf(const DesignRequest& request) {
  return std::make_shared<const RequestPlan>(request);
}

}  // namespace vorda::rf
