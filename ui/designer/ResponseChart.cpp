#include "ui/designer/ResponseChart.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "ui/designer/ChartColours.h"
#include "ui/designer/ResponseLegend.h"
#include "ui/designer/ResponseMarks.h"

namespace vorda::designer {

namespace {

constexpr double kTopVswr = 10.0;
constexpr double kTopLossDb = 40.0;
const char* const kTitles[] = {"Return loss (dB)", "VSWR", "|\u0393|", "Insertion loss (dB)"};

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
  const int rows = LegendRows(Legend(false), fm, area.width() - line * 2);
  a.plot = area.adjusted(line * 4, line, -line, -line * (4.2 + 1.2 * (rows - 1)));
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

std::vector<LegendEntry> ResponseChart::Legend(bool dark) const {
  return LegendOf(data_, ShowsBodeFano(), data_.envelope && plot_ != ResponsePlot::kInsertionLoss,
                  dark);
}

std::vector<QRectF> ResponseChart::LegendAt(const std::vector<LegendEntry>& entries,
                                            const QRectF& area, const Axes& a) const {
  const QFontMetricsF fm(font());
  return LegendLayout(entries, fm, area.left() + fm.height(), area.width() - fm.height() * 2,
                      a.plot.bottom() + fm.height() * 2.6);
}

std::vector<QRectF> ResponseChart::LegendRects(const QRectF& area) const {
  return LegendAt(Legend(false), area, AxesFor(area));
}

std::optional<QString> ResponseChart::BodeFanoLabel() const {
  if (!ShowsBodeFano() || plot_ != ResponsePlot::kReturnLoss) return std::nullopt;
  const Axes a = AxesFor(QRectF(rect()));
  const auto above = std::find_if(
      data_.optimised.begin(), data_.optimised.end(), [&](const rf::ResponseView::Span& s) {
        return s.high > s.low && s.bode_fano_db && *s.bode_fano_db > a.top;
      });
  if (above == data_.optimised.end()) return std::nullopt;
  return BodeFanoBeyond(*above->bode_fano_db, true);
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
  // The bands: VSWR <= 2 around the design frequency as a strip along the
  // bottom, the bands optimised over (with their edges) and those to reject
  // (hatched) along the top.
  const QColor shade = VswrShade(dark), optimised = OptimisedColour(dark);
  const QColor rejected = RejectedColour(dark);
  const double strip = fm.height() * 0.45;
  const auto span_of = [&](double lo, double hi) {
    return QRectF(a.At(lo, a.top), a.At(std::max(hi, lo), a.bottom)).normalized();
  };
  if (data_.band) {
    const QRectF r = span_of(data_.band_low.value_or(a.lo), data_.band_high.value_or(a.hi));
    p.fillRect(QRectF(r.left(), r.bottom() - strip, r.width(), strip), Faded(shade, 0.8));
  }
  for (const rf::ResponseView::Span& s : data_.optimised) {
    if (!(s.high > s.low)) continue;
    const QRectF r = span_of(s.low, s.high);
    p.fillRect(QRectF(r.left(), r.top(), r.width(), strip), Faded(optimised, 0.6));
    p.setPen(QPen(Faded(optimised, 0.7), 1.0, Qt::DotLine));
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.drawLine(r.topRight(), r.bottomRight());
  }
  for (const rf::ResponseView::Span& s : data_.rejected) {
    const QRectF r = span_of(s.low, s.high);
    p.fillRect(r, QBrush(Faded(rejected, 0.45), Qt::BDiagPattern));
    p.fillRect(QRectF(r.left(), r.top(), r.width(), strip), Faded(rejected, 0.6));
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
  // A limit beyond the axis is written there, not drawn on the edge.
  if (ShowsBodeFano()) {
    for (const rf::ResponseView::Span& s : data_.optimised) {
      if (!(s.high > s.low) || !s.bode_fano_db) continue;
      const double y = in_terms(std::pow(10.0, -*s.bode_fano_db / 20));
      if (y > a.top || y < a.bottom) {
        // Centred on its band, and whole within the plot where the band is narrow.
        const QString label = BodeFanoBeyond(*s.bode_fano_db, y > a.top);
        const QRectF r = span_of(s.low, s.high);
        const double w = fm.horizontalAdvance(label) + 6;
        QRectF box(r.center().x() - w / 2,
                   y > a.top ? r.top() + strip + 2 : r.bottom() - strip - 2 - fm.height(), w,
                   fm.height());
        box.moveLeft(std::clamp(box.left(), a.plot.left() + 2, a.plot.right() - 2 - w));
        p.setPen(optimised);
        p.drawText(box, Qt::AlignCenter, label);
        continue;
      }
      p.setPen(QPen(optimised, 2.0, Qt::DashDotLine));
      p.drawLine(a.At(s.low, y), a.At(s.high, y));
    }
  }
  // Where 90 % of the builds within the tolerances lie.
  const QColor spread = SpreadColour(dark);
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

  // The legend, below the axis title.
  const std::vector<LegendEntry> entries = Legend(dark);
  PaintLegend(p, entries, LegendAt(entries, area, a), fm, text);
  p.restore();
}

}  // namespace vorda::designer
