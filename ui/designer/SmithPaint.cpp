// How the Smith chart is drawn: its grids, circles, traces, the way through
// the parts with their handles, the markers, the legend and the read-out.
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "rf/circuit/Units.h"
#include "ui/designer/ChartColours.h"
#include "ui/designer/ChartLabels.h"
#include "ui/designer/SmithChart.h"

namespace vorda::designer {

namespace {

using C = std::complex<double>;

constexpr double kValues[] = {0.2, 0.5, 1.0, 2.0, 5.0};

enum class Shape { kDot, kDiamond, kCross, kRing };

void Marker(QPainter& p, QPointF at, QColor colour, Shape shape, double size) {
  p.setPen(QPen(colour, size / 4));
  p.setBrush(shape == Shape::kCross || shape == Shape::kRing ? QBrush(Qt::NoBrush)
                                                             : QBrush(colour));
  switch (shape) {
    case Shape::kDot:
    case Shape::kRing:
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

QColor Faded(QColor c, double alpha) {
  c.setAlphaF(alpha);
  return c;
}

QString Hz(double hertz) {
  return QString::fromStdString(rf::FormatEngineering(hertz, "Hz", 3));
}

// The index of the trace point nearest a frequency.
std::size_t Nearest(const SmithTrace& t, double hertz) {
  std::size_t best = 0;
  for (std::size_t i = 1; i < t.hertz.size(); ++i) {
    if (std::fabs(t.hertz[i] - hertz) < std::fabs(t.hertz[best] - hertz)) best = i;
  }
  return best;
}

}  // namespace

void SmithChart::PaintGrid(QPainter& p, const QRectF& area) const {
  const QRectF disc = Disc(area);
  const double r = disc.width() / 2 * zoom_;
  const QColor text = palette().color(QPalette::Text);
  QPainterPath outline;
  outline.addEllipse(Map(0.0, area), r, r);
  p.save();
  p.setClipPath(outline);
  p.setBrush(Qt::NoBrush);
  // The impedance grid, and the admittance grid turned half a circle: its
  // circles of constant conductance and arcs of constant susceptance.
  for (const double sign : {1.0, -1.0}) {
    const bool admittance = sign < 0;
    if (admittance ? grid_ == SmithGrid::kImpedance : grid_ == SmithGrid::kAdmittance) continue;
    const QColor colour = admittance && grid_ == SmithGrid::kBoth
                              ? Faded(ColourOf(Shown::kIdeal, IsDark(palette())), 0.35)
                              : Faded(text, 0.35);
    p.setPen(QPen(colour, 1.0));
    for (const double x : kValues) {  // arcs of constant reactance, above and below
      for (const double side : {1.0, -1.0}) {
        p.drawEllipse(Map(C(sign, sign * side / x), area), r / x, r / x);
      }
    }
    for (const double res : kValues) {  // circles of constant resistance
      p.drawEllipse(Map(C(sign * res / (1 + res), 0.0), area), r / (1 + res), r / (1 + res));
    }
  }
  p.restore();
  p.setPen(QPen(Faded(text, 0.35), 1.0));
  p.drawLine(Map(C(-1, 0), area), Map(C(1, 0), area));
  p.setPen(QPen(text, 1.2));
  p.drawEllipse(Map(0.0, area), r, r);
  p.setFont(LabelFont(area));
  p.setPen(text);
  for (const double res : kValues) {
    p.drawText(GridLabelAt(res, area), QString::number(res));
  }
}

QFont SmithChart::LabelFont(const QRectF& area) const {
  QFont small = font();
  small.setPointSizeF(std::max(6.0, Disc(area).width() / 2 / 28));
  return small;
}

QPointF SmithChart::GridLabelAt(double res, const QRectF& area) const {
  const double at =
      grid_ == SmithGrid::kAdmittance ? -(res - 1) / (res + 1) : (res - 1) / (res + 1);
  return Map(C(at, 0.0), area) + QPointF(3, -3);
}

void SmithChart::ReserveGridLabels(ChartLabels& labels, const QRectF& area) const {
  for (const double res : kValues) {
    labels.Reserve(labels.Box(GridLabelAt(res, area), QString::number(res)));
  }
}

void SmithChart::PaintCircles(QPainter& p, const QRectF& area, ChartLabels& labels) const {
  const double r = Disc(area).width() / 2 * zoom_;
  const QColor text = palette().color(QPalette::Text);
  p.setBrush(Qt::NoBrush);
  // Constant VSWR against the source, as the table measures it: 2 always,
  // and the one through the match. For a source of Z0 they are circles
  // about the centre.
  std::vector<std::pair<double, QString>> circles = {{1.0 / 3.0, QStringLiteral("VSWR 2")}};
  if (data_.match_gamma && *data_.match_gamma > 1e-6 && *data_.match_gamma < 1.0) {
    const double g = *data_.match_gamma;
    circles.emplace_back(g, QStringLiteral("VSWR ") + QString::number((1 + g) / (1 - g), 'g', 3));
  }
  p.setPen(QPen(Faded(text, 0.55), 1.0, Qt::DotLine));
  const bool centred = data_.source == C(1.0, 0.0);
  for (const auto& [g, label] : circles) {
    QPointF bottom;
    if (centred) {
      p.drawEllipse(Map(0.0, area), r * g, r * g);
      bottom = Map(C(0.0, -g), area);
    } else {
      QPolygonF ring;
      for (const C& z : rf::ConstantVswrCircle(g, data_.source)) ring << Map(Reflection(z), area);
      p.drawPolygon(ring);
      bottom = *std::max_element(ring.begin(), ring.end(),
                                 [](QPointF a, QPointF b) { return a.y() < b.y(); });
    }
    labels.Draw(bottom, label, {QPointF(3, 12), QPointF(-60, 12), QPointF(3, -4)});
  }
  // Constant Q: |X| = Q R, arcs through the chart's ends.
  if (data_.loaded_q && *data_.loaded_q > 0) {
    const double q = *data_.loaded_q;
    QPainterPath outline;
    outline.addEllipse(Map(0.0, area), r, r);
    p.save();
    p.setClipPath(outline);
    p.setPen(QPen(Faded(text, 0.55), 1.0, Qt::DashDotLine));
    const double radius = std::sqrt(1 + 1 / (q * q));
    for (const double side : {1.0, -1.0}) {
      p.drawEllipse(Map(C(0.0, -side / q), area), r * radius, r * radius);
    }
    p.restore();
    labels.Draw(Map(C(0.0, radius - 1 / q), area),
                QStringLiteral("Q ") + QString::number(q, 'g', 3),
                {QPointF(3, -3), QPointF(3, 12)});
  }
}

void SmithChart::PaintTraces(QPainter& p, const QRectF& area, ChartLabels& labels) const {
  const QColor text = palette().color(QPalette::Text);
  const double size = std::max(3.0, Disc(area).width() / 110);
  const auto polyline = [&](const std::vector<C>& z) {
    QPolygonF line;
    line.reserve(static_cast<qsizetype>(z.size()));
    for (const C& v : z) line << Map(Reflection(v), area);
    return line;
  };
  // The measured load, with its frequency at five points.
  const SmithTrace& t = data_.trace;
  if (!t.z.empty()) {
    p.setPen(QPen(Faded(text, 0.7), 1.2, Qt::DashLine));
    p.drawPolyline(polyline(t.z));
    p.setPen(Faded(text, 0.85));
    const std::size_t n = std::min(t.z.size(), t.hertz.size());
    for (std::size_t k = 0; n > 1 && k < 5; ++k) {
      const std::size_t i = k * (n - 1) / 4;
      const QPointF at = Map(Reflection(t.z[i]), area);
      Marker(p, at, Faded(text, 0.85), Shape::kRing, size * 0.6);
      labels.Draw(at, Hz(t.hertz[i]),
                  {QPointF(size, -size), QPointF(size, size * 2.5), QPointF(-size * 9, -size)});
    }
  }
  // The matched input over the sweep, with the design frequency and the
  // band's edges.
  const SmithTrace& l = data_.locus;
  if (l.z.size() > 1) {
    const QColor colour = BuiltColour();
    p.setPen(QPen(Faded(colour, 0.8), 1.4));
    p.drawPolyline(polyline(l.z));
    std::vector<std::pair<double, QString>> marks;
    if (data_.design_hertz) marks.emplace_back(*data_.design_hertz, QStringLiteral("f"));
    if (data_.band_low) marks.emplace_back(*data_.band_low, Hz(*data_.band_low));
    if (data_.band_high) marks.emplace_back(*data_.band_high, Hz(*data_.band_high));
    for (const auto& [hz, label] : marks) {
      const QPointF at = Map(Reflection(l.z[Nearest(l, hz)]), area);
      Marker(p, at, colour, Shape::kRing, size * 0.8);
      p.setPen(colour);
      labels.Draw(
          at, label,
          {QPointF(size, size * 2.5), QPointF(size, -size), QPointF(-size * 9, size * 2.5)});
    }
  }
}

QRectF SmithChart::PaintLegend(QPainter& p, const QRectF& area) const {
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
  const QColor text = palette().color(QPalette::Text);
  const SmithTrace& t = data_.trace;
  if (!t.hertz.empty()) {
    entries.push_back(
        {QStringLiteral("measured, %1 to %2").arg(Hz(t.hertz.front()), Hz(t.hertz.back())),
         Faded(text, 0.85), Shape::kRing});
  }
  if (data_.locus.z.size() > 1) {
    entries.push_back(
        {QStringLiteral("matched input over the sweep"), BuiltColour(), Shape::kRing});
  }
  const double line = p.fontMetrics().height();
  QPointF at = area.topLeft() + QPointF(line, line);
  QRectF covered(at - QPointF(line / 2, line / 2), QSizeF());
  for (const Entry& e : entries) {
    Marker(p, at, e.colour, e.shape, line / 4);
    p.setPen(text);
    p.drawText(at + QPointF(line * 0.8, line / 3), e.text);
    covered |= QRectF(at + QPointF(line * 0.8, -line / 2),
                      QSizeF(p.fontMetrics().horizontalAdvance(e.text), line));
    at.ry() += line * 1.2;
  }
  return covered;
}

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
      PaintGrid(g, QRectF(QPointF(0, 0), area.size()));
      grid_for_ = key;
    }
    p.drawPixmap(area.topLeft(), grid_picture_);
  } else {
    p.fillRect(area, palette().color(QPalette::Base));
    PaintGrid(p, area);
  }
  p.setFont(LabelFont(area));
  ChartLabels labels(p);
  ReserveGridLabels(labels, area);
  labels.Reserve(PaintLegend(p, area));
  PaintCircles(p, area, labels);
  PaintTraces(p, area, labels);
  const double size = std::max(3.0, Disc(area).width() / 110);
  if (data_.path.size() > 1) {
    p.setPen(QPen(PathColour(), size / 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPolygonF line;
    for (const C& v : data_.path) line << Map(Reflection(v), area);
    p.drawPolyline(line);
  }
  for (const auto& h : data_.handles) {  // where each part ends: drag it
    if (h) Marker(p, Map(Reflection(*h), area), PathColour(), Shape::kRing, size * 1.3);
  }
  const auto mark = [&](const std::optional<C>& z, QColor colour, Shape shape) {
    if (z) Marker(p, Map(Reflection(*z), area), colour, shape, size);
  };
  mark(data_.built_end, BuiltColour(), Shape::kCross);
  mark(data_.standard_end, StandardColour(), Shape::kDiamond);
  mark(data_.load, LoadColour(), Shape::kDot);
  p.restore();
}

}  // namespace vorda::designer
