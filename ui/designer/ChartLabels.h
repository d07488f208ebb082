// Labels on a chart that do not cover one another or what is reserved: each
// is drawn at the first of its places that is free, or not at all.
#pragma once

#include <QFontMetricsF>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <initializer_list>
#include <vector>

namespace vorda::designer {

class ChartLabels {
 public:
  explicit ChartLabels(QPainter& painter) : p_(painter) {}

  // The box of a text whose baseline starts at a point, in the painter's font.
  QRectF Box(QPointF at, const QString& text) const {
    const QFontMetricsF m(p_.font());
    return {at.x(), at.y() - m.ascent(), m.horizontalAdvance(text), m.height()};
  }
  void Reserve(const QRectF& box) { taken_.push_back(box); }
  // Draws the text at anchor + the first offset where it covers nothing.
  bool Draw(QPointF anchor, const QString& text, std::initializer_list<QPointF> offsets) {
    for (const QPointF& offset : offsets) {
      const QRectF box = Box(anchor + offset, text);
      bool free = true;
      for (const QRectF& t : taken_) free = free && !t.intersects(box);
      if (!free) continue;
      p_.drawText(anchor + offset, text);
      taken_.push_back(box);
      return true;
    }
    return false;
  }

 private:
  QPainter& p_;
  std::vector<QRectF> taken_;
};

}  // namespace vorda::designer
