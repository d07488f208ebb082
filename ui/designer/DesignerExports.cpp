// The designer's exports: the netlist, the table and the pictures, each
// written whole or not at all.
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QSaveFile>

#include "rf/request/DesignTable.h"
#include "rf/request/Netlists.h"
#include "ui/designer/DesignerWindow.h"
#include "ui/designer/ResponseChart.h"
#include "ui/designer/ResultsModel.h"
#include "ui/designer/SmithChart.h"
#include "ui/designer/SvgDocument.h"

namespace vorda::designer {

namespace {

constexpr const char* kNoNetlist = "The selected type was not designed: there is no netlist.";

bool IsSvg(const QString& path) {
  return path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive);
}

}  // namespace

QString DesignerWindow::Netlist() const {
  const rf::DesignResult& result = model_->Designs();
  if (result.types.empty() || !request_) return {};
  const rf::AcSweep sweep{result.frequencies.front(), result.frequencies.back(),
                          result.frequencies.size()};
  const int selected = SelectedRow();
  if (const rf::BandDesign* b = model_->BandAt(selected)) {
    return QString::fromStdString(
        rf::SpiceNetlist(rf::CircuitFor(rf::KindName(b->kind) + " network over the band",
                                        b->evaluated, *request_, result.load, sweep)));
  }
  const rf::TypeResult* row = model_->TypeAt(selected);
  if (row == nullptr || !row->design) return {};
  return QString::fromStdString(rf::SpiceNetlist(rf::CircuitFor(*request_, result, *row, sweep)));
}

QString DesignerWindow::TableCsv() const {
  if (!request_) return {};
  if (!model_->Tuned())
    return QString::fromStdString(rf::DesignTableCsv(*request_, model_->Designs()));
  // A tuned design is a row like the others: what vorda-match --network
  // gives for its parts.
  rf::DesignResult with_tuned = model_->Designs();
  with_tuned.types.push_back(*model_->Tuned());
  return QString::fromStdString(rf::DesignTableCsv(*request_, with_tuned));
}

void DesignerWindow::CopyNetlist() {
  const QString netlist = Netlist();
  if (netlist.isEmpty()) {
    boxes_.MsgBox(kNoNetlist, MsgStyle::kExclamation, kDesignerTitle);
    return;
  }
  QApplication::clipboard()->setText(netlist);
  SetStatus(QStringLiteral("The netlist is on the clipboard."));
}

bool DesignerWindow::WriteWhole(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) {
    SetStatus(QStringLiteral("Saved %1").arg(QFileInfo(path).fileName()));
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
    boxes_.MsgBox(kNoNetlist, MsgStyle::kExclamation, kDesignerTitle);
    return false;
  }
  return WriteWhole(path, netlist.toUtf8());
}

bool DesignerWindow::SaveTable(const QString& path) {
  const QString csv = TableCsv();
  if (csv.isEmpty()) {
    boxes_.MsgBox("An input is wrong: there is no table to save.", MsgStyle::kExclamation,
                  kDesignerTitle);
    return false;
  }
  return WriteWhole(path, csv.toUtf8());
}

bool DesignerWindow::SavePicture(const QString& path,
                                 const std::function<void(QPainter&, const QRectF&)>& paint,
                                 QSize size) {
  QByteArray bytes;
  if (IsSvg(path)) {
    SvgDocument svg(size, QString::fromLatin1(kDesignerTitle));
    {
      QPainter painter(&svg);
      paint(painter, QRectF(QPointF(0, 0), size));
    }
    bytes = svg.Bytes();
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
    const bool encoded = encode_png_ ? encode_png_(image, buffer) : image.save(&buffer, "PNG");
    if (!encoded || bytes.isEmpty()) {
      boxes_.MsgBox(
          "The picture could not be encoded as PNG; nothing was changed:\r\n" + path.toStdString(),
          MsgStyle::kCritical, kDesignerTitle);
      return false;
    }
  }
  return WriteWhole(path, bytes);
}

bool DesignerWindow::SaveSmithChart(const QString& path) {
  return SavePicture(
      path, [this](QPainter& p, const QRectF& area) { smith_->Render(p, area); }, QSize(640, 640));
}

bool DesignerWindow::SaveResponse(const QString& path) {
  return SavePicture(
      path, [this](QPainter& p, const QRectF& area) { response_->Render(p, area); },
      response_->size().expandedTo(QSize(800, 500)));
}

}  // namespace vorda::designer
