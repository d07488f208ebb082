// What the designer writes: the netlist and the two-port file of a row,
// the table as CSV and the charts as pictures, each written whole or not
// at all, with the user told why not.
#pragma once

#include <QByteArray>
#include <QRectF>
#include <QSize>
#include <QString>
#include <functional>

#include "engine/MessageBoxes.h"
#include "rf/request/Rows.h"

class QImage;
class QIODevice;
class QPainter;

namespace vorda::designer {

// Encodes a picture as PNG into a buffer; false when it could not.
using PngEncoder = std::function<bool(const QImage& image, QIODevice& into)>;

// The netlist of a designed row (over the response's frequencies), its
// two-port file (both ports referred to Z0) and the table; empty for a
// row that was not designed, or no result.
QString NetlistOf(const rf::DesignResult& result, const rf::Row* row);
QString TwoPortOf(const rf::DesignResult& result, const rf::Row* row);
QString TableOf(const rf::DesignResult& result);

class Exports {
 public:
  // What is exported: the result shown, and the row selected (none: no
  // row is).
  struct Selection {
    const rf::DesignResult* result;
    const rf::Row* row;
  };
  // status is told what was saved.
  Exports(MessageBoxes& boxes, std::function<Selection()> selection,
          std::function<void(const QString&)> status)
      : boxes_(boxes), selection_(std::move(selection)), status_(std::move(status)) {}
  // Qt's encoder unless set (a test sets one that fails).
  void SetPngEncoder(PngEncoder encoder) { encode_png_ = std::move(encoder); }

  // Of the selection: the netlist, the two-port file, the table.
  QString Netlist() const;
  QString TwoPort() const;
  QString TableCsv() const;
  bool SaveNetlist(const QString& path);
  bool SaveTwoPort(const QString& path);
  bool SaveTable(const QString& path);
  // The netlist on the clipboard.
  void CopyNetlist();

  // A text, or when it is empty the message `none` and false.
  bool SaveText(const QString& path, const QString& text, const char* none);
  // A picture painted into a size: SVG for a path ending in .svg, PNG else.
  bool SavePicture(const QString& path, const std::function<void(QPainter&, const QRectF&)>& paint,
                   QSize size);
  bool WriteWhole(const QString& path, const QByteArray& bytes);

 private:
  MessageBoxes& boxes_;
  std::function<Selection()> selection_;
  std::function<void(const QString&)> status_;
  PngEncoder encode_png_;
};

}  // namespace vorda::designer
