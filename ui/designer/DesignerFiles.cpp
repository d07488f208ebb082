// The designer's measurements: a file chosen, read whole, or let go.
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include "rf/circuit/Units.h"
#include "rf/files/InputFile.h"
#include "rf/files/MeasurementReader.h"
#include "rf/files/PartLibraryFile.h"
#include "ui/designer/DesignerWindow.h"
#include "ui/designer/StatusText.h"

namespace vorda::designer {

namespace {

QString Hz(double hertz) {
  return QString::fromStdString(rf::FormatEngineering(hertz, "Hz"));
}

}  // namespace

void DesignerWindow::Choose(const QString& caption, const QString& filter, bool save,
                            const std::function<void(const QString&)>& then) {
  const QString path = choose_file_ ? choose_file_(caption, filter, save)
                       : save       ? QFileDialog::getSaveFileName(this, caption, QString(), filter)
                              : QFileDialog::getOpenFileName(this, caption, QString(), filter);
  if (!path.isEmpty()) then(path);
}

bool DesignerWindow::OpenMeasurement(const QString& path) {
  const QString name = QFileInfo(path).fileName();
  try {
    const rf::FileHandle file = rf::OpenForReading(QFile::encodeName(path).toStdString());
    measurement_ = std::make_shared<const rf::Measurement>(
        rf::ReadMeasurement(rf::FileSource(file.get(), name.toStdString())));
  } catch (const rf::TouchstoneError& e) {
    const std::string where = e.In(name.toStdString());
    SetStatus(QString::fromStdString(where));
    boxes_.MsgBox("The measurement could not be read:\r\n" + where, MsgStyle::kCritical,
                  kDesignerTitle);
    return false;                          // the load stays as it was
  } catch (const std::runtime_error& e) {  // it cannot be opened, or read to its end
    boxes_.MsgBox(std::string("The measurement could not be opened:\r\n") + e.what(),
                  MsgStyle::kCritical, kDesignerTitle);
    return false;
  }
  measurement_path_ = QFileInfo(path).absoluteFilePath();
  panel_->ShowMeasurement(QStringLiteral("%1: %2 to %3, %4 points")
                              .arg(name, Hz(measurement_->First()), Hz(measurement_->Last()))
                              .arg(measurement_->points.size()));
  // A design frequency the new file does not reach moves to its centre.
  QString moved;
  const auto hertz = rf::ParseFrequency(Input(Field::kFrequency)->text().toStdString());
  if (!hertz || !measurement_->Covers(*hertz)) {
    const double centre = (measurement_->First() + measurement_->Last()) / 2;
    moved = QStringLiteral("The design frequency moved to %1, the centre of the measurement.")
                .arg(Hz(centre));
    const QSignalBlocker quiet(Input(Field::kFrequency));
    Input(Field::kFrequency)->setText(QString::fromStdString(rf::ExactFrequencyText(centre)));
  }
  Recompute();
  SelectBest();
  if (!moved.isEmpty() && Request())
    SetStatus(moved + QStringLiteral(" ") + StatusLine()->toolTip());
  return true;
}

void DesignerWindow::ClearMeasurement() {
  measurement_.reset();
  measurement_path_.clear();
  panel_->ShowTyped();
  Recompute();
  SelectBest();
}

bool DesignerWindow::OpenPartsLibrary(const QString& folder) {
  try {
    library_ = rf::ReadPartLibrary(QFile::encodeName(folder).toStdString());
  } catch (const std::runtime_error& e) {  // an index or a part file that is wrong or unreadable
    SetStatus(QString::fromStdString(e.what()));
    boxes_.MsgBox(std::string("The parts library could not be read:\r\n") + e.what(),
                  MsgStyle::kCritical, kDesignerTitle);
    return false;
  }
  library_path_ = QFileInfo(folder).absoluteFilePath();
  panel_->SetLibrary(QFileInfo(folder).fileName(), true);
  Recompute();
  return true;
}

}  // namespace vorda::designer
