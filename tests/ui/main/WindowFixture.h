// What the main window's tests share: a fresh window per test with its boxes
// recorded, and ways to read what it shows.
#pragma once

#include <QColor>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <QPoint>
#include <QRadioButton>
#include <memory>

#include "tests/support/RecordingBoxes.h"
#include "ui/main/Vorda1.h"

namespace vorda::ui::testing {

inline QString AssetFolder() {
  return QStringLiteral(VORDA_ASSET_DIR);
}

// The text of a label or input box, by object name.
inline QString Text(Vorda1& w, const char* name) {
  if (auto* l = w.findChild<QLabel*>(name)) return l->text();
  if (auto* e = w.findChild<QLineEdit*>(name)) return e->text();
  return QStringLiteral("<missing %1>").arg(name);
}

inline QRadioButton* Option(Vorda1& w, int index) {
  for (auto* b : w.findChildren<QRadioButton*>(QStringLiteral("optType"))) {
    if (b->property("Index").toInt() == index) return b;
  }
  return nullptr;
}

// The colour of a grabbed image at a point in twips of the client area.
inline QColor ColourAtTwips(const QImage& image, int x, int y) {
  const double ratio = image.devicePixelRatio();
  return image.pixelColor(
      QPoint(static_cast<int>(x / 15.0 * ratio), static_cast<int>(y / 15.0 * ratio)));
}

class WindowFixture : public QObject {
  Q_OBJECT

 protected:
  // A new window on the pictures of `folder`; ending the program is counted.
  Vorda1& Start(const QString& folder = AssetFolder()) {
    window_ = std::make_unique<Vorda1>(folder, boxes_);
    window_->SetEndProgram([this] { ++ends_; });
    return *window_;
  }

  vorda::testing::RecordingBoxes boxes_;
  std::unique_ptr<Vorda1> window_;
  int ends_ = 0;

 private slots:
  void init() {
    boxes_.boxes.clear();
    ends_ = 0;
  }
  void cleanup() { window_.reset(); }
};

}  // namespace vorda::ui::testing
