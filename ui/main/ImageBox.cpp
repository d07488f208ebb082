#include "ui/main/ImageBox.h"

#include <QPainter>

namespace vorda::ui {

void ImageBox::SetPicture(const QImage& picture) {
  picture_ = picture;
  update();
}

void ImageBox::paintEvent(QPaintEvent* /*event*/) {
  if (picture_.isNull()) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(rect(), picture_);
}

}  // namespace vorda::ui
