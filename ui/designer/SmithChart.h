// A normalized Smith chart to read and tune on: the impedance grid, the
// admittance grid or both, circles of constant VSWR and arcs of constant Q;
// the load, the way through the parts to the match with a handle at the end
// of each part, where the standard parts and the parts as built end; the
// measured load and the matched input over the sweep, with frequency marks.
// It reads out the point under the cursor, zooms and pans, and reports a
// handle dragged. Drawn as vectors at any size and zoom, in colours that
// read on the palette's base.
#pragma once

#include <QPixmap>
#include <QWidget>
#include <complex>
#include <optional>
#include <vector>

#include "rf/request/Charts.h"

namespace vorda::designer {

using rf::SmithTrace;
// What the chart shows, normalized to z0 (rf/request/Charts.h).
using SmithData = rf::SmithView;

// The reflection coefficient of a normalized impedance.
inline std::complex<double> Reflection(std::complex<double> z) {
  return rf::GammaOf(z, 1.0);
}

enum class SmithGrid { kImpedance, kAdmittance, kBoth };

// What the chart says of a point.
struct SmithReadOut {
  std::complex<double> gamma;
  std::complex<double> z;       // normalized
  std::optional<double> hertz;  // of the nearest trace point, when one is near
  QString text;
};

class SmithChart : public QWidget {
  Q_OBJECT

 public:
  explicit SmithChart(QWidget* parent = nullptr);

  void SetData(SmithData data);
  const SmithData& Data() const { return data_; }
  void SetGrid(SmithGrid grid);
  SmithGrid Grid() const { return grid_; }
  // Shown beside the cursor while dragging (the part's value).
  void SetDragText(const QString& text);
  void ResetView();
  double Zoom() const { return zoom_; }

  // Paints the chart into a rectangle of any painter (screen, image, SVG).
  void Render(QPainter& painter, const QRectF& area) const;

  // Where a reflection coefficient lies in a chart drawn into area, without
  // zoom; with the chart's zoom and pan; and the reverse.
  static QPointF ToPoint(std::complex<double> gamma, const QRectF& area);
  // The chart's disc in area: the largest square, less a margin.
  static QRectF Disc(const QRectF& area);
  QPointF Map(std::complex<double> gamma, const QRectF& area) const;
  std::complex<double> GammaAt(QPointF point, const QRectF& area) const;
  // The read-out at a point of the widget.
  SmithReadOut ReadOutAt(QPointF point) const;

  // The marker colours, for this widget's palette.
  QColor LoadColour() const;
  QColor PathColour() const;
  QColor StandardColour() const;
  QColor BuiltColour() const;

  QSize sizeHint() const override { return {420, 420}; }
  QSize minimumSizeHint() const override { return {200, 200}; }

 signals:
  void DragStarted(int element);
  // A handle dragged to a reflection coefficient; free: without snapping.
  void Dragged(int element, std::complex<double> gamma, bool free);
  void DragEnded(int element);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  // The chart with its background and grid from a picture kept between
  // repaints (on screen), or drawn as vectors (a saved picture).
  void RenderScene(QPainter& painter, const QRectF& area, bool cached_grid) const;
  void PaintReadOut(QPainter& painter, const QRectF& area) const;
  std::optional<int> HandleAt(QPointF point) const;

  SmithData data_;
  SmithGrid grid_ = SmithGrid::kImpedance;
  double zoom_ = 1.0;
  std::complex<double> centre_{0.0, 0.0};  // the reflection coefficient in the middle
  std::optional<QPointF> hover_;
  std::optional<int> dragging_;
  std::optional<QPointF> panning_;  // where the drag on the empty chart was last
  QString drag_text_;
  // The background and grid as last drawn, and what they were drawn for
  // (size, pixel ratio, zoom, centre, grid, palette).
  mutable QPixmap grid_picture_;
  mutable QString grid_for_;
};

}  // namespace vorda::designer
