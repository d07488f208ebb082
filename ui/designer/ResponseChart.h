// The frequency response of the selected design, drawn as vectors: return
// loss, VSWR, |gamma| or insertion loss (S21) of the ideal, standard and
// as-built parts and of the measured load alone; the VSWR <= 2 band and the
// band optimised over shaded, with the Bode-Fano limit across it. A
// read-out follows the cursor; the wheel and a drag zoom, a double click or
// 0 shows it all.
#pragma once

#include <QWidget>
#include <optional>
#include <vector>

#include "rf/request/Charts.h"
#include "ui/designer/ResponseLegend.h"

namespace vorda::designer {

// The curves, in the order of the legend.
inline constexpr const char* kCurveNames[] = {"Ideal", "Standard", "With losses", "Load alone"};

enum class ResponsePlot { kReturnLoss, kVswr, kGamma, kInsertionLoss };
// "Return loss", "VSWR", "|Γ|", "Insertion loss (S21)", in that order.
inline constexpr const char* kPlotChoices[] = {"Return loss", "VSWR", "|\u0393|",
                                               "Insertion loss (S21)"};

// What the chart shows (rf/request/Charts.h).
using ResponseData = rf::ResponseView;

class ResponseChart : public QWidget {
  Q_OBJECT

 public:
  explicit ResponseChart(QWidget* parent = nullptr);
  void SetData(const ResponseData& data);
  const ResponseData& Data() const { return data_; }
  void SetPlot(ResponsePlot plot);
  ResponsePlot Plot() const { return plot_; }
  void ResetZoom();
  // The frequencies shown, hertz.
  std::pair<double, double> ShownRange() const;

  // Paints the chart into a rectangle of any painter (screen, image, SVG).
  void Render(QPainter& painter, const QRectF& area) const;

  // The read-out for a point of the widget: the frequency nearest and each
  // curve's value there.
  QString ReadOutAt(QPointF point) const;
  // The value a curve is drawn at, for a point of a response.
  double Plotted(const rf::Response& r, std::size_t i) const;

  // What the chart draws, for tests.
  bool ShowsOptimisedBand() const;
  bool ShowsBodeFano() const;
  // Where the legend's entries go in an area: each whole within it.
  std::vector<QRectF> LegendRects(const QRectF& area) const;
  // The return loss a Bode-Fano limit beyond the axis's top is written as,
  // in place of a line on the edge; none when each limit is drawn.
  std::optional<QString> BodeFanoLabel() const;

  // Return loss beyond this is drawn at it (a perfect match has none).
  static constexpr double kTopDb = 60.0;

  QSize sizeHint() const override { return {520, 420}; }
  QSize minimumSizeHint() const override { return {260, 200}; }

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
  // Where the plot lies in an area, and what it shows.
  struct Axes {
    QRectF plot;
    double lo = 0.0, hi = 1.0;       // hertz
    double bottom = 0.0, top = 1.0;  // the plotted quantity
    double scale = 1.0;              // hertz per axis unit
    QString unit;
    QPointF At(double hertz, double y) const {
      return {plot.left() + (hertz - lo) / (hi - lo) * plot.width(),
              plot.bottom() - (y - bottom) / (top - bottom) * plot.height()};
    }
    double HertzAt(double x) const { return lo + (x - plot.left()) / plot.width() * (hi - lo); }
  };
  Axes AxesFor(const QRectF& area) const;
  std::vector<LegendEntry> Legend(bool dark) const;
  std::vector<QRectF> LegendAt(const std::vector<LegendEntry>& entries, const QRectF& area,
                               const Axes& a) const;
  void PaintReadOut(QPainter& painter) const;

  ResponseData data_;
  ResponsePlot plot_ = ResponsePlot::kReturnLoss;
  std::optional<std::pair<double, double>> zoom_;  // hertz shown, when zoomed in
  std::optional<QPointF> hover_;
  std::optional<double> drag_from_;  // hertz where a drag to zoom began
};

}  // namespace vorda::designer
