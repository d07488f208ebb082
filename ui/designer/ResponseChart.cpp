#include "ui/designer/ResponseChart.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "ui/designer/ChartColours.h"

namespace vorda::designer {

namespace {

constexpr double kTopVswr = 10.0;
constexpr double kTopLossDb = 40.0;
const char* const kTitles[] = {"Return loss (dB)", "VSWR", "|\u0393|", "Insertion loss (dB)"};

// The frequency unit that keeps the axis numbers readable.
std::pair<double, QString> Unit(double hertz) {
  if (hertz >= 1e9) return {1e9, QStringLiteral("GHz")};
  if (hertz >= 1e6) return {1e6, QStringLiteral("MHz")};
  if (hertz >= 1e3) return {1e3, QStringLiteral("kHz")};
  return {1.0, QStringLiteral("Hz")};
}

// Ticks 1, 2 or 5 times a power of ten apart, at most about six of them.
std::vector<double> Ticks(double lo, double hi) {
  if (!(hi > lo)) return {lo};
  const double raw = (hi - lo) / 6;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  double step = power;
  for (const double m : {1.0, 2.0, 5.0, 10.0}) {
    step = m * power;
    if (step >= raw) break;
  }
  std::vector<double> ticks;
  for (double t = std::ceil(lo / step) * step; t <= hi + step * 1e-9; t += step) {
    ticks.push_back(std::fabs(t) < step * 1e-9 ? 0.0 : t);
  }
  return ticks;
}

QColor Faded(QColor c, double alpha) {
  c.setAlphaF(alpha);
  return c;
}

// A polyline with no more than four points a pixel column wide: the first,
// the lowest, the highest and the last of each, in their order, which draw
// the same line as all of them.
QPolygonF Decimated(const QPolygonF& line) {
  if (line.size() < 8) return line;
  QPolygonF out;
  out.reserve(line.size());
  qsizetype from = 0;
  while (from < line.size()) {
    const double column = std::floor(line[from].x());
    qsizetype to = from, low = from, high = from;
    while (to + 1 < line.size() && std::floor(line[to + 1].x()) == column) {
      ++to;
      if (line[to].y() < line[low].y()) low = to;
      if (line[to].y() > line[high].y()) high = to;
    }
    for (const qsizetype k : {from, std::min(low, high), std::max(low, high), to}) {
      if (out.isEmpty() || out.back() != line[k]) out << line[k];
    }
    from = to + 1;
  }
  return out;
}

}  // namespace

ResponseChart::ResponseChart(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("responseChart"));
  setAccessibleName(QStringLiteral("Frequency response"));
  setBackgroundRole(QPalette::Base);
  setAutoFillBackground(true);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
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
  update();
}

void ResponseChart::SetData(const ResponseData& d) {
  const bool same_range = !data_.frequencies.empty() && !d.frequencies.empty() &&
                          data_.frequencies.front() == d.frequencies.front() &&
                          data_.frequencies.back() == d.frequencies.back();
  if (!same_range) zoom_.reset();
  data_ = d;
  update();
}

void ResponseChart::ResetZoom() {
  zoom_.reset();
  update();
}

std::pair<double, double> ResponseChart::ShownRange() const {
  if (zoom_) return *zoom_;
  if (data_.frequencies.empty()) return {0.0, 1.0};
  return {data_.frequencies.front(), data_.frequencies.back()};
}

ResponseChart::Axes ResponseChart::AxesFor(const QRectF& area) const {
  Axes a;
  const QFontMetricsF fm(font());
  const double line = fm.height();
  a.plot = area.adjusted(line * 4, line, -line, -line * 4.2);
  std::tie(a.lo, a.hi) = ShownRange();
  if (!(a.hi > a.lo)) a.hi = a.lo + 1.0;
  std::tie(a.scale, a.unit) = Unit(a.hi);
  const std::optional<rf::Response>* curves[] = {&data_.ideal, &data_.standard, &data_.built,
                                                 &data_.bare};
  double top = plot_ == ResponsePlot::kReturnLoss ? 20.0 : plot_ == ResponsePlot::kVswr ? 3.0 : 1.0;
  for (const auto* c : curves) {
    if (!*c) continue;
    for (std::size_t k = 0; k < (*c)->vswr.size() && k < data_.frequencies.size(); ++k) {
      top = std::max(top, Plotted(**c, k));
    }
  }
  switch (plot_) {
    case ResponsePlot::kReturnLoss:
      a.top = std::min(kTopDb, std::ceil(top / 10) * 10);
      break;
    case ResponsePlot::kVswr:
      a.bottom = 1.0;
      a.top = std::min(kTopVswr, std::ceil(top));
      break;
    case ResponsePlot::kGamma:
      a.top = 1.0;
      break;
    case ResponsePlot::kInsertionLoss:
      a.top = std::min(kTopLossDb, std::max(1.0, std::ceil(top)));
      break;
  }
  return a;
}

bool ResponseChart::ShowsOptimisedBand() const {
  return std::any_of(data_.optimised.begin(), data_.optimised.end(),
                     [](const rf::ResponseView::Span& s) { return s.high > s.low; });
}

bool ResponseChart::ShowsBodeFano() const {
  return plot_ != ResponsePlot::kInsertionLoss &&
         std::any_of(data_.optimised.begin(), data_.optimised.end(),
                     [](const rf::ResponseView::Span& s) {
                       return s.high > s.low && s.bode_fano_db.has_value();
                     });
}

void ResponseChart::Render(QPainter& p, const QRectF& area) const {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(area, palette().color(QPalette::Base));
  const bool dark = IsDark(palette());
  const QColor text = palette().color(QPalette::Text);
  const Axes a = AxesFor(area);
  p.setFont(font());
  const QFontMetricsF fm(font());
  // Grid, ticks and titles.
  p.setPen(QPen(Faded(text, 0.15), 1.0));
  const std::vector<double> xt = Ticks(a.lo / a.scale, a.hi / a.scale);
  const std::vector<double> yt = Ticks(a.bottom, a.top);
  for (const double t : xt) p.drawLine(a.At(t * a.scale, a.bottom), a.At(t * a.scale, a.top));
  for (const double t : yt) p.drawLine(a.At(a.lo, t), a.At(a.hi, t));
  p.setPen(text);
  for (const double t : xt) {
    const QString label = QString::number(t, 'g', 6);
    const QPointF at = a.At(t * a.scale, a.bottom);
    p.drawText(QRectF(at.x() - 40, at.y() + 3, 80, fm.height()), Qt::AlignHCenter, label);
  }
  for (const double t : yt) {
    const QPointF at = a.At(a.lo, t);
    p.drawText(QRectF(at.x() - 46, at.y() - fm.height() / 2, 42, fm.height()), Qt::AlignRight,
               QString::number(t, 'g', 4));
  }
  p.drawText(
      QRectF(a.plot.left(), a.plot.bottom() + fm.height() * 1.2, a.plot.width(), fm.height()),
      Qt::AlignHCenter, QStringLiteral("Frequency (%1)").arg(a.unit));
  p.save();
  p.translate(area.left() + fm.height() * 0.2, a.plot.center().y());
  p.rotate(-90);
  p.drawText(QRectF(-a.plot.height() / 2, 0, a.plot.height(), fm.height()), Qt::AlignHCenter,
             QString::fromUtf8(kTitles[static_cast<int>(plot_)]));
  p.restore();
  p.setPen(QPen(Faded(text, 0.6), 1.0));
  p.drawRect(a.plot);

  p.save();
  p.setClipRect(a.plot);
  // The bands: VSWR <= 2 around the design frequency, and the band optimised over.
  QColor shade = dark ? QColor(255, 210, 80) : QColor(255, 190, 40);
  const auto shade_band = [&](double lo, double hi, QColor c) {
    p.fillRect(QRectF(a.At(lo, a.top), a.At(hi, a.bottom)).normalized(), c);
  };
  if (data_.band) {
    shade_band(data_.band_low.value_or(a.lo), data_.band_high.value_or(a.hi), Faded(shade, 0.25));
  }
  QColor optimised = dark ? QColor(120, 170, 255) : QColor(60, 110, 220);
  for (const rf::ResponseView::Span& s : data_.optimised) {
    if (s.high > s.low) shade_band(s.low, s.high, Faded(optimised, 0.15));
  }
  // The bands to reject, hatched in red.
  const QColor rejected = dark ? QColor(255, 120, 110) : QColor(210, 50, 40);
  for (const rf::ResponseView::Span& s : data_.rejected) {
    const QRectF r =
        QRectF(a.At(s.low, a.top), a.At(std::max(s.high, s.low), a.bottom)).normalized();
    p.fillRect(r, Faded(rejected, 0.12));
    p.fillRect(r, QBrush(Faded(rejected, 0.45), Qt::BDiagPattern));
  }
  // VSWR 2 and the Bode-Fano limit, in the plot's own terms.
  const auto in_terms = [&](double gamma) {
    switch (plot_) {
      case ResponsePlot::kReturnLoss:
        return -20 * std::log10(gamma);
      case ResponsePlot::kVswr:
        return (1 + gamma) / (1 - gamma);
      case ResponsePlot::kGamma:
        break;
      case ResponsePlot::kInsertionLoss:
        return 0.0;
    }
    return gamma;
  };
  if (plot_ != ResponsePlot::kInsertionLoss) {
    const double y = in_terms(1.0 / 3.0);
    p.setPen(QPen(shade.darker(150), 1.0, Qt::DashLine));
    p.drawLine(a.At(a.lo, y), a.At(a.hi, y));
  }
  if (ShowsBodeFano()) {
    p.setPen(QPen(optimised, 2.0, Qt::DashDotLine));
    for (const rf::ResponseView::Span& s : data_.optimised) {
      if (!(s.high > s.low) || !s.bode_fano_db) continue;
      const double y = std::clamp(in_terms(std::pow(10.0, -*s.bode_fano_db / 20)), a.bottom, a.top);
      p.drawLine(a.At(s.low, y), a.At(s.high, y));
    }
  }
  // Where 90 % of the builds within the tolerances lie.
  QColor spread = ColourOf(Shown::kBuilt, dark);
  spread.setAlphaF(0.22);
  if (data_.envelope && plot_ != ResponsePlot::kInsertionLoss) {
    const auto y_of = [&](const std::optional<double>& db) {
      return std::clamp(in_terms(db ? std::pow(10.0, -*db / 20) : 0.0), a.bottom, a.top);
    };
    QPolygonF builds;
    const std::size_t n = std::min(data_.frequencies.size(), data_.envelope->low_db.size());
    for (std::size_t k = 0; k < n; ++k) {
      builds << a.At(data_.frequencies[k], y_of(data_.envelope->high_db[k]));
    }
    for (std::size_t k = n; k-- > 0;) {
      builds << a.At(data_.frequencies[k], y_of(data_.envelope->low_db[k]));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(spread);
    p.drawPolygon(builds);
  }
  // The curves.
  constexpr Shown kShown[] = {Shown::kIdeal, Shown::kStandard, Shown::kBuilt, Shown::kBare};
  const std::optional<rf::Response>* curves[] = {&data_.ideal, &data_.standard, &data_.built,
                                                 &data_.bare};
  for (int i = 3; i >= 0; --i) {
    if (!*curves[i]) continue;
    QPolygonF line;
    for (std::size_t k = 0; k < data_.frequencies.size() && k < (*curves[i])->vswr.size(); ++k) {
      line << a.At(data_.frequencies[k], Plotted(**curves[i], k));
    }
    p.setPen(QPen(ColourOf(kShown[i], dark), kShown[i] == Shown::kBare ? 1.5 : 2.0));
    p.drawPolyline(Decimated(line));
  }
  p.restore();

  // The legend, one row below the axis title.
  struct Entry {
    QString name;
    QColor colour;
    bool area;
  };
  std::vector<Entry> entries;
  if (data_.band) entries.push_back({QStringLiteral("VSWR \u2264 2"), Faded(shade, 0.5), true});
  if (ShowsOptimisedBand()) {
    entries.push_back({data_.optimised.size() > 1 ? QStringLiteral("Optimised bands")
                                                  : QStringLiteral("Optimised band"),
                       Faded(optimised, 0.35), true});
  }
  if (!data_.rejected.empty())
    entries.push_back({QStringLiteral("Rejected"), Faded(rejected, 0.45), true});
  for (int i = 0; i < 4; ++i) {
    if (*curves[i])
      entries.push_back({QString::fromLatin1(kCurveNames[i]), ColourOf(kShown[i], dark), false});
  }
  if (ShowsBodeFano())
    entries.push_back({QStringLiteral("Bode\u2013Fano limit"), optimised, false});
  if (data_.envelope && plot_ != ResponsePlot::kInsertionLoss)
    entries.push_back({QStringLiteral("90 % of builds"), spread, true});
  double width = 0;
  for (const Entry& e : entries) width += fm.horizontalAdvance(e.name) + fm.height() * 2;
  QPointF at(a.plot.center().x() - width / 2, a.plot.bottom() + fm.height() * 2.6);
  for (const Entry& e : entries) {
    const QRectF swatch(at.x(), at.y() + fm.height() * 0.25, fm.height() * 0.8, fm.height() * 0.5);
    if (e.area) {
      p.fillRect(swatch, e.colour);
    } else {
      p.setPen(QPen(e.colour, 2.0));
      p.drawLine(QPointF(swatch.left(), swatch.center().y()),
                 QPointF(swatch.right(), swatch.center().y()));
    }
    p.setPen(text);
    p.drawText(QPointF(swatch.right() + fm.height() * 0.3, at.y() + fm.ascent()), e.name);
    at.rx() += fm.horizontalAdvance(e.name) + fm.height() * 2;
  }
  p.restore();
}

}  // namespace vorda::designer
