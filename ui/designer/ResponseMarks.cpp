#include "ui/designer/ResponseMarks.h"

#include <algorithm>
#include <cmath>

#include "ui/designer/ChartColours.h"
#include "ui/designer/ResponseChart.h"

namespace vorda::designer {

// The frequency unit that keeps the axis numbers readable.
std::pair<double, QString> Unit(double hertz) {
  if (hertz >= 1e9) return {1e9, QStringLiteral("GHz")};
  if (hertz >= 1e6) return {1e6, QStringLiteral("MHz")};
  if (hertz >= 1e3) return {1e3, QStringLiteral("kHz")};
  return {1.0, QStringLiteral("Hz")};
}

// Ticks 1, 2 or 5 times a power of ten apart, at most about six of them.
std::vector<double> Ticks(double lo, double hi) {
  if (!(hi > lo)) return {lo};
  const double raw = (hi - lo) / 6;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  double step = power;
  for (const double m : {1.0, 2.0, 5.0, 10.0}) {
    step = m * power;
    if (step >= raw) break;
  }
  std::vector<double> ticks;
  for (double t = std::ceil(lo / step) * step; t <= hi + step * 1e-9; t += step) {
    ticks.push_back(std::fabs(t) < step * 1e-9 ? 0.0 : t);
  }
  return ticks;
}

// The VSWR <= 2 band, the bands optimised over, those to reject and the
// spread of the builds. Only the spread is an area over the plot: the bands
// are strips along its edges (and the rejected ones hatched), so that no
// two translucent shadings mix to a colour of their own.
QColor VswrShade(bool dark) {
  return dark ? QColor(255, 210, 80) : QColor(255, 190, 40);
}
QColor OptimisedColour(bool dark) {
  return dark ? QColor(120, 170, 255) : QColor(60, 110, 220);
}
QColor RejectedColour(bool dark) {
  return dark ? QColor(255, 120, 110) : QColor(210, 50, 40);
}
QColor SpreadColour(bool dark) {
  return Faded(ColourOf(Shown::kBuilt, dark), 0.22);
}

// A polyline with no more than four points a pixel column wide: the first,
// the lowest, the highest and the last of each, in their order, which draw
// the same line as all of them.
QPolygonF Decimated(const QPolygonF& line) {
  if (line.size() < 8) return line;
  QPolygonF out;
  out.reserve(line.size());
  qsizetype from = 0;
  while (from < line.size()) {
    const double column = std::floor(line[from].x());
    qsizetype to = from, low = from, high = from;
    while (to + 1 < line.size() && std::floor(line[to + 1].x()) == column) {
      ++to;
      if (line[to].y() < line[low].y()) low = to;
      if (line[to].y() > line[high].y()) high = to;
    }
    for (const qsizetype k : {from, std::min(low, high), std::max(low, high), to}) {
      if (out.isEmpty() || out.back() != line[k]) out << line[k];
    }
    from = to + 1;
  }
  return out;
}

QString BodeFanoBeyond(double db, bool above) {
  return QStringLiteral("Bode\u2013Fano limit %1 dB %2")
      .arg(QString::number(db, 'g', 4),
           above ? QStringLiteral("\u2191") : QStringLiteral("\u2193"));
}

std::vector<LegendEntry> LegendOf(const rf::ResponseView& data, bool bode_fano, bool spread,
                                  bool dark) {
  using M = LegendEntry::Mark;
  std::vector<LegendEntry> entries;
  if (data.band) entries.push_back({M::kStrip, QStringLiteral("VSWR \u2264 2"), VswrShade(dark)});
  if (std::any_of(data.optimised.begin(), data.optimised.end(),
                  [](const rf::ResponseView::Span& s) { return s.high > s.low; })) {
    entries.push_back({M::kStrip,
                       data.optimised.size() > 1 ? QStringLiteral("Optimised bands")
                                                 : QStringLiteral("Optimised band"),
                       Faded(OptimisedColour(dark), 0.6)});
  }
  if (!data.rejected.empty())
    entries.push_back({M::kStrip, QStringLiteral("Rejected"), Faded(RejectedColour(dark), 0.6)});
  constexpr Shown kShown[] = {Shown::kIdeal, Shown::kStandard, Shown::kBuilt, Shown::kBare};
  const std::optional<rf::Response>* curves[] = {&data.ideal, &data.standard, &data.built,
                                                 &data.bare};
  for (int i = 0; i < 4; ++i) {
    if (*curves[i])
      entries.push_back({M::kLine, QString::fromLatin1(kCurveNames[i]), ColourOf(kShown[i], dark)});
  }
  if (bode_fano)
    entries.push_back({M::kLine, QStringLiteral("Bode\u2013Fano limit"), OptimisedColour(dark)});
  if (spread) entries.push_back({M::kArea, QStringLiteral("90 % of builds"), SpreadColour(dark)});
  return entries;
}

}  // namespace vorda::designer
