#include "ui/designer/SvgDocument.h"

#include <QBuffer>
#include <QImage>
#include <QPaintEngine>
#include <QPainterPath>
#include <QTextItem>
#include <QXmlStreamWriter>

namespace vorda::designer {

namespace {

QString Number(double v) {
  return QString::number(v, 'g', 6);
}

// The path's data: M, L, C and Z in device coordinates.
QString PathData(const QPainterPath& path) {
  QString d;
  for (int i = 0; i < path.elementCount(); ++i) {
    const QPainterPath::Element e = path.elementAt(i);
    switch (e.type) {
      case QPainterPath::MoveToElement:
        d += QStringLiteral("M%1 %2").arg(Number(e.x), Number(e.y));
        break;
      case QPainterPath::LineToElement:
        d += QStringLiteral("L%1 %2").arg(Number(e.x), Number(e.y));
        break;
      case QPainterPath::CurveToElement: {
        const QPainterPath::Element c2 = path.elementAt(i + 1);
        const QPainterPath::Element end = path.elementAt(i + 2);
        d += QStringLiteral("C%1 %2 %3 %4 %5 %6")
                 .arg(Number(e.x), Number(e.y), Number(c2.x), Number(c2.y), Number(end.x),
                      Number(end.y));
        i += 2;
        break;
      }
      case QPainterPath::CurveToDataElement:
        break;
    }
  }
  return d;
}

QString Colour(const QColor& c) {
  return c.name(QColor::HexRgb);
}

}  // namespace

// Writes each thing painted as an element, as it is painted.
class SvgEngine : public QPaintEngine {
 public:
  SvgEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

  bool begin(QPaintDevice* /*device*/) override {
    body_.clear();
    defs_.clear();
    clips_ = 0;
    clip_id_.clear();
    return true;
  }
  bool end() override { return true; }
  Type type() const override { return QPaintEngine::User; }

  void updateState(const QPaintEngineState& state) override {
    const QPaintEngine::DirtyFlags flags = state.state();
    if (flags & DirtyPen) pen_ = state.pen();
    if (flags & DirtyBrush) brush_ = state.brush();
    if (flags & DirtyTransform) transform_ = state.transform();
    if (flags & DirtyOpacity) opacity_ = state.opacity();
    if (flags & DirtyFont) font_ = state.font();
    if (flags & (DirtyClipPath | DirtyClipRegion | DirtyClipEnabled)) {
      if (!state.isClipEnabled() || state.clipOperation() == Qt::NoClip) {
        clip_id_.clear();
      } else {
        const QPainterPath clip = painter()->clipPath() * painter()->transform();
        clip_id_ = QStringLiteral("clip%1").arg(++clips_);
        defs_ += QStringLiteral("<clipPath id=\"%1\"><path d=\"%2\"/></clipPath>\n")
                     .arg(clip_id_, PathData(clip));
      }
    }
  }

  void drawPath(const QPainterPath& path) override { Emit(path * transform_, true); }
  void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
    QPainterPath path;
    path.moveTo(points[0]);
    for (int i = 1; i < count; ++i) path.lineTo(points[i]);
    if (mode != PolylineMode) path.closeSubpath();
    path.setFillRule(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
    Emit(path * transform_, mode != PolylineMode);
  }
  void drawPolygon(const QPoint* points, int count, PolygonDrawMode mode) override {
    QPolygonF f;
    for (int i = 0; i < count; ++i) f << points[i];
    drawPolygon(f.constData(), count, mode);
  }
  void drawLines(const QLineF* lines, int count) override {
    QPainterPath path;
    for (int i = 0; i < count; ++i) {
      path.moveTo(lines[i].p1());
      path.lineTo(lines[i].p2());
    }
    Emit(path * transform_, false);
  }
  void drawRects(const QRectF* rects, int count) override {
    QPainterPath path;
    for (int i = 0; i < count; ++i) path.addRect(rects[i]);
    Emit(path * transform_, true);
  }
  void drawEllipse(const QRectF& rect) override {
    QPainterPath path;
    path.addEllipse(rect);
    Emit(path * transform_, true);
  }
  void drawTextItem(const QPointF& at, const QTextItem& item) override {
    // Moved text is placed where it lands; turned or scaled text (an axis
    // title) keeps its own coordinates under the matrix, inside a group that
    // carries the clip, which is in the page's coordinates.
    const bool moved_only = transform_.type() <= QTransform::TxTranslate;
    const QPointF p = moved_only ? transform_.map(at) : at;
    const QString matrix = moved_only ? QString()
                                      : QStringLiteral(" transform=\"matrix(%1 %2 %3 %4 %5 %6)\"")
                                            .arg(Number(transform_.m11()), Number(transform_.m12()),
                                                 Number(transform_.m21()), Number(transform_.m22()),
                                                 Number(transform_.dx()), Number(transform_.dy()));
    const QFont f = item.font();
    const double px = f.pixelSize() > 0 ? f.pixelSize() : f.pointSizeF() * 96.0 / 72.0;
    QString escaped = item.text().toHtmlEscaped();
    body_ += QStringLiteral(
                 "<g%1><text x=\"%2\" y=\"%3\" font-family=\"%4\" font-size=\"%5\"%6 "
                 "fill=\"%7\" fill-opacity=\"%8\"%9>")
                 .arg(ClipAttribute(), Number(p.x()), Number(p.y()), f.family().toHtmlEscaped(),
                      Number(px), f.bold() ? QStringLiteral(" font-weight=\"bold\"") : QString(),
                      Colour(pen_.color()), Number(pen_.color().alphaF() * opacity_), matrix) +
             escaped + QStringLiteral("</text></g>\n");
  }
  void drawPixmap(const QRectF& r, const QPixmap& pm, const QRectF& sr) override {
    drawImage(r, pm.toImage(), sr, Qt::AutoColor);
  }
  void drawImage(const QRectF& r, const QImage& image, const QRectF& sr,
                 Qt::ImageConversionFlags /*flags*/) override {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.copy(sr.toRect()).save(&buffer, "PNG");
    const QRectF to = transform_.mapRect(r);
    body_ += QStringLiteral(
                 "<image x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\"%5 "
                 "href=\"data:image/png;base64,%6\"/>\n")
                 .arg(Number(to.x()), Number(to.y()), Number(to.width()), Number(to.height()),
                      ClipAttribute(), QString::fromLatin1(png.toBase64()));
  }

  QString body_;
  QString defs_;

 private:
  QString ClipAttribute() const {
    return clip_id_.isEmpty() ? QString() : QStringLiteral(" clip-path=\"url(#%1)\"").arg(clip_id_);
  }

  // A path with the pen's stroke and, when filled, the brush.
  void Emit(const QPainterPath& path, bool filled) {
    QString style;
    if (filled && brush_.style() == Qt::SolidPattern) {
      style += QStringLiteral(" fill=\"%1\" fill-opacity=\"%2\"")
                   .arg(Colour(brush_.color()), Number(brush_.color().alphaF() * opacity_));
      if (path.fillRule() == Qt::OddEvenFill) style += QStringLiteral(" fill-rule=\"evenodd\"");
    } else {
      style += QStringLiteral(" fill=\"none\"");
    }
    if (pen_.style() != Qt::NoPen) {
      const double width = pen_.widthF() > 0 ? pen_.widthF() : 1.0;
      style +=
          QStringLiteral(" stroke=\"%1\" stroke-opacity=\"%2\" stroke-width=\"%3\"")
              .arg(Colour(pen_.color()), Number(pen_.color().alphaF() * opacity_), Number(width));
      if (pen_.style() != Qt::SolidLine) {
        QStringList dashes;
        for (const double d : pen_.dashPattern()) dashes << Number(d * width);
        style += QStringLiteral(" stroke-dasharray=\"%1\"").arg(dashes.join(','));
      }
      if (pen_.capStyle() == Qt::RoundCap) style += QStringLiteral(" stroke-linecap=\"round\"");
      if (pen_.joinStyle() == Qt::RoundJoin) style += QStringLiteral(" stroke-linejoin=\"round\"");
    }
    body_ += QStringLiteral("<path d=\"%1\"%2%3/>\n").arg(PathData(path), style, ClipAttribute());
  }

  QPen pen_;
  QBrush brush_;
  QTransform transform_;
  double opacity_ = 1.0;
  QFont font_;
  int clips_ = 0;
  QString clip_id_;
};

SvgDocument::SvgDocument(QSize size, QString title)
    : size_(size), title_(std::move(title)), engine_(std::make_unique<SvgEngine>()) {}

SvgDocument::~SvgDocument() = default;

QPaintEngine* SvgDocument::paintEngine() const {
  return engine_.get();
}

int SvgDocument::metric(PaintDeviceMetric metric) const {
  switch (metric) {
    case PdmWidth:
      return size_.width();
    case PdmHeight:
      return size_.height();
    case PdmWidthMM:
      return qRound(size_.width() * 25.4 / 96);
    case PdmHeightMM:
      return qRound(size_.height() * 25.4 / 96);
    case PdmNumColors:
      return 0xffffff;
    case PdmDepth:
      return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
      return 96;
    case PdmDevicePixelRatio:
      return 1;
    case PdmDevicePixelRatioScaled:
      return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
  }
  return 0;
}

QByteArray SvgDocument::Bytes() const {
  QString out = QStringLiteral(
                    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                    "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"%1\" "
                    "height=\"%2\" viewBox=\"0 0 %1 %2\">\n<title>%3</title>\n")
                    .arg(size_.width())
                    .arg(size_.height())
                    .arg(title_.toHtmlEscaped());
  if (!engine_->defs_.isEmpty())
    out += QStringLiteral("<defs>\n") + engine_->defs_ + QStringLiteral("</defs>\n");
  out += engine_->body_;
  out += QStringLiteral("</svg>\n");
  return out.toUtf8();
}

}  // namespace vorda::designer
