// What the designer keeps between runs: its inputs, the measurement, what
// "best" means and its size.
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QSettings>
#include <QSplitter>

#include "ui/designer/DesignerWindow.h"
#include "ui/designer/ResponseChart.h"
#include "ui/designer/SmithChart.h"

namespace vorda::designer {

namespace {

QSettings Settings() {
  return QSettings(QStringLiteral("VordaForWin"), QString::fromLatin1(kDesignerTitle));
}

QString Key(Field field) {
  return QStringLiteral("inputs/%1").arg(rf::FieldName(field));
}

}  // namespace

void DesignerWindow::LoadSettings() {
  QSettings s = Settings();
  for (std::size_t i = 0; i < rf::kFieldCount; ++i) {
    const auto field = static_cast<Field>(i);
    if (Input(field) != nullptr && s.contains(Key(field))) {
      Input(field)->setText(s.value(Key(field)).toString());
    }
  }
  SeriesBox()->setCurrentText(
      s.value(QStringLiteral("inputs/Series"), SeriesBox()->currentText()).toString());
  RankingBox()->setCurrentText(
      s.value(QStringLiteral("inputs/Best by"), RankingBox()->currentText()).toString());
  smith_->SetGrid(
      static_cast<SmithGrid>(std::clamp(s.value(QStringLiteral("view/grid"), 0).toInt(), 0, 2)));
  for (QAction* a : findChildren<QAction*>()) {
    if (a->objectName().startsWith(QStringLiteral("actGrid"))) {
      a->setChecked(a->data().toInt() == static_cast<int>(smith_->Grid()));
    }
  }
  PlotBox()->setCurrentIndex(std::clamp(s.value(QStringLiteral("view/plot"), 0).toInt(), 0, 3));
  restoreGeometry(s.value(QStringLiteral("window/geometry")).toByteArray());
  main_split_->restoreState(s.value(QStringLiteral("window/main")).toByteArray());
  chart_split_->restoreState(s.value(QStringLiteral("window/charts")).toByteArray());
  const QString measurement = s.value(QStringLiteral("inputs/measurement")).toString();
  if (!measurement.isEmpty() && QFileInfo::exists(measurement)) OpenMeasurement(measurement);
}

void DesignerWindow::SaveSettings() const {
  QSettings s = Settings();
  for (std::size_t i = 0; i < rf::kFieldCount; ++i) {
    const auto field = static_cast<Field>(i);
    const bool measured = field == Field::kLoadR || field == Field::kLoadX;
    if (Input(field) == nullptr || (measurement_ && measured)) continue;
    s.setValue(Key(field), Input(field)->text());
  }
  s.setValue(QStringLiteral("inputs/Series"), SeriesBox()->currentText());
  s.setValue(QStringLiteral("inputs/Best by"), RankingBox()->currentText());
  s.setValue(QStringLiteral("inputs/measurement"), measurement_path_);
  s.setValue(QStringLiteral("view/grid"), static_cast<int>(smith_->Grid()));
  s.setValue(QStringLiteral("view/plot"), PlotBox()->currentIndex());
  s.setValue(QStringLiteral("window/geometry"), saveGeometry());
  s.setValue(QStringLiteral("window/main"), main_split_->saveState());
  s.setValue(QStringLiteral("window/charts"), chart_split_->saveState());
}

void DesignerWindow::closeEvent(QCloseEvent* event) {
  SaveSettings();
  event->accept();
}

}  // namespace vorda::designer
