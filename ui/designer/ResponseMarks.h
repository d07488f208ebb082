// What the response chart draws besides its plot: the frequency unit and
// the ticks of its axes, the colours of its bands and of the builds'
// spread, a curve thinned to what a pixel column shows, the words of a
// Bode-Fano limit beyond the axis and the legend's entries.
#pragma once

#include <QColor>
#include <QPolygonF>
#include <QString>
#include <utility>
#include <vector>

#include "rf/request/Charts.h"
#include "ui/designer/ResponseLegend.h"

namespace vorda::designer {

// The frequency unit that keeps the axis numbers readable: hertz per unit
// and its name.
std::pair<double, QString> Unit(double hertz);
// Ticks 1, 2 or 5 times a power of ten apart, at most about six of them.
std::vector<double> Ticks(double lo, double hi);

// The VSWR <= 2 band, the bands optimised over, those to reject and the
// spread of the builds.
QColor VswrShade(bool dark);
QColor OptimisedColour(bool dark);
QColor RejectedColour(bool dark);
QColor SpreadColour(bool dark);

// A polyline with no more than four points a pixel column wide, which
// draw the same line as all of them.
QPolygonF Decimated(const QPolygonF& line);

// "Bode–Fano limit 122 dB ↑": a limit beyond the top (or bottom) of the axis.
QString BodeFanoBeyond(double db, bool above);

// The legend's entries for what the chart shows: with the Bode-Fano limit
// drawn, and with the spread of the builds.
std::vector<LegendEntry> LegendOf(const rf::ResponseView& data, bool bode_fano, bool spread,
                                  bool dark);

}  // namespace vorda::designer
