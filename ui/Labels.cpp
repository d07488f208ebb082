#include "ui/Labels.h"

#include <QLabel>
#include <QPalette>

namespace vorda::ui {

void SetBlackText(QWidget* widget) {
  QPalette p = widget->palette();
  p.setColor(QPalette::WindowText, Qt::black);
  widget->setPalette(p);
}

QLabel* AddLabel(QWidget* parent, const char* name, const QString& caption, QRect geometry,
                 bool black) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(geometry);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  if (black) SetBlackText(label);
  return label;
}

}  // namespace vorda::ui
