// Takes the designer's pictures for docs/ and the help, on whatever display
// it runs on (scripts/screenshot-designer runs it on a virtual one): the
// window with a measurement, the admittance grid and a drag in progress.
// Usage: designer_pictures FOLDER MEASUREMENT
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTableView>
#include <QtTest>

#include "tests/support/RecordingBoxes.h"
#include "ui/designer/DesignerWindow.h"
#include "ui/designer/ResultsModel.h"
#include "ui/designer/SmithChart.h"

namespace d = vorda::designer;

namespace {

void Save(QWidget& widget, const QString& path) {
  QApplication::processEvents();
  widget.grab().save(path);
  std::printf("Saved %s\n", qPrintable(path));
}

void Set(d::DesignerWindow& w, d::Field field, const QString& text) {
  w.Input(field)->setText(text);
}

}  // namespace

int main(int argc, char** argv) {
  QStandardPaths::setTestModeEnabled(true);  // the user's settings stay untouched
  QApplication app(argc, argv);
  if (argc < 3) return 2;
  const QDir out(QString::fromLocal8Bit(argv[1]));
  vorda::testing::RecordingBoxes boxes;
  // Pictures from the default inputs, whatever was kept from a run before.
  const d::SettingsPlace place{QStringLiteral("VordaForWin tests"),
                               QStringLiteral("designer_pictures")};
  QSettings(place.organization, place.application).clear();
  d::DesignerWindow w(boxes, nullptr, nullptr, place);
  w.resize(1280, 860);
  w.show();
  if (!QTest::qWaitForWindowExposed(&w)) return 1;
  w.OpenMeasurement(QString::fromLocal8Bit(argv[2]));
  Set(w, d::Field::kFrequency, QStringLiteral("14.2M"));
  w.SeriesBox()->setCurrentText(QStringLiteral("E12"));
  Set(w, d::Field::kQInductor, QStringLiteral("80"));
  Set(w, d::Field::kQCapacitor, QStringLiteral("400"));
  Set(w, d::Field::kBand, QStringLiteral("14M:14.35M"));
  for (int i = 0; i < 300 && w.Optimising(); ++i) QTest::qWait(100);
  w.SelectBest();
  QTest::qWait(300);
  Save(w, out.filePath(QStringLiteral("designer.png")));

  // The admittance grid beside the impedance grid, and the cursor's read-out.
  d::SmithChart* chart = w.Smith();
  chart->SetGrid(d::SmithGrid::kBoth);
  const QPointF reading = chart->Map(d::Reflection({0.6, 0.9}), chart->rect());
  QTest::mouseMove(chart, reading.toPoint());
  Save(*chart, out.filePath(QStringLiteral("designer-smith-grids.png")));

  // A drag in progress: the series part's end moved along its arc.
  w.Table()->selectRow(1);  // type 2
  chart->SetGrid(d::SmithGrid::kImpedance);
  QApplication::processEvents();
  const auto handle = chart->Data().handles.at(1);
  if (handle) {
    const QPointF from = chart->Map(d::Reflection(*handle), chart->rect());
    const QPointF to = from + QPointF(-40, -30);
    QTest::mousePress(chart, Qt::LeftButton, Qt::NoModifier, from.toPoint());
    QTest::mouseMove(chart, ((from + to) / 2).toPoint());
    QTest::mouseMove(chart, to.toPoint());
    Save(w, out.filePath(QStringLiteral("designer-drag.png")));
    QTest::mouseRelease(chart, Qt::LeftButton, Qt::NoModifier, to.toPoint());
  }
  return 0;
}
