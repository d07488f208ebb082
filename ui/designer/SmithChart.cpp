#include "ui/designer/SmithChart.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>
#include <numbers>

#include "rf/circuit/Units.h"
#include "ui/designer/ChartColours.h"

namespace vorda::designer {

namespace {

using C = std::complex<double>;

constexpr double kHandleReach = 9.0;  // pixels
constexpr double kTraceReach = 8.0;
constexpr double kMaxZoom = 1000.0;

QString Digits(double v) {
  return QString::number(v, 'g', 4);
}

// "42.67 + j16.03".
QString Complex(C z) {
  return Digits(z.real()) +
         (std::signbit(z.imag()) ? QStringLiteral(" \u2212 j") : QStringLiteral(" + j")) +
         Digits(std::fabs(z.imag()));
}

}  // namespace

SmithChart::SmithChart(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("smithChart"));
  setAccessibleName(QStringLiteral("Smith chart"));
  setBackgroundRole(QPalette::Base);
  setAutoFillBackground(true);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
}

void SmithChart::SetData(SmithData data) {
  data_ = std::move(data);
  update();
}

void SmithChart::SetGrid(SmithGrid grid) {
  grid_ = grid;
  update();
}

void SmithChart::SetDragText(const QString& text) {
  drag_text_ = text;
  update();
}

void SmithChart::ResetView() {
  zoom_ = 1.0;
  centre_ = 0.0;
  update();
}

QRectF SmithChart::Disc(const QRectF& area) {
  const double side = std::min(area.width(), area.height()) * 0.92;
  return {area.center().x() - side / 2, area.center().y() - side / 2, side, side};
}

QPointF SmithChart::ToPoint(C gamma, const QRectF& area) {
  const QRectF disc = Disc(area);
  const double r = disc.width() / 2;
  return {disc.center().x() + r * gamma.real(), disc.center().y() - r * gamma.imag()};
}

QPointF SmithChart::Map(C gamma, const QRectF& area) const {
  const QRectF disc = Disc(area);
  const double r = disc.width() / 2 * zoom_;
  const C d = gamma - centre_;
  return {disc.center().x() + r * d.real(), disc.center().y() - r * d.imag()};
}

C SmithChart::GammaAt(QPointF point, const QRectF& area) const {
  const QRectF disc = Disc(area);
  const double r = disc.width() / 2 * zoom_;
  return centre_ + C((point.x() - disc.center().x()) / r, (disc.center().y() - point.y()) / r);
}

QColor SmithChart::LoadColour() const {
  return ColourOf(Shown::kLoad, IsDark(palette()));
}
QColor SmithChart::PathColour() const {
  return ColourOf(Shown::kIdeal, IsDark(palette()));
}
QColor SmithChart::StandardColour() const {
  return ColourOf(Shown::kStandard, IsDark(palette()));
}
QColor SmithChart::BuiltColour() const {
  return ColourOf(Shown::kBuilt, IsDark(palette()));
}

SmithReadOut SmithChart::ReadOutAt(QPointF point) const {
  const QRectF area = rect();
  SmithReadOut out;
  out.gamma = GammaAt(point, area);
  const double g = std::abs(out.gamma);
  if (g > 1.0) {
    out.text = QStringLiteral("outside the chart");
    return out;
  }
  out.z = (1.0 + out.gamma) / (1.0 - out.gamma);
  const C y = 1.0 / out.z;
  const double z0 = data_.z0;
  QStringList lines;
  lines << QStringLiteral("Z %1 \u03a9 (%2)").arg(Complex(out.z * z0), Complex(out.z));
  lines << QStringLiteral("Y %1 mS (%2)").arg(Complex(y / z0 * 1000.0), Complex(y));
  // The chart's reflection coefficient (to Z0); VSWR and return loss are
  // the match against the source, as the table measures it.
  const bool source_z0 = data_.source == C(1.0, 0.0);
  lines << QStringLiteral("\u0393%3 %1 \u2220 %2\u00b0")
               .arg(Digits(g), Digits(std::arg(out.gamma) * 180 / std::numbers::pi),
                    source_z0 ? QString() : QStringLiteral(" (to Z0)"));
  const rf::Match m = rf::MatchAtPoint(out.z, data_);
  const QString vswr = m.vswr ? Digits(*m.vswr) : QStringLiteral("\u221e");
  const QString rl = m.return_loss_db ? Digits(*m.return_loss_db) + QStringLiteral(" dB")
                                      : QStringLiteral("perfect");
  lines << QStringLiteral("VSWR %1, RL %2%3")
               .arg(vswr, rl, source_z0 ? QString() : QStringLiteral(" (to the source)"));
  // The frequency of the nearest trace point, when one is near.
  double nearest = kTraceReach;
  for (const auto& [trace, what] :
       {std::pair{&data_.trace, "measured"}, std::pair{&data_.locus, "matched input"}}) {
    for (std::size_t i = 0; i < trace->z.size() && i < trace->hertz.size(); ++i) {
      const QPointF p = Map(Reflection(trace->z[i]), area);
      const double d = std::hypot(p.x() - point.x(), p.y() - point.y());
      if (d < nearest) {
        nearest = d;
        out.hertz = trace->hertz[i];
        if (lines.size() > 4) lines.removeLast();
        lines << QStringLiteral("%1 (%2)").arg(
            QString::fromStdString(rf::FormatEngineering(trace->hertz[i], "Hz")),
            QString::fromLatin1(what));
      }
    }
  }
  out.text = lines.join('\n');
  return out;
}

std::optional<int> SmithChart::HandleAt(QPointF point) const {
  std::optional<int> found;
  double best = kHandleReach;
  for (std::size_t i = 0; i < data_.handles.size(); ++i) {
    if (!data_.handles[i]) continue;
    const QPointF p = Map(Reflection(*data_.handles[i]), rect());
    const double d = std::hypot(p.x() - point.x(), p.y() - point.y());
    if (d < best) {
      best = d;
      found = static_cast<int>(i);
    }
  }
  return found;
}

void SmithChart::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  RenderScene(painter, rect(), true);
  PaintReadOut(painter, rect());
}

void SmithChart::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  setFocus(Qt::MouseFocusReason);
  if (const auto handle = HandleAt(event->position())) {
    dragging_ = handle;
    emit DragStarted(*handle);
  } else {
    panning_ = event->position();
  }
}

void SmithChart::mouseMoveEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  hover_ = at;
  if (dragging_) {
    emit Dragged(*dragging_, GammaAt(at, rect()), (event->modifiers() & Qt::ShiftModifier) != 0);
  } else if (panning_) {
    const double r = Disc(rect()).width() / 2 * zoom_;
    centre_ -= C((at.x() - panning_->x()) / r, (panning_->y() - at.y()) / r);
    panning_ = at;
  }
  setCursor(dragging_ || HandleAt(at) ? Qt::PointingHandCursor : Qt::CrossCursor);
  update();
}

void SmithChart::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
  if (dragging_) {
    const int element = *dragging_;
    dragging_.reset();
    drag_text_.clear();
    emit DragEnded(element);
  }
  panning_.reset();
  update();
}

void SmithChart::mouseDoubleClickEvent(QMouseEvent* /*event*/) {
  ResetView();
}

void SmithChart::wheelEvent(QWheelEvent* event) {
  const QPointF at = event->position();
  const C fixed = GammaAt(at, rect());
  const double steps = event->angleDelta().y() / 120.0;
  const double zoom = std::clamp(zoom_ * std::pow(1.25, steps), 1.0, kMaxZoom);
  // The point under the cursor stays under it.
  centre_ = fixed - (fixed - centre_) * (zoom_ / zoom);
  zoom_ = zoom;
  if (zoom_ == 1.0) centre_ = 0.0;
  update();
  event->accept();
}

void SmithChart::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_0 || event->key() == Qt::Key_Home) {
    ResetView();
    return;
  }
  QWidget::keyPressEvent(event);
}

void SmithChart::leaveEvent(QEvent* /*event*/) {
  hover_.reset();
  update();
}

}  // namespace vorda::designer
