// The main window's client area: button-face background with the region
// diagram's retained surface painted on it.
#pragma once

#include <QWidget>
#include <memory>

#include "ui/main/RegionDiagram.h"

namespace vorda::ui {

class ClientArea : public QWidget {
  Q_OBJECT

 public:
  explicit ClientArea(QWidget* parent);

  RegionDiagram& Diagram() { return *diagram_; }
  QSize sizeHint() const override;

 signals:
  void FirstPaint();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::unique_ptr<RegionDiagram> diagram_;
  bool painted_ = false;
};

}  // namespace vorda::ui
