#include "ui/designer/SmithChart.h"

#include <QPainter>
#include <QPainterPath>

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

void Marker(QPainter& p, QPointF at, QColor colour, int shape, double size) {
  p.setPen(QPen(colour, size / 4));
  p.setBrush(shape == 2 ? QBrush(Qt::NoBrush) : QBrush(colour));
  switch (shape) {
    case 0:  // filled dot
      p.drawEllipse(at, size, size);
      break;
    case 1: {  // diamond
      const QPointF pts[] = {at + QPointF(0, -size * 1.3), at + QPointF(size * 1.3, 0),
                             at + QPointF(0, size * 1.3), at + QPointF(-size * 1.3, 0)};
      p.drawPolygon(pts, 4);
      break;
    }
    default:  // cross
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

bool SmithChart::Dark() const {
  return palette().color(QPalette::Base).lightness() < 128;
}
QColor SmithChart::LoadColour() const {
  return Dark() ? QColor(255, 140, 60) : QColor(214, 39, 40);
}
QColor SmithChart::PathColour() const {
  return Dark() ? QColor(100, 180, 255) : QColor(31, 90, 180);
}
QColor SmithChart::StandardColour() const {
  return Dark() ? QColor(110, 220, 110) : QColor(30, 140, 40);
}
QColor SmithChart::BuiltColour() const {
  return Dark() ? QColor(230, 140, 255) : QColor(148, 60, 170);
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
    int shape;
  };
  std::vector<Entry> entries = {{QStringLiteral("load"), LoadColour(), 0}};
  if (data_.standard_end)
    entries.push_back({QStringLiteral("standard parts"), StandardColour(), 1});
  if (data_.built_end) entries.push_back({QStringLiteral("with losses"), BuiltColour(), 2});
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
  if (data_.built_end)
    Marker(p, ToPoint(Reflection(*data_.built_end), area), BuiltColour(), 2, size);
  if (data_.standard_end) {
    Marker(p, ToPoint(Reflection(*data_.standard_end), area), StandardColour(), 1, size);
  }
  if (data_.load) Marker(p, ToPoint(Reflection(*data_.load), area), LoadColour(), 0, size);
  PaintLegend(p, area);
  p.restore();
}

void SmithChart::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  Render(painter, rect());
}

}  // namespace vorda::designer
