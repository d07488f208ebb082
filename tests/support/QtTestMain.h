// The main of every window test: offscreen unless a platform is chosen.
// Wine passes no QT_ variable on to a Windows program, so a test also takes
// VORDA_QT_X as QT_X (the scale factor, the offscreen platform's fonts).
#pragma once

#include <QApplication>
#include <QProcessEnvironment>
#include <QtTest>

namespace vorda::testing {

inline void PrepareQtTestEnvironment() {
  const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  const QString prefix = QStringLiteral("VORDA_QT_");
  for (const QString& name : environment.keys()) {
    if (name.startsWith(prefix)) {
      qputenv(qPrintable(name.mid(6)), environment.value(name).toLocal8Bit());
    }
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
}

// A Windows Qt offscreen knows only the fonts of its font folder, and no
// default among them: Windows' own default, Segoe UI 9, is stood in for by
// Liberation Sans 9, a face of Arial's metrics (Linux keeps its desktop's).
inline void PrepareQtTestFonts() {
#ifdef _WIN32
  if (QGuiApplication::platformName() == QStringLiteral("offscreen")) {
    QApplication::setFont(QFont(QStringLiteral("Liberation Sans"), 9));
  }
#endif
}

}  // namespace vorda::testing

#define VORDA_QTEST_MAIN(TestClass)             \
  int main(int argc, char** argv) {             \
    vorda::testing::PrepareQtTestEnvironment(); \
    QApplication app(argc, argv);               \
    vorda::testing::PrepareQtTestFonts();       \
    TestClass test;                             \
    return QTest::qExec(&test, argc, argv);     \
  }
