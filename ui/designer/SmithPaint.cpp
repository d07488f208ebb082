// How the Smith chart is put on screen or into a picture: its scene
// (SmithScene) over a background and grid kept between repaints, and the
// read-out under the cursor.
#include <QPainter>
#include <algorithm>

#include "ui/designer/ChartColours.h"
#include "ui/designer/SmithChart.h"
#include "ui/designer/SmithScene.h"

namespace vorda::designer {

void SmithChart::PaintReadOut(QPainter& p, const QRectF& area) const {
  if (!hover_ && drag_text_.isEmpty()) return;
  p.save();
  const QColor text = palette().color(QPalette::Text);
  if (hover_) {
    const SmithReadOut r = ReadOutAt(*hover_);
    const QRectF box = p.fontMetrics().boundingRect(area.toRect(), Qt::AlignLeft, r.text);
    QRectF at(area.bottomLeft() + QPointF(6, -box.height() - 10), box.size() + QSizeF(8, 6));
    p.fillRect(at, Faded(palette().color(QPalette::Base), 0.85));
    p.setPen(text);
    p.drawText(at.adjusted(4, 3, 0, 0), Qt::AlignLeft, r.text);
  }
  if (!drag_text_.isEmpty() && hover_) {
    p.setPen(PathColour());
    p.drawText(*hover_ + QPointF(12, -8), drag_text_);
  }
  p.restore();
}

void SmithChart::Render(QPainter& p, const QRectF& area) const {
  RenderScene(p, area, false);
}

void SmithChart::RenderScene(QPainter& p, const QRectF& area, bool cached_grid) const {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setClipRect(area);
  if (cached_grid) {
    const double ratio = devicePixelRatioF();
    const QString key = QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8")
                            .arg(area.width())
                            .arg(area.height())
                            .arg(ratio)
                            .arg(zoom_, 0, 'g', 17)
                            .arg(centre_.real(), 0, 'g', 17)
                            .arg(centre_.imag(), 0, 'g', 17)
                            .arg(static_cast<int>(grid_))
                            .arg(palette().cacheKey());
    if (key != grid_for_) {
      grid_picture_ = QPixmap((area.size() * ratio).toSize());
      grid_picture_.setDevicePixelRatio(ratio);
      QPainter g(&grid_picture_);
      g.setRenderHint(QPainter::Antialiasing);
      g.fillRect(QRectF(QPointF(0, 0), area.size()), palette().color(QPalette::Base));
      SmithScene(*this, QRectF(QPointF(0, 0), area.size())).Grid(g);
      grid_for_ = key;
    }
    p.drawPixmap(area.topLeft(), grid_picture_);
  } else {
    p.fillRect(area, palette().color(QPalette::Base));
    SmithScene(*this, area).Grid(p);
  }
  SmithScene(*this, area).Paint(p);
  p.restore();
}

}  // namespace vorda::designer
