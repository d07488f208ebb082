// Baseline of the start-up benchmark: a bare QMainWindow with a menu bar and
// a client area of the main window's size, quitting after its first paint
// like VordaForWin does under VORDA_QUIT_AFTER_FIRST_PAINT.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>
#include <QWidget>

namespace {
class Client : public QWidget {
 public:
  QSize sizeHint() const override { return {722, 526}; }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (!painted_ && qEnvironmentVariableIsSet("VORDA_QUIT_AFTER_FIRST_PAINT")) {
      QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
    painted_ = true;
  }

 private:
  bool painted_ = false;
};
}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Bare window"));
  window.menuBar()->addMenu(QStringLiteral("File"));
  window.setCentralWidget(new Client);
  window.show();
  return QApplication::exec();
}
