// The colours both charts give what they show, so that a curve of the
// response and its way on the Smith chart match, in a light or dark palette.
#pragma once

#include <QColor>
#include <QPalette>

namespace vorda::designer {

enum class Shown { kIdeal, kStandard, kBuilt, kBare, kLoad };

// A colour let through by its alpha.
inline QColor Faded(QColor c, double alpha) {
  c.setAlphaF(static_cast<float>(alpha));
  return c;
}

inline bool IsDark(const QPalette& palette) {
  return palette.color(QPalette::Base).lightness() < 128;
}

inline QColor ColourOf(Shown what, bool dark) {
  switch (what) {
    case Shown::kIdeal:
      return dark ? QColor(100, 180, 255) : QColor(31, 90, 180);
    case Shown::kStandard:
      return dark ? QColor(110, 220, 110) : QColor(30, 140, 40);
    case Shown::kBuilt:
      return dark ? QColor(230, 140, 255) : QColor(148, 60, 170);
    case Shown::kBare:
      return dark ? QColor(200, 200, 200) : QColor(90, 90, 90);
    case Shown::kLoad:
      break;
  }
  return dark ? QColor(255, 140, 60) : QColor(214, 39, 40);
}

}  // namespace vorda::designer
