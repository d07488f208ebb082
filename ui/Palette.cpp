#include "Palette.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QWidget>

namespace vorda::ui {

void KeepReadablePalette(QWidget* window) {
  const QPalette desktop = QApplication::palette(window);
  if (desktop.color(QPalette::Button).lightness() < 128) {
    window->setPalette(window->style()->standardPalette());
  } else {
    window->setPalette(QPalette());  // inherit the desktop's palette
  }
}

}  // namespace vorda::ui
