// A picture in SVG: a paint device that writes what is painted on it as the
// elements of an SVG document (paths, text, embedded images), with their
// pens, brushes, transparency and clipping. Enough for the designer's
// charts, drawn as vectors; no gradients or patterns.
#pragma once

#include <QPaintDevice>
#include <QString>
#include <memory>

class QPaintEngine;

namespace vorda::designer {

class SvgEngine;

class SvgDocument : public QPaintDevice {
 public:
  SvgDocument(QSize size, QString title);
  ~SvgDocument() override;

  // The whole document, once the painter on it has ended.
  QByteArray Bytes() const;

  QPaintEngine* paintEngine() const override;

 protected:
  int metric(PaintDeviceMetric metric) const override;

 private:
  QSize size_;
  QString title_;
  std::unique_ptr<SvgEngine> engine_;
};

}  // namespace vorda::designer
