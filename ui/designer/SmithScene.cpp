#include "ui/designer/SmithScene.h"

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

void SmithScene::Grid(QPainter& p) const {
  const QRectF disc = SmithChart::Disc(area_);
  const double r = disc.width() / 2 * chart_.Zoom();
  const QColor text = chart_.palette().color(QPalette::Text);
  QPainterPath outline;
  outline.addEllipse(chart_.Map(0.0, area_), r, r);
  p.save();
  p.setClipPath(outline);
  p.setBrush(Qt::NoBrush);
  // The impedance grid, and the admittance grid turned half a circle: its
  // circles of constant conductance and arcs of constant susceptance.
  for (const double sign : {1.0, -1.0}) {
    const bool admittance = sign < 0;
    if (admittance ? chart_.Grid() == SmithGrid::kImpedance
                   : chart_.Grid() == SmithGrid::kAdmittance)
      continue;
    const QColor colour = admittance && chart_.Grid() == SmithGrid::kBoth
                              ? Faded(ColourOf(Shown::kIdeal, IsDark(chart_.palette())), 0.35)
                              : Faded(text, 0.35);
    p.setPen(QPen(colour, 1.0));
    for (const double x : kValues) {  // arcs of constant reactance, above and below
      for (const double side : {1.0, -1.0}) {
        p.drawEllipse(chart_.Map(C(sign, sign * side / x), area_), r / x, r / x);
      }
    }
    for (const double res : kValues) {  // circles of constant resistance
      p.drawEllipse(chart_.Map(C(sign * res / (1 + res), 0.0), area_), r / (1 + res),
                    r / (1 + res));
    }
  }
  p.restore();
  p.setPen(QPen(Faded(text, 0.35), 1.0));
  p.drawLine(chart_.Map(C(-1, 0), area_), chart_.Map(C(1, 0), area_));
  p.setPen(QPen(text, 1.2));
  p.drawEllipse(chart_.Map(0.0, area_), r, r);
  p.setFont(LabelFont());
  p.setPen(text);
  for (const auto& [at, label] : GridLabels()) p.drawText(at, label);
}

QFont SmithScene::LabelFont() const {
  QFont small = chart_.font();
  small.setPointSizeF(std::max(6.0, SmithChart::Disc(area_).width() / 2 / 28));
  return small;
}

std::vector<std::pair<QPointF, QString>> SmithScene::GridLabels() const {
  // The admittance grid is the impedance grid turned half a circle.
  const double turn = chart_.Grid() == SmithGrid::kAdmittance ? -1.0 : 1.0;
  std::vector<std::pair<QPointF, QString>> labels;
  // The resistances along the axis, but for 1 at the centre, where the
  // match lands: that one at the top of its own circle.
  for (const double res : kValues) {
    const C at = res == 1.0 ? C(turn * 0.5, 0.5) : C(turn * (res - 1) / (res + 1), 0.0);
    labels.emplace_back(chart_.Map(at, area_) + QPointF(3, -3), QString::number(res));
  }
  // The reactances on the rim, just outside it, where their arcs meet it.
  const QFontMetricsF m(LabelFont());
  const QPointF centre = chart_.Map(0.0, area_);
  const double rim = SmithChart::Disc(area_).width() / 2 * chart_.Zoom() + m.height() * 0.6;
  for (const double x : kValues) {
    for (const double side : {1.0, -1.0}) {
      const C jx(0.0, side * x);
      const C gamma = turn * (jx - 1.0) / (jx + 1.0);
      const QPointF toward = chart_.Map(gamma, area_) - centre;
      const double length = std::hypot(toward.x(), toward.y());
      if (!(length > 0)) continue;
      const QString label = QStringLiteral("%1j%2").arg(
          side < 0 ? QStringLiteral("\u2212") : QString(), QString::number(x));
      const QPointF mid = centre + toward * (rim / length);
      labels.emplace_back(
          mid + QPointF(-m.horizontalAdvance(label) / 2, m.ascent() - m.height() / 2), label);
    }
  }
  return labels;
}

void SmithScene::ReserveGridLabels(ChartLabels& labels) const {
  for (const auto& [at, label] : GridLabels()) labels.Reserve(labels.Box(at, label));
}

void SmithScene::Circles(QPainter& p, ChartLabels& labels) const {
  const double r = SmithChart::Disc(area_).width() / 2 * chart_.Zoom();
  const QColor text = chart_.palette().color(QPalette::Text);
  p.setBrush(Qt::NoBrush);
  // Constant VSWR against the source, as the table measures it: 2 always,
  // and the one through the match. For a source of Z0 they are circles
  // about the centre.
  std::vector<std::pair<double, QString>> circles = {{1.0 / 3.0, QStringLiteral("VSWR 2")}};
  if (chart_.Data().match_gamma && *chart_.Data().match_gamma > 1e-6 &&
      *chart_.Data().match_gamma < 1.0) {
    const double g = *chart_.Data().match_gamma;
    circles.emplace_back(g, QStringLiteral("VSWR ") + QString::number((1 + g) / (1 - g), 'g', 3));
  }
  p.setPen(QPen(Faded(text, 0.55), 1.0, Qt::DotLine));
  const bool centred = chart_.Data().source == C(1.0, 0.0);
  for (const auto& [g, label] : circles) {
    QPointF bottom;
    if (centred) {
      p.drawEllipse(chart_.Map(0.0, area_), r * g, r * g);
      bottom = chart_.Map(C(0.0, -g), area_);
    } else {
      QPolygonF ring;
      for (const C& z : rf::ConstantVswrCircle(g, chart_.Data().source))
        ring << chart_.Map(Reflection(z), area_);
      p.drawPolygon(ring);
      bottom = *std::max_element(ring.begin(), ring.end(),
                                 [](QPointF a, QPointF b) { return a.y() < b.y(); });
    }
    labels.Draw(bottom, label, {QPointF(3, 12), QPointF(-60, 12), QPointF(3, -4)});
  }
  // Constant Q: |X| = Q R, arcs through the chart's ends.
  if (chart_.Data().loaded_q && *chart_.Data().loaded_q > 0) {
    const double q = *chart_.Data().loaded_q;
    QPainterPath outline;
    outline.addEllipse(chart_.Map(0.0, area_), r, r);
    p.save();
    p.setClipPath(outline);
    p.setPen(QPen(Faded(text, 0.55), 1.0, Qt::DashDotLine));
    const double radius = std::sqrt(1 + 1 / (q * q));
    for (const double side : {1.0, -1.0}) {
      p.drawEllipse(chart_.Map(C(0.0, -side / q), area_), r * radius, r * radius);
    }
    p.restore();
    labels.Draw(chart_.Map(C(0.0, radius - 1 / q), area_),
                QStringLiteral("Q ") + QString::number(q, 'g', 3),
                {QPointF(3, -3), QPointF(3, 12)});
  }
}

void SmithScene::Traces(QPainter& p, ChartLabels& labels) const {
  const QColor text = chart_.palette().color(QPalette::Text);
  const double size = std::max(3.0, SmithChart::Disc(area_).width() / 110);
  const auto polyline = [&](const std::vector<C>& z) {
    QPolygonF line;
    line.reserve(static_cast<qsizetype>(z.size()));
    for (const C& v : z) line << chart_.Map(Reflection(v), area_);
    return line;
  };
  // The load's other states, each in a colour of its own, its file's name
  // at its first point.
  const auto& states = chart_.Data().states;
  for (std::size_t k = 0; k < states.size(); ++k) {
    if (states[k].z.empty()) continue;
    const QColor c =
        QColor::fromHsvF(std::fmod(0.08 + 0.17 * static_cast<double>(k), 1.0), 0.7, 0.75);
    p.setPen(QPen(c, 1.2, Qt::DashDotLine));
    p.drawPolyline(polyline(states[k].z));
    const QPointF at = chart_.Map(Reflection(states[k].z.front()), area_);
    Marker(p, at, c, Shape::kRing, size * 0.6);
    labels.Draw(at, QStringLiteral("state %1").arg(k + 2),
                {QPointF(size, -size), QPointF(size, size * 2.5)});
  }
  // The measured load, with its frequency at five points.
  const SmithTrace& t = chart_.Data().trace;
  if (!t.z.empty()) {
    p.setPen(QPen(Faded(text, 0.7), 1.2, Qt::DashLine));
    p.drawPolyline(polyline(t.z));
    p.setPen(Faded(text, 0.85));
    const std::size_t n = std::min(t.z.size(), t.hertz.size());
    for (std::size_t k = 0; n > 1 && k < 5; ++k) {
      const std::size_t i = k * (n - 1) / 4;
      const QPointF at = chart_.Map(Reflection(t.z[i]), area_);
      Marker(p, at, Faded(text, 0.85), Shape::kRing, size * 0.6);
      labels.Draw(at, Hz(t.hertz[i]),
                  {QPointF(size, -size), QPointF(size, size * 2.5), QPointF(-size * 9, -size)});
    }
  }
  // The matched input over the sweep, with the design frequency and the
  // band's edges.
  const SmithTrace& l = chart_.Data().locus;
  if (l.z.size() > 1) {
    const QColor colour = chart_.BuiltColour();
    p.setPen(QPen(Faded(colour, 0.8), 1.4));
    p.drawPolyline(polyline(l.z));
    std::vector<std::pair<double, QString>> marks;
    if (chart_.Data().design_hertz)
      marks.emplace_back(*chart_.Data().design_hertz, QStringLiteral("f"));
    if (chart_.Data().band_low)
      marks.emplace_back(*chart_.Data().band_low, Hz(*chart_.Data().band_low));
    if (chart_.Data().band_high)
      marks.emplace_back(*chart_.Data().band_high, Hz(*chart_.Data().band_high));
    for (const auto& [hz, label] : marks) {
      const QPointF at = chart_.Map(Reflection(l.z[Nearest(l, hz)]), area_);
      Marker(p, at, colour, Shape::kRing, size * 0.8);
      p.setPen(colour);
      labels.Draw(
          at, label,
          {QPointF(size, size * 2.5), QPointF(size, -size), QPointF(-size * 9, size * 2.5)});
    }
  }
}

QRectF SmithScene::Legend(QPainter& p) const {
  struct Entry {
    QString text;
    QColor colour;
    Shape shape;
  };
  std::vector<Entry> entries = {{QStringLiteral("load"), chart_.LoadColour(), Shape::kDot}};
  if (chart_.Data().standard_end) {
    entries.push_back({QStringLiteral("standard parts"), chart_.StandardColour(), Shape::kDiamond});
  }
  if (chart_.Data().built_end) {
    entries.push_back({QStringLiteral("with losses"), chart_.BuiltColour(), Shape::kCross});
  }
  const QColor text = chart_.palette().color(QPalette::Text);
  const SmithTrace& t = chart_.Data().trace;
  if (!t.hertz.empty()) {
    entries.push_back(
        {QStringLiteral("measured, %1 to %2").arg(Hz(t.hertz.front()), Hz(t.hertz.back())),
         Faded(text, 0.85), Shape::kRing});
  }
  if (chart_.Data().locus.z.size() > 1) {
    entries.push_back(
        {QStringLiteral("matched input over the sweep"), chart_.BuiltColour(), Shape::kRing});
  }
  const double line = p.fontMetrics().height();
  QPointF at = area_.topLeft() + QPointF(line, line);
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

void SmithScene::Paint(QPainter& p) const {
  p.setFont(LabelFont());
  ChartLabels labels(p);
  ReserveGridLabels(labels);
  labels.Reserve(Legend(p));
  Circles(p, labels);
  Traces(p, labels);
  const double size = std::max(3.0, SmithChart::Disc(area_).width() / 110);
  if (chart_.Data().path.size() > 1) {
    p.setPen(QPen(chart_.PathColour(), size / 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPolygonF line;
    for (const C& v : chart_.Data().path) line << chart_.Map(Reflection(v), area_);
    p.drawPolyline(line);
  }
  for (const auto& h : chart_.Data().handles) {  // where each part ends: drag it
    if (h)
      Marker(p, chart_.Map(Reflection(*h), area_), chart_.PathColour(), Shape::kRing, size * 1.3);
  }
  const auto mark = [&](const std::optional<C>& z, QColor colour, Shape shape) {
    if (z) Marker(p, chart_.Map(Reflection(*z), area_), colour, shape, size);
  };
  mark(chart_.Data().built_end, chart_.BuiltColour(), Shape::kCross);
  mark(chart_.Data().standard_end, chart_.StandardColour(), Shape::kDiamond);
  mark(chart_.Data().load, chart_.LoadColour(), Shape::kDot);
}

}  // namespace vorda::designer
