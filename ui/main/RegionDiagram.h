// The retained drawing surface of the region diagram: a small Smith chart
// painted as filled, outlined pie slices. Sectors paint over what is already
// there, and what they leave keeps its colour, across repaints of the window.
#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>

namespace vorda::ui {

// Circles in twips of the window's client area.
struct Circle {
  int x;
  int y;
  int radius;
};
inline constexpr Circle kOuterCircle{9165, 1610, 1500};
inline constexpr Circle kRightCircle{9915, 1610, 750};  // normalized resistance 1
inline constexpr Circle kLeftCircle{8415, 1610, 750};   // normalized conductance 1

// Upper sector: 1 to 180 degrees; lower sector: 179 to 360 degrees, measured
// counter-clockwise from 3 o'clock.
enum class Sector { kUpper, kLower };

class RegionDiagram {
 public:
  // The surface covers `area` (logical pixels of the client area) at the given
  // device pixel ratio, and starts out in the background colour.
  RegionDiagram(QRect area, qreal device_pixel_ratio, QColor background);

  // Paints one sector of a circle: filled solid, outlined in black.
  void Pie(const Circle& circle, Sector sector, QColor fill);

  // Redraws the surface for another device pixel ratio, keeping its picture.
  void SetDevicePixelRatio(qreal ratio);

  QRect Area() const { return area_; }
  const QImage& Image() const { return image_; }

 private:
  QRect area_;
  QImage image_;
};

}  // namespace vorda::ui
