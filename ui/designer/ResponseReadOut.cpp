// The response chart in the user's hands: the read-out under the cursor,
// zooming with a drag or the wheel, and showing it all again.
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "ui/designer/ChartColours.h"
#include "ui/designer/ResponseChart.h"

namespace vorda::designer {

QString ResponseChart::ReadOutAt(QPointF point) const {
  const ResponseData& d = data_;
  if (d.frequencies.empty()) return {};
  const Axes a = AxesFor(rect());
  const double hz = a.HertzAt(point.x());
  const auto nearest =
      std::min_element(d.frequencies.begin(), d.frequencies.end(),
                       [hz](double x, double y) { return std::fabs(x - hz) < std::fabs(y - hz); });
  const auto i = static_cast<std::size_t>(nearest - d.frequencies.begin());
  QString text = QString::number(*nearest / a.scale, 'g', 6) + QStringLiteral(" ") + a.unit;
  const std::optional<rf::Response>* curves[] = {&d.ideal, &d.standard, &d.built, &d.bare};
  for (int k = 0; k < 4; ++k) {
    if (!*curves[k] || i >= (*curves[k])->vswr.size()) continue;
    text += QStringLiteral("\n%1: %2")
                .arg(QString::fromLatin1(kCurveNames[k]),
                     QString::number(Plotted(**curves[k], i), 'g', 4));
  }
  return text;
}

void ResponseChart::PaintReadOut(QPainter& p) const {
  if (!hover_) return;
  const Axes a = AxesFor(rect());
  if (!a.plot.contains(*hover_)) return;
  const QColor text = palette().color(QPalette::Text);
  p.save();
  p.setPen(QPen(Faded(text, 0.5), 1.0, Qt::DotLine));
  p.drawLine(QPointF(hover_->x(), a.plot.top()), QPointF(hover_->x(), a.plot.bottom()));
  if (drag_from_) {
    const double x0 = a.At(*drag_from_, a.bottom).x();
    p.fillRect(
        QRectF(QPointF(x0, a.plot.top()), QPointF(hover_->x(), a.plot.bottom())).normalized(),
        Faded(text, 0.1));
  }
  const QString s = ReadOutAt(*hover_);
  const QRectF box = p.fontMetrics().boundingRect(rect(), Qt::AlignLeft, s);
  const QRectF at(a.plot.topRight() + QPointF(-box.width() - 12, 4), box.size() + QSizeF(8, 6));
  p.fillRect(at, Faded(palette().color(QPalette::Base), 0.85));
  p.setPen(text);
  p.drawText(at.adjusted(4, 3, 0, 0), Qt::AlignLeft, s);
  p.restore();
}

void ResponseChart::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  Render(painter, rect());
  PaintReadOut(painter);
}

void ResponseChart::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  setFocus(Qt::MouseFocusReason);
  drag_from_ = AxesFor(rect()).HertzAt(event->position().x());
}

void ResponseChart::mouseMoveEvent(QMouseEvent* event) {
  hover_ = event->position();
  update();
}

void ResponseChart::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !drag_from_) return QWidget::mouseReleaseEvent(event);
  const Axes a = AxesFor(rect());
  const double to = a.HertzAt(event->position().x());
  const double lo = std::max(std::min(*drag_from_, to), a.lo);
  const double hi = std::min(std::max(*drag_from_, to), a.hi);
  if (hi - lo > (a.hi - a.lo) * 0.01) zoom_ = std::pair{lo, hi};  // a drag, not a click
  drag_from_.reset();
  update();
}

void ResponseChart::mouseDoubleClickEvent(QMouseEvent* /*event*/) {
  ResetZoom();
}

void ResponseChart::wheelEvent(QWheelEvent* event) {
  const Axes a = AxesFor(rect());
  const double at = a.HertzAt(event->position().x());
  const double factor = std::pow(0.8, event->angleDelta().y() / 120.0);
  const auto [first, last] = data_.frequencies.empty()
                                 ? std::pair{a.lo, a.hi}
                                 : std::pair{data_.frequencies.front(), data_.frequencies.back()};
  const double lo = std::max(first, at - (at - a.lo) * factor);
  const double hi = std::min(last, at + (a.hi - at) * factor);
  zoom_ = std::pair{lo, hi};
  if (lo <= first && hi >= last) zoom_.reset();
  update();
  event->accept();
}

void ResponseChart::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_0 || event->key() == Qt::Key_Home) {
    ResetZoom();
    return;
  }
  QWidget::keyPressEvent(event);
}

void ResponseChart::leaveEvent(QEvent* /*event*/) {
  hover_.reset();
  update();
}

}  // namespace vorda::designer
