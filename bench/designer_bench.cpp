// One keystroke in the designer to a finished repaint (a 1001-point sweep,
// all rows, offscreen), against the same work without drawing: the figures
// of all rows and the curves of the selected one, for the same inputs, in
// the same run. And one step of a drag on the Smith chart, the same way.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTableView>
#include <QtTest>
#include <memory>

#include "engine/MessageBoxes.h"
#include "rf/synthesis/Tuning.h"
#include "ui/designer/DesignerWindow.h"
#include "ui/designer/SmithChart.h"

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
      in.parts.q_inductor = q;
      const vorda::rf::DesignResult set = vorda::rf::RunDesign(in);
      benchmark::DoNotOptimize(vorda::rf::ChartsOf(in, set, set.best));
    }
  }
  state.SetItemsProcessed(state.iterations() * 2);
}

// One step of a drag on the Smith chart to a finished repaint: the series
// part of type 1 moved along its arc, back and forth, with all fourteen rows
// (a loaded Q gives Pi, T and the two L-sections) and a 1001-point sweep.
void DragStepToRepaint(benchmark::State& state) {
  vorda::designer::SmithChart* chart = window->Smith();
  window->Table()->selectRow(0);
  QApplication::processEvents();
  const QRectF area = chart->rect();
  const QPointF from = chart->Map(vorda::designer::Reflection(*chart->Data().handles.at(0)), area);
  QTest::mousePress(chart, Qt::LeftButton, Qt::ShiftModifier, from.toPoint());
  int step = 0;
  for (auto _ : state) {
    const double x = 0.2 + 0.4 * (++step % 2);
    QTest::mouseMove(chart, chart->Map(vorda::designer::Reflection({1.0, x}), area).toPoint());
    window->repaint();  // every widget painted, now
  }
  QTest::mouseRelease(chart, Qt::LeftButton, Qt::ShiftModifier, from.toPoint());
  state.SetItemsProcessed(state.iterations());
}

// The same step without drawing: the drag's new values, the tuned design's
// figures and the curves of the selected row.
void DragStepWithoutDrawing(benchmark::State& state) {
  const vorda::rf::DesignRequest in = *window->Request();
  vorda::rf::DesignResult set = vorda::rf::RunDesign(in);
  const vorda::rf::Network start = set.rows[0].design->ideal;
  int step = 0;
  for (auto _ : state) {
    const double x = 0.2 + 0.4 * (++step % 2);
    const auto drag = vorda::rf::DragPart(start, 0, set.load, set.hertz, set.z0, in.SourceOf(),
                                          vorda::designer::Reflection({1.0, x}), std::nullopt);
    set.rows.push_back(vorda::rf::FixedRow(set, drag->network, vorda::rf::Origin::kTuned));
    benchmark::DoNotOptimize(vorda::rf::ChartsOf(in, set, set.rows.size() - 1));
    set.rows.pop_back();
  }
  state.SetItemsProcessed(state.iterations());
}

BENCHMARK(KeystrokeToRepaint)->Unit(benchmark::kMillisecond);
BENCHMARK(SameWorkWithoutDrawing)->Unit(benchmark::kMillisecond);
BENCHMARK(DragStepToRepaint)->Unit(benchmark::kMillisecond);
BENCHMARK(DragStepWithoutDrawing)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QStandardPaths::setTestModeEnabled(true);  // the user's settings stay untouched
  QApplication app(argc, argv);
  auto w = std::make_unique<vorda::designer::DesignerWindow>(boxes, nullptr);
  window = w.get();
  window->Input(vorda::designer::Field::kQInductor)->setText(QStringLiteral("50"));
  window->Input(vorda::designer::Field::kLoadedQ)->setText(QStringLiteral("8"));
  window->show();
  if (!QTest::qWaitForWindowExposed(window)) return 1;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
