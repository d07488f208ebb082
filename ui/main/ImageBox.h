// An image control: shows its picture stretched to fill its box.
#pragma once

#include <QImage>
#include <QWidget>

namespace vorda::ui {

class ImageBox : public QWidget {
 public:
  explicit ImageBox(QWidget* parent) : QWidget(parent) {}
  void SetPicture(const QImage& picture);
  const QImage& Picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage picture_;
};

}  // namespace vorda::ui
