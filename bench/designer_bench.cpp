// One keystroke in the designer to a finished repaint (a 1001-point sweep,
// all eight types, offscreen), against the same work without drawing: the
// figures of all eight types and the curves of the selected one, for the
// same inputs, in the same run.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QtTest>
#include <memory>

#include "engine/MessageBoxes.h"
#include "ui/designer/DesignerWindow.h"

namespace {

class NoBoxes : public vorda::MessageBoxes {
 public:
  void MsgBox(const std::string&, vorda::MsgStyle, const std::string&) override {}
};

NoBoxes boxes;
vorda::designer::DesignerWindow* window = nullptr;

// Two keystrokes: the Q of the inductors goes from 50 to 5 and back.
void KeystrokeToRepaint(benchmark::State& state) {
  QLineEdit* box = window->Input(vorda::designer::Field::kQInductor);
  box->setFocus();
  box->end(false);
  for (auto _ : state) {
    for (Qt::Key key : {Qt::Key_Backspace, Qt::Key_0}) {
      QTest::keyClick(box, key);
      QCoreApplication::processEvents();  // the charts' scene updates
      window->repaint();                  // every widget painted, now
    }
  }
  state.SetItemsProcessed(state.iterations() * 2);
}

void SameWorkWithoutDrawing(benchmark::State& state) {
  vorda::rf::DesignRequest in = *window->Request();
  for (auto _ : state) {
    for (const double q : {5.0, 50.0}) {
      in.q_inductor = q;
      const vorda::rf::DesignResult set = vorda::rf::RunDesign(in);
      benchmark::DoNotOptimize(vorda::rf::CurvesFor(in, set, set.types[*set.best]));
    }
  }
  state.SetItemsProcessed(state.iterations() * 2);
}

BENCHMARK(KeystrokeToRepaint)->Unit(benchmark::kMillisecond);
BENCHMARK(SameWorkWithoutDrawing)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QStandardPaths::setTestModeEnabled(true);  // the user's settings stay untouched
  QApplication app(argc, argv);
  auto w = std::make_unique<vorda::designer::DesignerWindow>(boxes, nullptr);
  window = w.get();
  window->Input(vorda::designer::Field::kQInductor)->setText(QStringLiteral("50"));
  window->show();
  if (!QTest::qWaitForWindowExposed(window)) return 1;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
