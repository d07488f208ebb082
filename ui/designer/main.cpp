// VordaForWin Designer: every L-section type at once, with real parts.
// Usage: vorda-designer [--help] [--version] [FILE]
#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <iostream>

#include "help/HelpHTML.h"
#include "platform/Platform.h"
#include "ui/Display.h"
#include "ui/QtMessageBoxes.h"
#include "ui/designer/CommandLine.h"
#include "ui/designer/DesignerWindow.h"

int main(int argc, char** argv) {
  // The command line needs no window: --help, --version and a wrong option
  // are answered before Qt looks for a display.
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  const vorda::designer::CommandLine line =
      vorda::designer::ReadCommandLine(arguments, std::cout, std::cerr);
  if (line.exit_status) return *line.exit_status;
  if (!vorda::ui::HasDisplay(argc, argv)) {
    std::cerr << "vorda-designer: " << vorda::ui::NoDisplayMessage() << "\n";
    return 1;
  }
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
  if (line.file) window.OpenMeasurement(*line.file);
  window.show();
  return QApplication::exec();
}
