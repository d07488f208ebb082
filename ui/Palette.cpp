#include "ui/Palette.h"

#include <QApplication>
#include <QEvent>
#include <QPalette>
#include <QStyle>
#include <QWidget>

namespace vorda::ui {

namespace {

void ApplyReadablePalette(QWidget* window) {
  const QPalette desktop = QApplication::palette(window);
  if (desktop.color(QPalette::Button).lightness() < 128) {
    window->setPalette(window->style()->standardPalette());
  } else {
    window->setPalette(QPalette());  // inherit the desktop's palette
  }
}

// Applies the readable palette again when the desktop's palette changes.
class PaletteFollower : public QObject {
 public:
  explicit PaletteFollower(QWidget* window) : QObject(window) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ApplicationPaletteChange && watched == parent()) {
      ApplyReadablePalette(static_cast<QWidget*>(watched));
    }
    return false;
  }
};

}  // namespace

void KeepReadablePalette(QWidget* window) {
  ApplyReadablePalette(window);
  window->installEventFilter(new PaletteFollower(window));
}

}  // namespace vorda::ui
