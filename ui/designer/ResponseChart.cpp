#include "ui/designer/ResponseChart.h"

#include <QtCharts/QAreaSeries>
#include <QtCharts/QChart>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <cmath>

#include "ui/designer/ChartColours.h"

namespace vorda::designer {

namespace {

// The frequency unit that keeps the axis numbers readable.
std::pair<double, QString> Unit(double hertz) {
  if (hertz >= 1e9) return {1e9, QStringLiteral("GHz")};
  if (hertz >= 1e6) return {1e6, QStringLiteral("MHz")};
  if (hertz >= 1e3) return {1e3, QStringLiteral("kHz")};
  return {1.0, QStringLiteral("Hz")};
}

QList<QPointF> Points(const std::vector<double>& f, const std::vector<std::optional<double>>& db,
                      double scale) {
  QList<QPointF> points;
  points.reserve(static_cast<qsizetype>(db.size()));
  for (std::size_t i = 0; i < db.size(); ++i) {
    const double y = std::min(db[i].value_or(ResponseChart::kTopDb), ResponseChart::kTopDb);
    points.append({f[i] / scale, y});
  }
  return points;
}

}  // namespace

ResponseChart::ResponseChart(QWidget* parent) : QChartView(parent) {
  setObjectName(QStringLiteral("responseChart"));
  setAccessibleName(QStringLiteral("Return loss against frequency"));
  setRenderHint(QPainter::Antialiasing);
  auto* chart = new QChart();
  chart->setAnimationOptions(QChart::NoAnimation);
  chart->legend()->setAlignment(Qt::AlignBottom);
  x_ = new QValueAxis(chart);
  y_ = new QValueAxis(chart);
  y_->setTitleText(QStringLiteral("Return loss (dB)"));
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
  const char* names[] = {"Ideal", "Standard", "With losses", "Load alone"};
  for (int i = 0; i < 4; ++i) {
    lines_[i] = new QLineSeries(chart);
    lines_[i]->setName(QString::fromLatin1(names[i]));
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
}

void ResponseChart::SetData(const ResponseData& d) {
  if (d.frequencies.empty()) return;
  const auto [scale, unit] = Unit(d.frequencies.back());
  x_->setTitleText(QStringLiteral("Frequency (%1)").arg(unit));
  const double lo = d.frequencies.front() / scale, hi = d.frequencies.back() / scale;
  x_->setRange(lo, hi);
  const std::vector<std::optional<double>>* curves[] = {&d.ideal, &d.standard, &d.built, &d.bare};
  double top = 20.0;
  for (int i = 0; i < 4; ++i) {
    lines_[i]->replace(Points(d.frequencies, *curves[i], scale));
    lines_[i]->setVisible(!curves[i]->empty());
    for (const QPointF& p : lines_[i]->points()) top = std::max(top, p.y());
  }
  top = std::min(kTopDb, std::ceil(top / 10) * 10);
  y_->setRange(0, top);
  const double vswr2_db = -20 * std::log10(1.0 / 3.0);
  vswr2_->replace({{lo, vswr2_db}, {hi, vswr2_db}});
  const double band_lo = std::max(lo, d.band_low.value_or(0.0) / scale);
  const double band_hi = std::min(hi, d.band_high.value_or(HUGE_VAL) / scale);
  const bool band = d.band && band_hi > band_lo;
  band_upper_->replace({{band_lo, top}, {band_hi, top}});
  band_lower_->replace({{band_lo, 0}, {band_hi, 0}});
  band_->setVisible(band);
  // The band a network was optimised over, and the best any network could
  // do over it.
  const bool optimised = d.optimised && d.optimised->second > d.optimised->first;
  const double opt_lo = optimised ? std::max(lo, d.optimised->first / scale) : lo;
  const double opt_hi = optimised ? std::min(hi, d.optimised->second / scale) : hi;
  optimised_upper_->replace({{opt_lo, top}, {opt_hi, top}});
  optimised_lower_->replace({{opt_lo, 0}, {opt_hi, 0}});
  optimised_->setVisible(optimised && opt_hi > opt_lo);
  const bool limit = optimised && d.bode_fano_db.has_value();
  const double limit_db = limit ? std::min(*d.bode_fano_db, top) : 0.0;
  bode_fano_->replace({{opt_lo, limit_db}, {opt_hi, limit_db}});
  bode_fano_->setVisible(limit);
}

bool ResponseChart::ShowsOptimisedBand() const {
  return optimised_->isVisible();
}

bool ResponseChart::ShowsBodeFano() const {
  return bode_fano_->isVisible();
}

}  // namespace vorda::designer
