// One element of a matching network, and what it is as a two-port at a
// frequency: the one place where an element's electrical behaviour is
// defined. Every figure, the band search, the yield, the two-port files and
// the chart's paths take an element through StageAt.
#pragma once

#include <complex>
#include <optional>
#include <utility>

#include "rf/circuit/Line.h"
#include "rf/circuit/Parts.h"

namespace vorda::rf {

using Impedance = std::complex<double>;

enum class Position { kSeries, kShunt };

// A part in series (in the path from the source to the load) or in shunt
// (from the path to ground): an ideal or lossy inductor or capacitor, one
// with its package's parasitics or its measured data, a short or an open;
// or a transmission line, in series or as a stub in shunt. A line's part is
// what it would be without the line: nothing (a series short, a shunt open).
struct Element {
  Element() = default;
  Element(Position at, Part p, std::optional<Line> l = std::nullopt)
      : position(at), part(std::move(p)), line(l) {}
  Position position = Position::kSeries;
  Part part;
  std::optional<Line> line;
  bool operator==(const Element&) const = default;
  bool IsLine() const { return line.has_value(); }
  // An inductor or a capacitor (not a line, a short or an open).
  bool IsPart() const { return !line && part.IsReal(); }
};

// A line in series, a stub in shunt (its end open or shorted).
Element SeriesLine(const Line& line);
Element ShuntStub(const Line& stub);

// The chain (ABCD) matrix of a two-port: the voltage and current at its
// input from those at its output, V1 = A V2 + B I2, I1 = C V2 + D I2.
struct ChainMatrix {
  Impedance a{1.0, 0.0}, b{0.0, 0.0}, c{0.0, 0.0}, d{1.0, 0.0};
};

// An element at one frequency, in the form the cascade takes it: the
// common ones by their impedance (so that a ladder of parts is computed as
// directly as by hand), any other by its chain matrix.
struct Stage {
  enum class Form {
    kThrough,  // nothing at all: a short in series, an open in shunt
    kSeries,   // the impedance z in series
    kShunt,    // the impedance z to ground
    kChain,    // the two-port `chain`
    kOpen,     // an open in series: nothing passes
    kShorted,  // a short to ground: nothing passes
  } form = Form::kThrough;
  Impedance z;
  ChainMatrix chain;
};

Stage StageAt(const Element& element, double hertz);

}  // namespace vorda::rf
