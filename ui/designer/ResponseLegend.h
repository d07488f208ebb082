// The response chart's legend: an entry for each band, curve and spread it
// shows, in rows centred under the plot that wrap where the width ends, so
// that no entry is cut on a narrow chart.
#pragma once

#include <QColor>
#include <QFontMetricsF>
#include <QRectF>
#include <QString>
#include <vector>

class QPainter;

namespace vorda::designer {

struct LegendEntry {
  enum class Mark { kLine, kArea, kStrip } mark = Mark::kLine;
  QString name;
  QColor colour;
};

// Where each entry goes, its swatch and name, in rows from `top` within
// [left, left + width).
std::vector<QRectF> LegendLayout(const std::vector<LegendEntry>& entries, const QFontMetricsF& fm,
                                 double left, double width, double top);
// The rows the entries take in that width.
int LegendRows(const std::vector<LegendEntry>& entries, const QFontMetricsF& fm, double width);
void PaintLegend(QPainter& p, const std::vector<LegendEntry>& entries,
                 const std::vector<QRectF>& at, const QFontMetricsF& fm, QColor text);

}  // namespace vorda::designer
