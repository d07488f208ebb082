// What the designer's tests share: typing into a field, a cell of the
// table, vorda-match's JSON for the same inputs, the tuned row, and a
// window opened with a message-box sink and clean settings.
#pragma once

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <QXmlStreamReader>
#include <QtTest>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/Cli.h"
#include "rf/circuit/NetworkText.h"
#include "rf/circuit/StandardValues.h"
#include "rf/synthesis/Tuning.h"
#include "tests/support/QtTestMain.h"
#include "tests/support/RecordingBoxes.h"
#include "ui/designer/DesignerWindow.h"
#include "ui/designer/ResponseChart.h"
#include "ui/designer/ResultsModel.h"
#include "ui/designer/SmithChart.h"

namespace vorda::designer::testing {

using vorda::designer::DesignerWindow;
using vorda::designer::Field;
namespace d = vorda::designer;

inline void Type(DesignerWindow& w, Field field, const QString& text) {
  w.Input(field)->selectAll();
  QTest::keyClicks(w.Input(field), text);
}

// Colours equal but for the antialiased edge of a line.
inline bool Near(QColor a, QColor b) {
  return std::abs(a.red() - b.red()) <= 8 && std::abs(a.green() - b.green()) <= 8 &&
         std::abs(a.blue() - b.blue()) <= 8;
}

inline QVariant Cell(DesignerWindow& w, int row, int column, int role = d::kValueRole) {
  return w.Model()->index(row, column).data(role);
}

// The column of a figure of the table.
inline int Col(vorda::rf::FigureGroup group, const std::string& json) {
  for (const auto& f : vorda::rf::Figures()) {
    if (f.group == group && f.json == json) return d::FigureColumn(f);
  }
  return -1;
}
using G = vorda::rf::FigureGroup;

// The rows over the band.
inline int BandRows(const DesignerWindow& w) {
  const auto& rows = w.Model()->Result().rows;
  return static_cast<int>(std::count_if(rows.begin(), rows.end(), [](const vorda::rf::Row& t) {
    return t.origin == vorda::rf::Origin::kOverBand;
  }));
}

// The tuned row, and its model row.
inline const vorda::rf::Row* Tuned(const DesignerWindow& w) {
  const int row = w.Model()->RowOfKey("tuned");
  return row < 0 ? nullptr : w.Model()->RowAt(row);
}

// A CSV line's cells after the first six (name, key, origin, best, verdict,
// status): the parts and the figures.
inline QList<QByteArray> Figures(const QByteArray& line) {
  // A name with a comma in it is quoted.
  const qsizetype name_end = line.startsWith('"') ? line.indexOf('"', 1) + 1 : 0;
  return line.mid(name_end).split(',').mid(6);
}

inline nlohmann::json Cli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  vorda::cli::RunCli(args, out, err);
  return nlohmann::json::parse(out.str());
}

// A window for each test, from clean settings; no box ever blocks.
class DesignerFixture : public QObject {
  Q_OBJECT

 protected:
  vorda::testing::RecordingBoxes boxes_;
  std::unique_ptr<DesignerWindow> window_;
  QTemporaryDir dir_;

  // This program's own settings: ctest runs the designer's test programs
  // side by side, and one's saved inputs must not reach another's window.
  static d::SettingsPlace Place() {
    return {QStringLiteral("VordaForWin tests"), QCoreApplication::applicationName()};
  }
  static QSettings Settings() { return QSettings(Place().organization, Place().application); }

  DesignerWindow& Open() {
    window_ = std::make_unique<DesignerWindow>(boxes_, nullptr, nullptr, Place());
    return *window_;
  }

 protected slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
  void init() {
    Settings().clear();
    boxes_.boxes.clear();
  }
  void cleanup() { window_.reset(); }
};

}  // namespace vorda::designer::testing
