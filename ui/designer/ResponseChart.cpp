#include "ui/designer/ResponseChart.h"

#include <QGraphicsSimpleTextItem>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QtCharts/QAreaSeries>
#include <QtCharts/QChart>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <cmath>

#include "engine/PortableMath.h"
#include "ui/designer/ChartColours.h"

namespace vorda::designer {

namespace {

constexpr double kTopVswr = 10.0;
constexpr double kTopLossDb = 40.0;

// The frequency unit that keeps the axis numbers readable.
std::pair<double, QString> Unit(double hertz) {
  if (hertz >= 1e9) return {1e9, QStringLiteral("GHz")};
  if (hertz >= 1e6) return {1e6, QStringLiteral("MHz")};
  if (hertz >= 1e3) return {1e3, QStringLiteral("kHz")};
  return {1.0, QStringLiteral("Hz")};
}

const char* const kNames[] = {"Ideal", "Standard", "With losses", "Load alone"};

}  // namespace

ResponseChart::ResponseChart(QWidget* parent) : QChartView(parent) {
  setObjectName(QStringLiteral("responseChart"));
  setAccessibleName(QStringLiteral("Frequency response"));
  setRenderHint(QPainter::Antialiasing);
  setRubberBand(QChartView::HorizontalRubberBand);
  setMouseTracking(true);
  auto* chart = new QChart();
  chart->setAnimationOptions(QChart::NoAnimation);
  chart->legend()->setAlignment(Qt::AlignBottom);
  x_ = new QValueAxis(chart);
  y_ = new QValueAxis(chart);
  chart->addAxis(x_, Qt::AlignBottom);
  chart->addAxis(y_, Qt::AlignLeft);

  band_upper_ = new QLineSeries(chart);
  band_lower_ = new QLineSeries(chart);
  band_ = new QAreaSeries(band_upper_, band_lower_);
  band_->setName(QStringLiteral("VSWR \u2264 2"));
  chart->addSeries(band_);
  optimised_upper_ = new QLineSeries(chart);
  optimised_lower_ = new QLineSeries(chart);
  optimised_ = new QAreaSeries(optimised_upper_, optimised_lower_);
  optimised_->setName(QStringLiteral("Optimised band"));
  chart->addSeries(optimised_);
  for (int i = 0; i < 4; ++i) {
    lines_[i] = new QLineSeries(chart);
    lines_[i]->setName(QString::fromLatin1(kNames[i]));
    chart->addSeries(lines_[i]);
  }
  vswr2_ = new QLineSeries(chart);
  vswr2_->setName(QStringLiteral("VSWR 2"));
  chart->addSeries(vswr2_);
  bode_fano_ = new QLineSeries(chart);
  bode_fano_->setName(QStringLiteral("Bode\u2013Fano limit"));
  chart->addSeries(bode_fano_);
  for (QAbstractSeries* s : chart->series()) {
    s->attachAxis(x_);
    s->attachAxis(y_);
  }
  // The VSWR 2 line explains itself beside the shaded band.
  for (QLegendMarker* marker : chart->legend()->markers(vswr2_)) marker->setVisible(false);
  setChart(chart);
  read_out_ = new QGraphicsSimpleTextItem(chart);
  read_out_->setZValue(10);
  Restyle();
}

void ResponseChart::Restyle() {
  const bool dark = IsDark(palette());
  chart()->setTheme(dark ? QChart::ChartThemeDark : QChart::ChartThemeLight);
  constexpr Shown kCurves[] = {Shown::kIdeal, Shown::kStandard, Shown::kBuilt, Shown::kBare};
  for (int i = 0; i < 4; ++i) {
    lines_[i]->setPen(QPen(ColourOf(kCurves[i], dark), kCurves[i] == Shown::kBare ? 1.5 : 2.0));
  }
  QColor shade = dark ? QColor(255, 210, 80) : QColor(255, 190, 40);
  shade.setAlphaF(0.25);
  band_->setBrush(shade);
  band_->setPen(Qt::NoPen);
  vswr2_->setPen(QPen(shade.darker(150), 1.0, Qt::DashLine));
  QColor optimised = dark ? QColor(120, 170, 255) : QColor(60, 110, 220);
  bode_fano_->setPen(QPen(optimised, 2.0, Qt::DashDotLine));
  optimised.setAlphaF(0.15);
  optimised_->setBrush(optimised);
  optimised_->setPen(Qt::NoPen);
  read_out_->setBrush(palette().color(QPalette::Text));
}

double ResponseChart::Plotted(const rf::Response& r, std::size_t i) const {
  switch (plot_) {
    case ResponsePlot::kReturnLoss:
      return std::min(r.return_loss_db[i].value_or(kTopDb), kTopDb);
    case ResponsePlot::kVswr:
      return std::min(r.vswr[i].value_or(kTopVswr), kTopVswr);
    case ResponsePlot::kGamma: {
      if (!r.vswr[i]) return 1.0;  // |gamma| >= 1
      const double s = *r.vswr[i];
      return (s - 1) / (s + 1);
    }
    case ResponsePlot::kInsertionLoss:
      break;
  }
  return std::min(r.insertion_loss_db[i].value_or(kTopLossDb), kTopLossDb);
}

void ResponseChart::SetPlot(ResponsePlot plot) {
  plot_ = plot;
  Redraw();
}

void ResponseChart::SetData(const ResponseData& d) {
  const bool same_range = !data_.frequencies.empty() && !d.frequencies.empty() &&
                          data_.frequencies.front() == d.frequencies.front() &&
                          data_.frequencies.back() == d.frequencies.back();
  if (!same_range) zoomed_ = false;
  data_ = d;
  Redraw();
}

void ResponseChart::ResetZoom() {
  zoomed_ = false;
  Redraw();
}

void ResponseChart::Redraw() {
  const ResponseData& d = data_;
  if (d.frequencies.empty()) return;
  const auto [scale, unit] = Unit(d.frequencies.back());
  scale_ = scale;
  x_->setTitleText(QStringLiteral("Frequency (%1)").arg(unit));
  const double lo = d.frequencies.front() / scale, hi = d.frequencies.back() / scale;
  if (!zoomed_) x_->setRange(lo, hi);
  static const char* const kTitles[] = {"Return loss (dB)", "VSWR", "|\u0393|",
                                        "Insertion loss (dB)"};
  y_->setTitleText(QString::fromUtf8(kTitles[static_cast<int>(plot_)]));
  const std::optional<rf::Response>* curves[] = {&d.ideal, &d.standard, &d.built, &d.bare};
  double top = plot_ == ResponsePlot::kReturnLoss ? 20.0 : plot_ == ResponsePlot::kVswr ? 3.0 : 1.0;
  for (int i = 0; i < 4; ++i) {
    QList<QPointF> points;
    if (*curves[i]) {
      const rf::Response& r = **curves[i];
      points.reserve(static_cast<qsizetype>(d.frequencies.size()));
      for (std::size_t k = 0; k < d.frequencies.size() && k < r.vswr.size(); ++k) {
        const double y = Plotted(r, k);
        points.append({d.frequencies[k] / scale, y});
        top = std::max(top, y);
      }
    }
    lines_[i]->replace(points);
    lines_[i]->setVisible(curves[i]->has_value());
  }
  double bottom = 0.0;
  switch (plot_) {
    case ResponsePlot::kReturnLoss:
      top = std::min(kTopDb, std::ceil(top / 10) * 10);
      break;
    case ResponsePlot::kVswr:
      bottom = 1.0;
      top = std::min(kTopVswr, std::ceil(top));
      break;
    case ResponsePlot::kGamma:
      top = 1.0;
      break;
    case ResponsePlot::kInsertionLoss:
      top = std::min(kTopLossDb, std::max(1.0, std::ceil(top)));
      break;
  }
  y_->setRange(bottom, top);
  // VSWR 2 and the Bode-Fano limit, in the plot's own terms.
  const auto in_terms = [&](double gamma) {
    switch (plot_) {
      case ResponsePlot::kReturnLoss:
        return -20 * portable::Log10(gamma);
      case ResponsePlot::kVswr:
        return (1 + gamma) / (1 - gamma);
      case ResponsePlot::kGamma:
        break;
      case ResponsePlot::kInsertionLoss:
        return 0.0;
    }
    return gamma;
  };
  const bool lines = plot_ != ResponsePlot::kInsertionLoss;
  vswr2_->replace({{lo, in_terms(1.0 / 3.0)}, {hi, in_terms(1.0 / 3.0)}});
  vswr2_->setVisible(lines);
  const double band_lo = std::max(lo, d.band_low.value_or(0.0) / scale);
  const double band_hi = std::min(hi, d.band_high.value_or(HUGE_VAL) / scale);
  band_upper_->replace({{band_lo, top}, {band_hi, top}});
  band_lower_->replace({{band_lo, bottom}, {band_hi, bottom}});
  band_->setVisible(d.band && band_hi > band_lo);
  // The band a network was optimised over, and the best any network could
  // do over it.
  const bool optimised = d.optimised && d.optimised->second > d.optimised->first;
  const double opt_lo = optimised ? std::max(lo, d.optimised->first / scale) : lo;
  const double opt_hi = optimised ? std::min(hi, d.optimised->second / scale) : hi;
  optimised_upper_->replace({{opt_lo, top}, {opt_hi, top}});
  optimised_lower_->replace({{opt_lo, bottom}, {opt_hi, bottom}});
  optimised_->setVisible(optimised && opt_hi > opt_lo);
  const bool limit = optimised && d.bode_fano_db.has_value() && lines;
  const double limit_at =
      limit ? std::clamp(in_terms(std::pow(10.0, -*d.bode_fano_db / 20)), bottom, top) : 0.0;
  bode_fano_->replace({{opt_lo, limit_at}, {opt_hi, limit_at}});
  bode_fano_->setVisible(limit);
}

QString ResponseChart::ReadOutAt(QPointF point) const {
  const ResponseData& d = data_;
  if (d.frequencies.empty()) return {};
  const double hz = chart()->mapToValue(point).x() * scale_;
  const auto nearest = std::min_element(d.frequencies.begin(), d.frequencies.end(),
                                        [hz](double a, double b) {
                                          return std::fabs(a - hz) < std::fabs(b - hz);
                                        });
  const auto i = static_cast<std::size_t>(nearest - d.frequencies.begin());
  QString text = QString::number(*nearest / scale_, 'g', 6) + QStringLiteral(" ") +
                 x_->titleText().section('(', 1).chopped(1);
  const std::optional<rf::Response>* curves[] = {&d.ideal, &d.standard, &d.built, &d.bare};
  for (int k = 0; k < 4; ++k) {
    if (!*curves[k] || i >= (*curves[k])->vswr.size()) continue;
    text += QStringLiteral("\n%1: %2").arg(QString::fromLatin1(kNames[k]),
                                          QString::number(Plotted(**curves[k], i), 'g', 4));
  }
  return text;
}

void ResponseChart::mouseMoveEvent(QMouseEvent* event) {
  QChartView::mouseMoveEvent(event);
  const QRectF plot = chart()->plotArea();
  if (!plot.contains(event->position())) {
    read_out_->setText({});
    return;
  }
  read_out_->setText(ReadOutAt(event->position()));
  read_out_->setPos(plot.topRight() - QPointF(read_out_->boundingRect().width() + 6, -4));
}

void ResponseChart::mouseReleaseEvent(QMouseEvent* event) {
  QChartView::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton) zoomed_ = true;  // a rubber band zoomed in
}

void ResponseChart::mouseDoubleClickEvent(QMouseEvent* /*event*/) {
  ResetZoom();
}

void ResponseChart::wheelEvent(QWheelEvent* event) {
  const double steps = event->angleDelta().y() / 120.0;
  const double at = chart()->mapToValue(event->position()).x();
  const double lo = x_->min(), hi = x_->max();
  const double factor = std::pow(0.8, steps);
  x_->setRange(at - (at - lo) * factor, at + (hi - at) * factor);
  zoomed_ = true;
  event->accept();
}

void ResponseChart::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_0 || event->key() == Qt::Key_Home) {
    ResetZoom();
    return;
  }
  QChartView::keyPressEvent(event);
}

bool ResponseChart::ShowsOptimisedBand() const {
  return optimised_->isVisible();
}

bool ResponseChart::ShowsBodeFano() const {
  return bode_fano_->isVisible();
}

}  // namespace vorda::designer
