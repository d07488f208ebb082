// Helpers of the window tests: a message-box recorder and the offscreen
// platform.
#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <string>
#include <vector>

#include "MessageBoxes.h"

namespace vorda::ui::testing {

struct RecordedBox {
  std::string prompt;
  MsgStyle style;
  std::string title;
};

// Records every box instead of showing it, so no test blocks on a modal box.
class RecordingBoxes : public MessageBoxes {
 public:
  void MsgBox(const std::string& prompt, MsgStyle style, const std::string& title) override {
    boxes.push_back({prompt, style, title});
  }
  std::vector<RecordedBox> boxes;
};

// The colour of a grabbed image at a point in twips of the client area.
inline QColor ColourAtTwips(const QImage& image, int x, int y) {
  const double ratio = image.devicePixelRatio();
  return image.pixelColor(
      QPoint(static_cast<int>(x / 15.0 * ratio), static_cast<int>(y / 15.0 * ratio)));
}

}  // namespace vorda::ui::testing
