#include "ui/QtMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

namespace vorda::ui {

void QtMessageBoxes::MsgBox(const std::string& prompt, MsgStyle style, const std::string& title) {
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  if (style == MsgStyle::kCritical) icon = QMessageBox::Critical;
  if (style == MsgStyle::kExclamation) icon = QMessageBox::Warning;
  // Prompts break their lines with CR LF; a label breaks on LF alone.
  QString text = QString::fromStdString(prompt);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QMessageBox box(icon, QString::fromStdString(title), text, QMessageBox::Ok,
                  QApplication::activeWindow());
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

}  // namespace vorda::ui
