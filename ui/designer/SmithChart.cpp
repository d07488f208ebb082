#include "ui/designer/SmithChart.h"

#include <QPainter>
#include <QPainterPath>

#include "ui/designer/ChartColours.h"
#include "ui/designer/SmithPath.h"

namespace vorda::designer {

namespace {

constexpr double kResistances[] = {0.2, 0.5, 1.0, 2.0, 5.0};
constexpr double kReactances[] = {0.2, 0.5, 1.0, 2.0, 5.0};

// The chart's disc: the largest square in area, less a margin.
QRectF Disc(const QRectF& area) {
  const double side = std::min(area.width(), area.height()) * 0.92;
  return {area.center().x() - side / 2, area.center().y() - side / 2, side, side};
}

QPolygonF Polyline(const std::vector<std::complex<double>>& z, const QRectF& area) {
  QPolygonF line;
  line.reserve(static_cast<qsizetype>(z.size()));
  for (const auto& v : z) line << SmithChart::ToPoint(Reflection(v), area);
  return line;
}

enum class Shape { kDot, kDiamond, kCross };

void Marker(QPainter& p, QPointF at, QColor colour, Shape shape, double size) {
  p.setPen(QPen(colour, size / 4));
  p.setBrush(shape == Shape::kCross ? QBrush(Qt::NoBrush) : QBrush(colour));
  switch (shape) {
    case Shape::kDot:
      p.drawEllipse(at, size, size);
      break;
    case Shape::kDiamond: {
      const QPointF pts[] = {at + QPointF(0, -size * 1.3), at + QPointF(size * 1.3, 0),
                             at + QPointF(0, size * 1.3), at + QPointF(-size * 1.3, 0)};
      p.drawPolygon(pts, 4);
      break;
    }
    case Shape::kCross:
      p.drawLine(at + QPointF(-size, -size), at + QPointF(size, size));
      p.drawLine(at + QPointF(-size, size), at + QPointF(size, -size));
      break;
  }
}

}  // namespace

SmithChart::SmithChart(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("smithChart"));
  setAccessibleName(QStringLiteral("Smith chart"));
  setBackgroundRole(QPalette::Base);
  setAutoFillBackground(true);
}

void SmithChart::SetData(SmithData data) {
  data_ = std::move(data);
  update();
}

QPointF SmithChart::ToPoint(std::complex<double> gamma, const QRectF& area) {
  const QRectF disc = Disc(area);
  const double r = disc.width() / 2;
  return {disc.center().x() + r * gamma.real(), disc.center().y() - r * gamma.imag()};
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

void SmithChart::PaintGrid(QPainter& p, const QRectF& area) const {
  const QRectF disc = Disc(area);
  const double r = disc.width() / 2;
  const QColor text = palette().color(QPalette::Text);
  QColor grid = text;
  grid.setAlphaF(0.35);
  QPainterPath outline;
  outline.addEllipse(disc);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(grid, 1.0));
  p.save();
  p.setClipPath(outline);
  for (const double x : kReactances) {  // arcs of constant reactance, above and below
    for (const double sign : {1.0, -1.0}) {
      const QPointF c = ToPoint({1.0, sign / x}, area);
      p.drawEllipse(c, r / x, r / x);
    }
  }
  p.restore();
  for (const double res : kResistances) {  // circles of constant resistance
    const QPointF c = ToPoint({res / (1 + res), 0.0}, area);
    p.drawEllipse(c, r / (1 + res), r / (1 + res));
  }
  p.drawLine(ToPoint({-1, 0}, area), ToPoint({1, 0}, area));
  p.setPen(QPen(text, 1.2));
  p.drawEllipse(disc);
  QFont small = p.font();
  small.setPointSizeF(std::max(6.0, r / 28));
  p.setFont(small);
  p.setPen(text);
  for (const double res : kResistances) {
    const QPointF at = ToPoint({(res - 1) / (res + 1), 0.0}, area);
    p.drawText(at + QPointF(3, -3), QString::number(res));
  }
}

void SmithChart::PaintLegend(QPainter& p, const QRectF& area) const {
  struct Entry {
    QString text;
    QColor colour;
    Shape shape;
  };
  std::vector<Entry> entries = {{QStringLiteral("load"), LoadColour(), Shape::kDot}};
  if (data_.standard_end) {
    entries.push_back({QStringLiteral("standard parts"), StandardColour(), Shape::kDiamond});
  }
  if (data_.built_end) {
    entries.push_back({QStringLiteral("with losses"), BuiltColour(), Shape::kCross});
  }
  const double line = p.fontMetrics().height();
  QPointF at = area.topLeft() + QPointF(line, line);
  for (const Entry& e : entries) {
    Marker(p, at, e.colour, e.shape, line / 4);
    p.setPen(palette().color(QPalette::Text));
    p.drawText(at + QPointF(line * 0.8, line / 3), e.text);
    at.ry() += line * 1.2;
  }
}

void SmithChart::Render(QPainter& p, const QRectF& area) const {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(area, palette().color(QPalette::Base));
  PaintGrid(p, area);
  const double size = std::max(3.0, Disc(area).width() / 110);
  if (!data_.trace.empty()) {
    QColor trace = palette().color(QPalette::Text);
    trace.setAlphaF(0.7);
    p.setPen(QPen(trace, 1.2, Qt::DashLine));
    p.drawPolyline(Polyline(data_.trace, area));
  }
  if (data_.path.size() > 1) {
    p.setPen(QPen(PathColour(), size / 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(Polyline(data_.path, area));
  }
  const auto mark = [&](const std::optional<std::complex<double>>& z, QColor colour, Shape shape) {
    if (z) Marker(p, ToPoint(Reflection(*z), area), colour, shape, size);
  };
  mark(data_.built_end, BuiltColour(), Shape::kCross);
  mark(data_.standard_end, StandardColour(), Shape::kDiamond);
  mark(data_.load, LoadColour(), Shape::kDot);
  PaintLegend(p, area);
  p.restore();
}

void SmithChart::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  Render(painter, rect());
}

}  // namespace vorda::designer
