// The designer's exports: the netlist, the table and the pictures, each
// written whole or not at all.
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QSaveFile>

#include "rf/files/TwoPortFile.h"
#include "rf/request/DesignTable.h"
#include "rf/request/Netlists.h"
#include "ui/designer/DesignerWindow.h"
#include "ui/designer/ResponseChart.h"
#include "ui/designer/ResultsModel.h"
#include "ui/designer/SmithChart.h"
#include "ui/designer/SvgDocument.h"

namespace vorda::designer {

namespace {

constexpr const char* kNoNetlist = "The selected row was not designed: there is no netlist.";

bool IsSvg(const QString& path) {
  return path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive);
}

}  // namespace

QString DesignerWindow::Netlist() const {
  const rf::Row* row = model_->RowAt(SelectedRow());
  const rf::DesignResult& result = model_->Result();
  if (row == nullptr || !row->design || !request_ || result.frequencies.empty()) return {};
  const auto sweep = rf::FrequencyAxis::Linear(
      result.frequencies.front(), result.frequencies.back(), result.frequencies.size());
  return QString::fromStdString(rf::SpiceNetlist(rf::CircuitFor(*request_, result, *row, sweep)));
}

QString DesignerWindow::TwoPort() const {
  const rf::Row* row = model_->RowAt(SelectedRow());
  const rf::DesignResult& result = model_->Result();
  if (row == nullptr || !row->design || !request_) return {};
  // Both ports referred to Z0, over the response's frequencies.
  const auto text = rf::WriteTouchstone2Port(
      row->design->built, result.frequencies,
      rf::TwoPortFormatOf(*request_, result, rf::NetworkWhat(*row), false, false));
  return text ? QString::fromStdString(*text) : QString();
}

QString DesignerWindow::TableCsv() const {
  if (!request_) return {};
  return QString::fromStdString(rf::DesignTableCsv(*request_, model_->Result()));
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

bool DesignerWindow::SaveTwoPort(const QString& path) {
  const QString text = TwoPort();
  if (text.isEmpty()) {
    boxes_.MsgBox("The selected row was not designed: there is no two-port to save.",
                  MsgStyle::kExclamation, kDesignerTitle);
    return false;
  }
  return WriteWhole(path, text.toUtf8());
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
