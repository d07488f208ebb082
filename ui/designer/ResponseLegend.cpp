#include "ui/designer/ResponseLegend.h"

#include <QPainter>

namespace vorda::designer {

namespace {

double EntryWidth(const LegendEntry& e, const QFontMetricsF& fm) {
  return fm.height() * 1.1 + fm.horizontalAdvance(e.name);
}
double Gap(const QFontMetricsF& fm) {
  return fm.height() * 0.9;
}

// The entries of each row: as many as fit, at least one.
std::vector<std::pair<std::size_t, std::size_t>> Rows(const std::vector<LegendEntry>& entries,
                                                      const QFontMetricsF& fm, double width) {
  std::vector<std::pair<std::size_t, std::size_t>> rows;
  std::size_t from = 0;
  while (from < entries.size()) {
    double used = EntryWidth(entries[from], fm);
    std::size_t to = from + 1;
    while (to < entries.size() && used + Gap(fm) + EntryWidth(entries[to], fm) <= width) {
      used += Gap(fm) + EntryWidth(entries[to], fm);
      ++to;
    }
    rows.emplace_back(from, to);
    from = to;
  }
  return rows;
}

}  // namespace

int LegendRows(const std::vector<LegendEntry>& entries, const QFontMetricsF& fm, double width) {
  return static_cast<int>(Rows(entries, fm, width).size());
}

std::vector<QRectF> LegendLayout(const std::vector<LegendEntry>& entries, const QFontMetricsF& fm,
                                 double left, double width, double top) {
  std::vector<QRectF> at;
  double y = top;
  for (const auto& [from, to] : Rows(entries, fm, width)) {
    double used = 0;
    for (std::size_t i = from; i < to; ++i)
      used += EntryWidth(entries[i], fm) + (i > from ? Gap(fm) : 0);
    double x = left + (width - used) / 2;
    for (std::size_t i = from; i < to; ++i) {
      at.emplace_back(x, y, EntryWidth(entries[i], fm), fm.height());
      x += EntryWidth(entries[i], fm) + Gap(fm);
    }
    y += fm.height() * 1.2;
  }
  return at;
}

void PaintLegend(QPainter& p, const std::vector<LegendEntry>& entries,
                 const std::vector<QRectF>& at, const QFontMetricsF& fm, QColor text) {
  for (std::size_t i = 0; i < entries.size() && i < at.size(); ++i) {
    const LegendEntry& e = entries[i];
    const QRectF swatch(at[i].left(), at[i].top() + fm.height() * 0.25, fm.height() * 0.8,
                        fm.height() * 0.5);
    switch (e.mark) {
      case LegendEntry::Mark::kArea:
        p.fillRect(swatch, e.colour);
        break;
      case LegendEntry::Mark::kStrip:
        p.fillRect(swatch.adjusted(0, swatch.height() * 0.5, 0, 0), e.colour);
        break;
      case LegendEntry::Mark::kLine:
        p.setPen(QPen(e.colour, 2.0));
        p.drawLine(QPointF(swatch.left(), swatch.center().y()),
                   QPointF(swatch.right(), swatch.center().y()));
        break;
    }
    p.setPen(text);
    p.drawText(QPointF(swatch.right() + fm.height() * 0.3, at[i].top() + fm.ascent()), e.name);
  }
}

}  // namespace vorda::designer
