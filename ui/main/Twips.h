// The window is laid out in twips: 1440 per inch, 15 per logical pixel.
#pragma once

#include <QPointF>
#include <QRect>

namespace vorda::ui {

inline constexpr int kTwipsPerPixel = 15;

// Logical pixels of a twip length, rounded to the nearest pixel.
constexpr int Px(int twips) {
  return (2 * twips + kTwipsPerPixel) / (2 * kTwipsPerPixel);
}

// Exact logical pixels, for drawing.
constexpr double PxF(double twips) {
  return twips / kTwipsPerPixel;
}

inline QRect TwipRect(int left, int top, int width, int height) {
  return {Px(left), Px(top), Px(width), Px(height)};
}

}  // namespace vorda::ui
