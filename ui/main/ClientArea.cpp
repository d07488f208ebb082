#include "ui/main/ClientArea.h"

#include <QPainter>

#include "ui/main/Twips.h"

namespace vorda::ui {

namespace {
// 10830 x 7890 twips.
constexpr int kClientWidth = 10830;
constexpr int kClientHeight = 7890;
// The diagram occupies x 7665..10665 and y 110..3110; the surface holds it
// with the outline's half pixel on every side.
const QRect kDiagramArea(Px(7665) - 1, Px(110) - 1, Px(3000) + 3, Px(3000) + 3);
}  // namespace

ClientArea::ClientArea(QWidget* parent) : QWidget(parent) {
  setBackgroundRole(QPalette::Button);
  setAutoFillBackground(true);
  diagram_ = std::make_unique<RegionDiagram>(kDiagramArea, devicePixelRatioF(),
                                             palette().color(QPalette::Button));
}

QSize ClientArea::sizeHint() const {
  return {Px(kClientWidth), Px(kClientHeight)};
}

void ClientArea::paintEvent(QPaintEvent* /*event*/) {
  diagram_->SetDevicePixelRatio(devicePixelRatioF());
  QPainter painter(this);
  painter.drawImage(diagram_->Area().topLeft(), diagram_->Image());
  if (!painted_) {
    painted_ = true;
    emit FirstPaint();
  }
}

}  // namespace vorda::ui
