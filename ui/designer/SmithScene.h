// What the Smith chart draws into an area: its impedance and admittance
// grids, the circles of constant VSWR and the arcs of constant Q, the
// measured load and the matched input with their frequency marks, the way
// through the parts with a handle at the end of each, the markers and the
// legend, each label kept clear of the others.
#pragma once

#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <utility>
#include <vector>

class QPainter;

namespace vorda::designer {

class ChartLabels;
class SmithChart;

class SmithScene {
 public:
  // The chart's data, grid, zoom, palette and colours, drawn into area.
  SmithScene(const SmithChart& chart, const QRectF& area) : chart_(chart), area_(area) {}

  // The background's grid alone (kept as a picture between repaints).
  void Grid(QPainter& painter) const;
  // Everything over the grid.
  void Paint(QPainter& painter) const;

 private:
  QFont LabelFont() const;
  // The grid's labels, each where its text's baseline starts.
  std::vector<std::pair<QPointF, QString>> GridLabels() const;
  void ReserveGridLabels(ChartLabels& labels) const;
  void Circles(QPainter& painter, ChartLabels& labels) const;
  void Traces(QPainter& painter, ChartLabels& labels) const;
  QRectF Legend(QPainter& painter) const;

  const SmithChart& chart_;
  QRectF area_;
};

}  // namespace vorda::designer
