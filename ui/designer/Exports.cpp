#include "ui/designer/Exports.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSaveFile>

#include "rf/files/TwoPortFile.h"
#include "rf/request/DesignTable.h"
#include "rf/request/Netlists.h"
#include "ui/designer/DesignerTitle.h"
#include "ui/designer/SvgDocument.h"

namespace vorda::designer {

QString NetlistOf(const rf::DesignResult& result, const rf::Row* row) {
  if (row == nullptr || !row->design || !result.plan || result.frequencies.empty()) return {};
  const auto sweep = rf::FrequencyAxis::Linear(
      result.frequencies.front(), result.frequencies.back(), result.frequencies.size());
  return QString::fromStdString(
      rf::SpiceNetlist(rf::CircuitFor(result.plan->request, result, *row, sweep)));
}

QString TwoPortOf(const rf::DesignResult& result, const rf::Row* row) {
  if (row == nullptr || !row->design || !result.plan) return {};
  // Both ports referred to Z0, over the response's frequencies.
  const auto text = rf::WriteTouchstone2Port(
      row->design->built, result.frequencies,
      rf::TwoPortFormatOf(result.plan->request, result, rf::NetworkWhat(*row), false, false));
  return text ? QString::fromStdString(*text) : QString();
}

QString TableOf(const rf::DesignResult& result) {
  if (!result.plan) return {};
  return QString::fromStdString(rf::DesignTableCsv(result.plan->request, result));
}

namespace {

constexpr const char* kNoNetlist = "The selected row was not designed: there is no netlist.";

}  // namespace

QString Exports::Netlist() const {
  const Selection s = selection_();
  return NetlistOf(*s.result, s.row);
}

QString Exports::TwoPort() const {
  const Selection s = selection_();
  return TwoPortOf(*s.result, s.row);
}

QString Exports::TableCsv() const {
  return TableOf(*selection_().result);
}

bool Exports::SaveNetlist(const QString& path) {
  return SaveText(path, Netlist(), kNoNetlist);
}

bool Exports::SaveTwoPort(const QString& path) {
  return SaveText(path, TwoPort(),
                  "The selected row was not designed: there is no two-port to save.");
}

bool Exports::SaveTable(const QString& path) {
  return SaveText(path, TableCsv(), "An input is wrong: there is no table to save.");
}

void Exports::CopyNetlist() {
  const QString netlist = Netlist();
  if (netlist.isEmpty()) {
    boxes_.MsgBox(kNoNetlist, MsgStyle::kExclamation, kDesignerTitle);
    return;
  }
  QApplication::clipboard()->setText(netlist);
  status_(QStringLiteral("The netlist is on the clipboard."));
}

bool Exports::WriteWhole(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) {
    status_(QStringLiteral("Saved %1").arg(QFileInfo(path).fileName()));
    return true;
  }
  boxes_.MsgBox("The file could not be written (" + file.errorString().toStdString() +
                    "); nothing was changed:\r\n" + path.toStdString(),
                MsgStyle::kCritical, kDesignerTitle);
  return false;
}

bool Exports::SaveText(const QString& path, const QString& text, const char* none) {
  if (text.isEmpty()) {
    boxes_.MsgBox(none, MsgStyle::kExclamation, kDesignerTitle);
    return false;
  }
  return WriteWhole(path, text.toUtf8());
}

bool Exports::SavePicture(const QString& path,
                          const std::function<void(QPainter&, const QRectF&)>& paint, QSize size) {
  QByteArray bytes;
  if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
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

}  // namespace vorda::designer
