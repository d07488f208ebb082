#include "ui/main/RegionDiagram.h"

#include <QPainter>
#include <QPainterPath>
#include <numbers>

#include "engine/Module1.h"
#include "ui/main/Twips.h"

namespace vorda::ui {

namespace {

// The angles are computed with the program's pi and one degree as pi / 180,
// and handed over in single precision, as radians.
constexpr double kDegree = Module1::kPi / 180.0;
constexpr float kUpperStart = static_cast<float>(1 * kDegree);
constexpr float kUpperEnd = static_cast<float>(Module1::kPi);
constexpr float kLowerStart = static_cast<float>(179 * kDegree);
constexpr float kLowerEnd = static_cast<float>(2 * Module1::kPi);

// Radians to the degrees of the drawing operation.
constexpr double Degrees(float radians) {
  return radians * 180.0 / std::numbers::pi;
}

}  // namespace

RegionDiagram::RegionDiagram(QRect area, qreal device_pixel_ratio, QColor background)
    : area_(area), image_(area.size() * device_pixel_ratio, QImage::Format_ARGB32_Premultiplied) {
  image_.setDevicePixelRatio(device_pixel_ratio);
  image_.fill(background);
}

void RegionDiagram::Pie(const Circle& circle, Sector sector, QColor fill) {
  const float start = sector == Sector::kUpper ? kUpperStart : kLowerStart;
  const float end = sector == Sector::kUpper ? kUpperEnd : kLowerEnd;
  const QPointF centre(PxF(circle.x) - area_.left(), PxF(circle.y) - area_.top());
  const double r = PxF(circle.radius);
  const QRectF bounds(centre.x() - r, centre.y() - r, 2 * r, 2 * r);

  QPainterPath slice;
  slice.moveTo(centre);
  slice.arcTo(bounds, Degrees(start), Degrees(end) - Degrees(start));
  slice.closeSubpath();

  QPainter painter(&image_);
  // No antialiasing: painting a sector over itself changes no pixel, so a
  // diagram looks the same whatever was drawn before it.
  painter.setPen(QPen(Qt::black, 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
  painter.setBrush(fill);
  painter.drawPath(slice);
}

void RegionDiagram::SetDevicePixelRatio(qreal ratio) {
  if (qFuzzyCompare(image_.devicePixelRatio(), ratio)) return;
  QImage scaled =
      image_.scaled(area_.size() * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  scaled.setDevicePixelRatio(ratio);
  image_ = scaled;
}

}  // namespace vorda::ui
