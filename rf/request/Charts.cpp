#include "rf/request/Charts.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "rf/circuit/Cascade.h"
#include "rf/synthesis/Tuning.h"

namespace vorda::rf {

namespace {

using Z = std::complex<double>;
// The part of an element that moves the load a share t of its way: a
// series part with t times its reactance, a shunt part with t times its
// susceptance (ideal, as the path is drawn).
Element PartWay(const Element& e, double t, double hertz) {
  if (e.line) {  // a line, or a stub, of t times its length
    Element part = e;
    part.line = WithDegrees(*e.line, t * e.line->degrees);
    return part;
  }
  const double x = e.part.Reactance(hertz);
  const double share = e.position == Position::kSeries ? t * x : x / t;
  return {e.position, PartFor(share, hertz)};
}

// The measured load over the file's range, at most about 2000 points.
SmithTrace MeasuredTrace(const Measurement& m, double z0) {
  SmithTrace t;
  const std::size_t n = m.points.size();
  const std::size_t step = std::max<std::size_t>(1, n / 2000);
  for (std::size_t i = 0; i < n; i += step) {
    t.z.push_back(m.points[i].z / z0);
    t.hertz.push_back(m.points[i].hertz);
  }
  return t;
}

}  // namespace

std::vector<Z> MatchPath(const Network& network, Z load, double hertz, double z0, int steps) {
  Port port = LoadPort(load);
  std::vector<Z> path{load / z0};
  for (std::size_t i = network.elements.size(); i-- > 0;) {  // the part at the load first
    const Element& e = network.elements[i];
    if (!e.IsPart() && !e.IsLine()) continue;  // a plain connection, or nothing
    for (int k = 1; k <= steps; ++k) {
      Port step = port;
      Apply(StageAt(PartWay(e, static_cast<double>(k) / steps, hertz), hertz), step);
      path.push_back(step.z / z0);
      if (k == steps) port = step;
    }
  }
  return path;
}

std::vector<Z> ConstantVswrCircle(double gamma, Z source, int points) {
  // The Apollonius circle |z - a| = g |z - b| with a = s*, b = -s.
  const double g2 = gamma * gamma;
  const Z centre = (std::conj(source) + g2 * source) / (1.0 - g2);
  const double radius = 2.0 * gamma * source.real() / (1.0 - g2);
  std::vector<Z> ring;
  ring.reserve(static_cast<std::size_t>(points));
  for (int i = 0; i < points; ++i) {
    const double t = 2.0 * std::numbers::pi * i / points;
    ring.push_back(centre + radius * Z(std::cos(t), std::sin(t)));
  }
  return ring;
}

Match MatchAtPoint(Z z, const SmithView& view) {
  return MatchOf(z * view.z0, Source(view.source * view.z0));
}

Charts ChartsOf(const DesignRequest& r, const DesignResult& result,
                std::optional<std::size_t> row) {
  Charts c;
  SmithView& smith = c.smith;
  ResponseView& response = c.response;
  const double z0 = result.z0;
  const double f = result.hertz;
  const RequestLoad load(r);
  const Source source = r.SourceOf();
  smith.z0 = z0;
  smith.source = source.z / z0;
  smith.load = result.load / z0;
  smith.loaded_q = r.loaded_q;
  if (r.measurement) smith.trace = MeasuredTrace(*r.measurement, z0);
  for (const DesignRequest::State& s : r.states)
    smith.states.push_back(MeasuredTrace(*s.measurement, z0));
  response.frequencies = result.frequencies;
  for (std::size_t i = 0; i < r.bands.size(); ++i) {
    ResponseView::Span span{r.bands[i].axis.start, r.bands[i].axis.stop, std::nullopt};
    // The first state's segments come first, band by band.
    if (result.band && i < result.band->limits.size() && result.band->limits[i]) {
      span.bode_fano_db = result.band->limits[i]->worst_return_loss_db;
    }
    response.optimised.push_back(span);
  }
  for (const RejectBand& b : r.rejects)
    response.rejected.push_back({b.axis.start, b.axis.stop, std::nullopt});
  if (r.measurement) response.bare = ResponseOf(Network{}, load, source, result.frequencies);
  const Row* t = row && *row < result.rows.size() ? &result.rows[*row] : nullptr;
  if (t == nullptr || !t->design) return c;
  const NetworkDesign& d = *t->design;
  if (d.band) {
    response.band = d.band->holds;
    response.band_low = d.band->low;
    response.band_high = d.band->high;
    smith.band_low = d.band->low;
    smith.band_high = d.band->high;
  } else if (const FrequencyAxis* band = r.Band()) {
    smith.band_low = band->start;
    smith.band_high = band->stop;
  }
  smith.path = MatchPath(d.ideal, result.load, f, z0);
  if (d.standard) smith.standard_end = d.standard->InputImpedance(f, result.load) / z0;
  if (d.loss) smith.built_end = d.built.InputImpedance(f, result.load) / z0;
  // Each part's end is a handle: drag it along the part's arc.
  const std::vector<Impedance> ends = PartEnds(d.ideal, result.load, f);
  for (std::size_t i = 0; i < ends.size(); ++i) {
    const Element& e = d.ideal.elements[i];
    smith.handles.push_back(e.IsPart() || e.IsLine() ? std::optional<Z>(ends[i] / z0)
                                                     : std::nullopt);
  }
  smith.match_gamma = d.match.gamma_magnitude;
  response.ideal = ResponseOf(d.ideal, load, source, result.frequencies);
  if (d.standard) response.standard = ResponseOf(*d.standard, load, source, result.frequencies);
  if (d.loss) response.built = ResponseOf(d.built, load, source, result.frequencies);
  if (r.yield && !result.frequencies.empty()) {
    response.envelope =
        EnvelopeOf(d.built, load, source, result.frequencies, YieldRequestFor(r, d.built));
  }
  // The matched input over the sweep.
  smith.design_hertz = f;
  for (const double hz : result.frequencies) {
    smith.locus.z.push_back(d.built.InputImpedance(hz, load.At(hz)) / z0);
    smith.locus.hertz.push_back(hz);
  }
  return c;
}

}  // namespace vorda::rf
