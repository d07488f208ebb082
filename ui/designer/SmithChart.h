// A normalized Smith chart: its circles of constant resistance and
// reactance, the load, the way through the two parts to the match, where the
// standard parts and the parts as built end, and a measured load's trace.
// Drawn as vectors at any size, in colours that read on the palette's base.
#pragma once

#include <QWidget>
#include <complex>
#include <optional>
#include <vector>

namespace vorda::designer {

struct SmithData {
  std::optional<std::complex<double>> load;          // normalized, at the design frequency
  std::vector<std::complex<double>> path;            // from the load to the match
  std::optional<std::complex<double>> standard_end;  // the standard parts, lossless
  std::optional<std::complex<double>> built_end;     // the parts as built, with losses
  std::vector<std::complex<double>> trace;           // the measured load, normalized
};

class SmithChart : public QWidget {
  Q_OBJECT

 public:
  explicit SmithChart(QWidget* parent = nullptr);

  void SetData(SmithData data);
  const SmithData& Data() const { return data_; }

  // Paints the chart into a rectangle of any painter (screen, image, SVG).
  void Render(QPainter& painter, const QRectF& area) const;

  // Where a reflection coefficient lies in a chart drawn into area.
  static QPointF ToPoint(std::complex<double> gamma, const QRectF& area);

  // The marker colours, for this widget's palette.
  QColor LoadColour() const;
  QColor PathColour() const;
  QColor StandardColour() const;
  QColor BuiltColour() const;

  QSize sizeHint() const override { return {420, 420}; }
  QSize minimumSizeHint() const override { return {200, 200}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void PaintGrid(QPainter& painter, const QRectF& area) const;
  void PaintLegend(QPainter& painter, const QRectF& area) const;

  SmithData data_;
};

}  // namespace vorda::designer
