// VordaForWin: the main window is the program's only start object.
#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <cstdio>

#include "platform/Platform.h"
#include "ui/Display.h"
#include "ui/HelpCommands.h"
#include "ui/QtMessageBoxes.h"
#include "ui/main/ClientArea.h"
#include "ui/main/Vorda1.h"

int main(int argc, char** argv) {
  // Without a display Qt would abort: say so instead.
  if (!vorda::ui::HasDisplay(argc, argv)) {
    std::fprintf(stderr, "VordaForWin: %s\n", vorda::ui::NoDisplayMessage());
    return 1;
  }
  QApplication app(argc, argv);
  QGuiApplication::setDesktopFileName(QStringLiteral("org.vordaforwin.VordaForWin"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/app/icon.png")));
  vorda::platform::Services services = vorda::platform::CreateServices();
  vorda::ui::QtMessageBoxes boxes;
  vorda::ui::HelpCommands help(services, boxes, vorda::platform::ProgramFolder);
  vorda::ui::Vorda1 window(QString::fromStdString(vorda::platform::ProgramFolder()), boxes);
  window.SetHelpCommands([&help] { help.Contents(); }, [&help] { help.About(); });

  // For the start-up benchmark: quit as soon as the window has painted.
  if (qEnvironmentVariableIsSet("VORDA_QUIT_AFTER_FIRST_PAINT")) {
    QObject::connect(window.Client(), &vorda::ui::ClientArea::FirstPaint, &app,
                     [] { QTimer::singleShot(0, qApp, &QCoreApplication::quit); });
  }
  if (!window.Form_Load()) return 1;
  return QApplication::exec();
}
