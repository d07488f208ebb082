// The status line: as much of a message as fits, the whole of it in the
// tooltip, elided again whenever the line changes width.
#pragma once

#include <QLabel>

namespace vorda::designer {

class StatusText : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;
  void SetMessage(const QString& message);
  const QString& Message() const { return message_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Elide();

  QString message_;
};

}  // namespace vorda::designer
