// What the designer's charts show of a row, computed here so that the
// window only draws: the Smith chart's load, path, handles, traces and
// circles, and the frequency response's curves and bands.
#pragma once

#include <complex>
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "rf/request/Rows.h"

namespace vorda::rf {

// Normalized impedances at frequencies.
struct SmithTrace {
  std::vector<std::complex<double>> z;
  std::vector<double> hertz;
};

struct SmithView {
  double z0 = 50.0;                          // what the chart is normalized to
  std::complex<double> source{1.0, 0.0};     // normalized; matched conjugately
  std::optional<std::complex<double>> load;  // normalized, at the design frequency
  std::vector<std::complex<double>> path;    // from the load to the match
  // The end of each part (element order, source side first): the handles a
  // drag moves; a part that cannot be dragged (a short or an open) has none.
  std::vector<std::optional<std::complex<double>>> handles;
  std::optional<std::complex<double>> standard_end;  // the standard parts, lossless
  std::optional<std::complex<double>> built_end;     // the parts as built, with losses
  SmithTrace trace;                                  // the measured load over the file's range
  std::vector<SmithTrace> states;                    // the load's other states, each its file's
  SmithTrace locus;                                  // the matched input over the sweep
  std::optional<double> design_hertz;                // marked on the locus
  std::optional<double> band_low, band_high;         // marked on the locus
  std::optional<double> match_gamma;  // |gamma| of the match: a VSWR circle through it
  std::optional<double> loaded_q;     // arcs of constant Q
};

struct ResponseView {
  std::vector<double> frequencies;
  std::optional<Response> ideal;
  std::optional<Response> standard;           // a series was chosen
  std::optional<Response> built;              // losses were given
  std::optional<Response> bare;               // a measurement
  bool band = false;                          // the match holds at the design frequency
  std::optional<double> band_low, band_high;  // hertz; empty: beyond the sweep
  // The bands a network is optimised over, each with the best worst-case
  // return loss over it (the first state's Bode-Fano limit), and those it
  // is to reject.
  struct Span {
    double low = 0.0, high = 0.0;
    std::optional<double> bode_fano_db;
  };
  std::vector<Span> optimised;
  std::vector<Span> rejected;
  std::optional<Envelope> envelope;  // with tolerances: where 90 % of the builds lie
};

// The charts of a result's row (none: only the load).
struct Charts {
  SmithView smith;
  ResponseView response;
};
Charts ChartsOf(const DesignRequest& request, const DesignResult& result,
                std::optional<std::size_t> row);

// The normalized impedances z whose power-wave reflection against a source
// s (normalized) is |gamma|: |z - s*| / |z + s| = gamma, a circle (for
// s = 1 the circle |gamma| about the chart's centre), as `points` points.
std::vector<std::complex<double>> ConstantVswrCircle(double gamma, std::complex<double> source,
                                                     int points = 360);

// What the chart says of a point z (normalized): the match against the
// source as the table measures it.
Match MatchAtPoint(std::complex<double> z, const SmithView& view);

// The way from the load to the match through the network's parts, the part
// at the load first. A series part moves along its circle of constant
// resistance, a shunt part along its circle of constant conductance; a
// short or an open moves nothing. The points are normalized to z0, `steps`
// to a part.
std::vector<std::complex<double>> MatchPath(const Network& network, std::complex<double> load,
                                            double hertz, double z0, int steps = 64);

}  // namespace vorda::rf
