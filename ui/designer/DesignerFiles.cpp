// The designer's files: measurements read, exports written whole or not at
// all, and the settings it keeps between runs.
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSaveFile>
#include <QSettings>
#include <QSignalBlocker>
#include <QSplitter>
#include <QSvgGenerator>
#include <QTableView>
#include <cstdio>

#include "rf/Spice.h"
#include "rf/Units.h"
#include "ui/designer/DesignerWindow.h"
#include "ui/designer/ResponseChart.h"
#include "ui/designer/ResultsModel.h"
#include "ui/designer/SmithChart.h"

namespace vorda::designer {

namespace {

QSettings Settings() {
  return QSettings(QStringLiteral("VordaForWin"), QString::fromLatin1(kDesignerTitle));
}

QString Csv(QString cell) {
  if (cell.contains(',') || cell.contains('"') || cell.contains('\n')) {
    cell.replace('"', QStringLiteral("\"\""));
    return '"' + cell + '"';
  }
  return cell;
}

bool IsSvg(const QString& path) {
  return path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive);
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
  std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "rb");
  if (file == nullptr) {
    boxes_.MsgBox("The measurement could not be opened:\r\n" + path.toStdString(),
                  MsgStyle::kCritical, kDesignerTitle);
    return false;
  }
  const QString name = QFileInfo(path).fileName();
  try {
    rf::Measurement m = rf::ReadMeasurement(rf::FileSource(file));
    std::fclose(file);
    measurement_ = std::move(m);
  } catch (const rf::TouchstoneError& e) {
    std::fclose(file);
    const std::string where = e.In(name.toStdString());
    status_->setText(QString::fromStdString(where));
    boxes_.MsgBox("The measurement could not be read:\r\n" + where, MsgStyle::kCritical,
                  kDesignerTitle);
    return false;  // the load stays as it was
  }
  measurement_path_ = QFileInfo(path).absoluteFilePath();
  measurement_label_->setText(
      QStringLiteral("%1: %2 to %3, %4 points")
          .arg(name, QString::fromStdString(rf::FormatEngineering(measurement_->First(), "Hz")),
               QString::fromStdString(rf::FormatEngineering(measurement_->Last(), "Hz")))
          .arg(measurement_->points.size()));
  Input(Field::kLoadR)->setReadOnly(true);
  Input(Field::kLoadX)->setReadOnly(true);
  Recompute();
  SelectBest();
  return true;
}

void DesignerWindow::ClearMeasurement() {
  measurement_.reset();
  measurement_path_.clear();
  measurement_label_->setText(QStringLiteral("Load typed above"));
  Input(Field::kLoadR)->setReadOnly(false);
  Input(Field::kLoadX)->setReadOnly(false);
  Recompute();
  SelectBest();
}

QString DesignerWindow::Netlist() const {
  const DesignSet& set = model_->Designs();
  if (set.rows.empty() || !inputs_used_) return {};
  const TypeRow& row = set.rows[static_cast<std::size_t>(SelectedRow())];
  if (!row.design) return {};
  rf::SpiceCircuit c =
      rf::CircuitFor(row.engine, *row.design, inputs_used_->hertz, set.frequencies.front(),
                     set.frequencies.back(), set.frequencies.size());
  if (measurement_) c.notes.push_back(rf::MeasuredLoadNote(measurement_path_.toStdString()));
  c.notes.push_back(rf::ValuesNote(inputs_used_->series));
  return QString::fromStdString(rf::SpiceNetlist(c));
}

void DesignerWindow::CopyNetlist() {
  const QString netlist = Netlist();
  if (netlist.isEmpty()) {
    boxes_.MsgBox("The selected type was not computed: there is no netlist.",
                  MsgStyle::kExclamation, kDesignerTitle);
    return;
  }
  QApplication::clipboard()->setText(netlist);
  status_->setText(QStringLiteral("The netlist is on the clipboard."));
}

bool DesignerWindow::WriteWhole(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) {
    status_->setText(QStringLiteral("Saved %1").arg(QFileInfo(path).fileName()));
    return true;
  }
  boxes_.MsgBox("The file could not be written (" + file.errorString().toStdString() +
                    "); nothing was changed:\r\n" + path.toStdString(),
                MsgStyle::kCritical, kDesignerTitle);
  return false;
}

bool DesignerWindow::SaveNetlist(const QString& path) {
  const QString netlist = Netlist();
  if (netlist.isEmpty()) {
    boxes_.MsgBox("The selected type was not computed: there is no netlist.",
                  MsgStyle::kExclamation, kDesignerTitle);
    return false;
  }
  return WriteWhole(path, netlist.toUtf8());
}

bool DesignerWindow::SaveTable(const QString& path) {
  QString csv;
  for (int c = 0; c < kColumnCount; ++c) {
    csv += (c > 0 ? QStringLiteral(",") : QString()) +
           Csv(model_->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
  }
  csv += '\n';
  for (int r = 0; r < model_->rowCount(); ++r) {
    for (int c = 0; c < kColumnCount; ++c) {
      QString cell = model_->index(r, c).data(Qt::DisplayRole).toString();
      if (cell.startsWith(QStringLiteral("\u2605 "))) cell = cell.mid(2);
      csv += (c > 0 ? QStringLiteral(",") : QString()) + Csv(cell);
    }
    csv += '\n';
  }
  return WriteWhole(path, csv.toUtf8());
}

bool DesignerWindow::SavePicture(const QString& path,
                                 const std::function<void(QPainter&, const QRectF&)>& paint,
                                 QSize size) {
  QByteArray bytes;
  if (IsSvg(path)) {
    QBuffer buffer(&bytes);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(QString::fromLatin1(kDesignerTitle));
    QPainter painter(&svg);
    paint(painter, QRectF(QPointF(0, 0), size));
  } else {
    QImage image(size * 2, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    image.fill(Qt::transparent);
    {
      QPainter painter(&image);
      paint(painter, QRectF(QPointF(0, 0), size));
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
  }
  return WriteWhole(path, bytes);
}

bool DesignerWindow::SaveSmithChart(const QString& path) {
  return SavePicture(
      path, [this](QPainter& p, const QRectF& area) { smith_->Render(p, area); }, QSize(640, 640));
}

bool DesignerWindow::SaveResponse(const QString& path) {
  return SavePicture(
      path, [this](QPainter& p, const QRectF& area) { response_->render(&p, area); },
      response_->size().expandedTo(QSize(800, 500)));
}

void DesignerWindow::LoadSettings() {
  QSettings s = Settings();
  for (std::size_t i = 0; i < kFieldCount; ++i) {
    const QString key = QStringLiteral("inputs/%1").arg(FieldName(static_cast<Field>(i)));
    if (inputs_[i] != nullptr && s.contains(key)) inputs_[i]->setText(s.value(key).toString());
  }
  series_->setCurrentText(
      s.value(QStringLiteral("inputs/Series"), series_->currentText()).toString());
  restoreGeometry(s.value(QStringLiteral("window/geometry")).toByteArray());
  main_split_->restoreState(s.value(QStringLiteral("window/main")).toByteArray());
  chart_split_->restoreState(s.value(QStringLiteral("window/charts")).toByteArray());
  const QString measurement = s.value(QStringLiteral("inputs/measurement")).toString();
  if (!measurement.isEmpty() && QFileInfo::exists(measurement)) OpenMeasurement(measurement);
}

void DesignerWindow::SaveSettings() const {
  QSettings s = Settings();
  for (std::size_t i = 0; i < kFieldCount; ++i) {
    const auto field = static_cast<Field>(i);
    const bool measured = field == Field::kLoadR || field == Field::kLoadX;
    if (inputs_[i] == nullptr || (measurement_ && measured)) continue;
    s.setValue(QStringLiteral("inputs/%1").arg(FieldName(static_cast<Field>(i))),
               inputs_[i]->text());
  }
  s.setValue(QStringLiteral("inputs/Series"), series_->currentText());
  s.setValue(QStringLiteral("inputs/measurement"), measurement_path_);
  s.setValue(QStringLiteral("window/geometry"), saveGeometry());
  s.setValue(QStringLiteral("window/main"), main_split_->saveState());
  s.setValue(QStringLiteral("window/charts"), chart_split_->saveState());
}

void DesignerWindow::closeEvent(QCloseEvent* event) {
  SaveSettings();
  event->accept();
}

}  // namespace vorda::designer
