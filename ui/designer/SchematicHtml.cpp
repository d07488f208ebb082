#include "ui/designer/SchematicHtml.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>

#include "rf/circuit/NetworkText.h"

namespace vorda::designer {

namespace {

// An <img> of the ground symbol: a lead down from the top, then three bars,
// each shorter, in the width and height of one character of the font.
QString GroundImage() {
  const QFontMetrics metrics(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  const int w = std::max(6, metrics.horizontalAdvance(QLatin1Char('M')));
  const int h = std::max(8, metrics.height());
  QImage image(w, h, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  {
    QPainter p(&image);
    p.setPen(QPen(Qt::black, 1));
    const int x = w / 2;
    const int top = h * 2 / 5;
    p.drawLine(x, 0, x, top);
    for (int i = 0; i < 3; ++i) {
      const int half = std::max(0, (w - 1) / 2 - i * w / 6);
      const int y = top + i * std::max(2, h / 8);
      p.drawLine(x - half, y, x + half, y);
    }
  }
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return QStringLiteral("<img src=\"data:image/png;base64,%1\" width=\"%2\" height=\"%3\">")
      .arg(QString::fromLatin1(png.toBase64()))
      .arg(w)
      .arg(h);
}

}  // namespace

QString SchematicHtml(const rf::Network& network) {
  static const QString ground = GroundImage();
  QString text = QString::fromStdString(rf::SchematicText(network)).toHtmlEscaped();
  text.replace(QChar(0x23da), ground);
  return QStringLiteral("<pre>%1</pre>").arg(text);
}

}  // namespace vorda::designer
