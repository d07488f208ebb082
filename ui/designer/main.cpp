// VordaForWin Designer: every L-section type at once, with real parts.
// Usage: vorda-designer [TOUCHSTONE-FILE]
#include <QApplication>
#include <QIcon>
#include <QTimer>

#include "help/HelpHTML.h"
#include "platform/Platform.h"
#include "ui/Fonts.h"
#include "ui/QtMessageBoxes.h"
#include "ui/designer/DesignerWindow.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QGuiApplication::setDesktopFileName(QStringLiteral("org.vordaforwin.VordaForWin.Designer"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/app/icon.png")));
  vorda::platform::Services services = vorda::platform::CreateServices();
  vorda::ui::QtMessageBoxes boxes;
  vorda::designer::DesignerWindow window(boxes, [&services, &boxes] {
    vorda::HelpHTML::InvokeHelp(*services.shell, boxes, vorda::platform::ProgramFolder);
  });
  // For the benchmarks: quit once the window has been shown and painted.
  if (qEnvironmentVariableIsSet("VORDA_QUIT_AFTER_FIRST_PAINT")) {
    QTimer::singleShot(0, &app, [] { QTimer::singleShot(0, qApp, &QCoreApplication::quit); });
  }
  // vorda-designer FILE starts with that measurement.
  const QStringList args = QCoreApplication::arguments();
  if (args.size() > 1) window.OpenMeasurement(args.at(1));
  window.show();
  return QApplication::exec();
}
