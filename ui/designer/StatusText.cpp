#include "ui/designer/StatusText.h"

namespace vorda::designer {

void StatusText::SetMessage(const QString& message) {
  message_ = message;
  setToolTip(message);
  Elide();
}

void StatusText::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  Elide();
}

void StatusText::Elide() {
  setText(fontMetrics().elidedText(message_, Qt::ElideRight, std::max(contentsRect().width(), 1)));
}

}  // namespace vorda::designer
