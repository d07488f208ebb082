// The designer window: its table against vorda-match, refusals, strict
// inputs, measurements, the Smith chart's pixels, exports and settings.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
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

using vorda::designer::DesignerWindow;
using vorda::designer::Field;
namespace d = vorda::designer;

namespace {

void Type(DesignerWindow& w, Field field, const QString& text) {
  w.Input(field)->selectAll();
  QTest::keyClicks(w.Input(field), text);
}

// Colours equal but for the antialiased edge of a line.
bool Near(QColor a, QColor b) {
  return std::abs(a.red() - b.red()) <= 8 && std::abs(a.green() - b.green()) <= 8 &&
         std::abs(a.blue() - b.blue()) <= 8;
}

QVariant Cell(DesignerWindow& w, int row, int column, int role = d::kValueRole) {
  return w.Model()->index(row, column).data(role);
}

// The column of a figure of the table.
int Col(vorda::rf::FigureGroup group, const std::string& json) {
  for (const auto& f : vorda::rf::Figures()) {
    if (f.group == group && f.json == json) return d::FigureColumn(f);
  }
  return -1;
}
using G = vorda::rf::FigureGroup;

// The rows over the band.
int BandRows(const DesignerWindow& w) {
  const auto& rows = w.Model()->Result().rows;
  return static_cast<int>(std::count_if(rows.begin(), rows.end(), [](const vorda::rf::Row& t) {
    return t.origin == vorda::rf::Origin::kOverBand;
  }));
}

// The tuned row, and its model row.
const vorda::rf::Row* Tuned(const DesignerWindow& w) {
  const int row = w.Model()->RowOfKey("tuned");
  return row < 0 ? nullptr : w.Model()->RowAt(row);
}

// A CSV line's cells after the first six (name, key, origin, best, verdict,
// status): the parts and the figures.
QList<QByteArray> Figures(const QByteArray& line) {
  // A name with a comma in it is quoted.
  const qsizetype name_end = line.startsWith('"') ? line.indexOf('"', 1) + 1 : 0;
  return line.mid(name_end).split(',').mid(6);
}

nlohmann::json Cli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  vorda::cli::RunCli(args, out, err);
  return nlohmann::json::parse(out.str());
}

}  // namespace

class DesignerTest : public QObject {
  Q_OBJECT

 private:
  vorda::testing::RecordingBoxes boxes_;
  std::unique_ptr<DesignerWindow> window_;
  QTemporaryDir dir_;

  DesignerWindow& Open() {
    window_ = std::make_unique<DesignerWindow>(boxes_, nullptr);
    return *window_;
  }

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
  void init() {
    QSettings(QStringLiteral("VordaForWin"), QString::fromLatin1(d::kDesignerTitle)).clear();
    boxes_.boxes.clear();
  }
  void cleanup() { window_.reset(); }

  // Every figure of the table is vorda-match's for the same inputs.
  void tableEqualsVordaMatch() {
    DesignerWindow& w = Open();
    Type(w, Field::kQInductor, "50");
    Type(w, Field::kQCapacitor, "200");
    w.SeriesBox()->setCurrentText(QStringLiteral("E12"));
    const auto doc = Cli({"--json", "--type", "all", "--freq", "14.2M", "--series", "E12", "--q-l",
                          "50", "--q-c", "200", "--sweep", "7.1M:21.3M", "40", "30"});
    for (int row = 0; row < 8; ++row) {
      const auto& run = doc["runs"][row];
      QCOMPARE(run.contains("loss"), Cell(w, row, Col(G::kLoss, "dissipation_db")).isValid());
      if (!run.contains("loss")) continue;
      const auto key = [](const nlohmann::json& part) {
        return part["standard"].contains("henries") ? "henries" : "farads";
      };
      const QVariantList parts = Cell(w, row, d::kColumnParts).toList();
      QCOMPARE(parts.value(0).toDouble(),
               run["first"]["standard"][key(run["first"])].get<double>());
      QCOMPARE(parts.value(1).toDouble(),
               run["second"]["standard"][key(run["second"])].get<double>());
      QCOMPARE(Cell(w, row, Col(G::kMatch, "return_loss_db")).toDouble(),
               run["match"]["return_loss_db"].get<double>());
      QCOMPARE(Cell(w, row, Col(G::kLoss, "dissipation_db")).toDouble(),
               run["loss"]["dissipation_db"].get<double>());
      const auto& band = run["bandwidth"];
      QCOMPARE(Cell(w, row, Col(G::kBandwidth, "q")).isValid(), !band["q"].is_null());
      if (!band["q"].is_null()) {
        QCOMPARE(Cell(w, row, Col(G::kBandwidth, "q")).toDouble(), band["q"].get<double>());
        QCOMPARE(Cell(w, row, Col(G::kBandwidth, "low")).toDouble(), band["low"].get<double>());
        QCOMPARE(Cell(w, row, Col(G::kBandwidth, "high")).toDouble(), band["high"].get<double>());
      }
    }
    // The best row is marked, and no row has a better return loss.
    const int best = static_cast<int>(*w.Model()->Result().best);
    QVERIFY(Cell(w, best, d::kColumnType, Qt::DisplayRole).toString().startsWith(QChar(0x2605)));
    const int rl = Col(G::kMatch, "return_loss_db");
    for (int row = 0; row < 8; ++row) {
      QVERIFY(Cell(w, row, rl).toDouble() <= Cell(w, best, rl).toDouble());
    }
  }

  void refusedRowsSayWhy() {
    DesignerWindow& w = Open();
    for (int row : {1, 2, 6, 7}) {
      QCOMPARE(Cell(w, row, d::kColumnStatus, Qt::DisplayRole).toString(),
               QStringLiteral("refused: load in the upper half"));
      QVERIFY(!Cell(w, row, d::kColumnParts).isValid());
    }
    QCOMPARE(Cell(w, 0, d::kColumnStatus, Qt::DisplayRole).toString(), QStringLiteral("admitted"));
  }

  void wrongInputMarksItsFieldAndComputesNothing() {
    DesignerWindow& w = Open();
    const double before = Cell(w, 0, d::kColumnParts).toList().value(0).toDouble();
    Type(w, Field::kFrequency, "14.2 MHz x");
    QVERIFY(w.Input(Field::kFrequency)->property("invalid").toBool());
    QVERIFY(!w.Input(Field::kZ0)->property("invalid").toBool());
    QVERIFY(w.StatusLine()->text().startsWith(QStringLiteral("Frequency: ")));
    QVERIFY(!w.Table()->isEnabled());
    Type(w, Field::kLoadR, "41");  // still nothing computed while the frequency is wrong
    QCOMPARE(Cell(w, 0, d::kColumnParts).toList().value(0).toDouble(), before);
    Type(w, Field::kFrequency, "7.1M");
    QVERIFY(!w.Input(Field::kFrequency)->property("invalid").toBool());
    QVERIFY(Cell(w, 0, d::kColumnParts).toList().value(0).toDouble() != before);
    // A load that is not passive is no load to design for.
    Type(w, Field::kLoadR, "-10");
    QVERIFY(w.Input(Field::kLoadR)->property("invalid").toBool());
    QVERIFY(w.StatusLine()->toolTip().contains(QStringLiteral("passive load: -10 ohms")));
    QVERIFY(!w.Table()->isEnabled());
  }

  void badMeasurementKeepsTheLoad() {
    DesignerWindow& w = Open();
    const QString bad = dir_.filePath(QStringLiteral("bad.s1p"));
    QFile f(bad);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("# MHz S RI R 50\n14 0.1 0.1\n15 0.1\n");
    f.close();
    QVERIFY(!w.OpenMeasurement(bad));
    QCOMPARE(boxes_.boxes.size(), 1u);
    QVERIFY(QString::fromStdString(boxes_.boxes[0].prompt)
                .endsWith(QStringLiteral("bad.s1p:3: missing the second number of the parameter")));
    QVERIFY(w.Measurement() == nullptr);
    QCOMPARE(w.Model()->Result().load, std::complex<double>(40, 30));

    QVERIFY(w.OpenMeasurement(QStringLiteral(VORDA_SOURCE_DIR "/docs/examples/dipole.s1p")));
    QVERIFY(w.Input(Field::kLoadR)->isReadOnly());
    QCOMPARE(w.Model()->Result().load, w.Measurement()->At(14.2e6));
    QVERIFY(!w.Smith()->Data().trace.z.empty());
    Type(w, Field::kFrequency, "16M");  // outside 13 to 15 MHz
    QVERIFY(w.Input(Field::kFrequency)->property("invalid").toBool());
  }

  // A file that does not reach the design frequency moves it to the file's
  // centre; a selected row that becomes refused gives way to the best.
  void measurementAndSelectionFollow() {
    DesignerWindow& w = Open();
    Type(w, Field::kFrequency, "20M");
    QVERIFY(w.OpenMeasurement(QStringLiteral(VORDA_SOURCE_DIR "/docs/examples/dipole.s1p")));
    const double centre = (w.Measurement()->First() + w.Measurement()->Last()) / 2;
    QCOMPARE(w.Request()->hertz, centre);
    QVERIFY(!w.Input(Field::kFrequency)->property("invalid").toBool());
    QVERIFY(w.StatusLine()->toolTip().startsWith(QStringLiteral("The design frequency moved to")));
    w.ClearMeasurement();

    Type(w, Field::kFrequency, "14.2M");
    w.Table()->selectRow(0);  // type 1, admitted for 40 + j30
    QCOMPARE(w.SelectedRow(), 0);
    Type(w, Field::kLoadX, "-30");  // region 4: type 1 refused
    QVERIFY(w.Model()->Result().rows[0].verdict != vorda::rf::Verdict::kDesigned);
    QCOMPARE(w.SelectedRow(), static_cast<int>(*w.Model()->Result().best));
    QVERIFY(w.Smith()->Data().path.size() > 1);  // the charts show a design

    // What "best" means is the user's: low-pass first stars type 2, and the
    // selection, on the best row, follows the star.
    w.RankingBox()->setCurrentText(QStringLiteral("Low-pass first"));
    QCOMPARE(*w.Model()->Result().best, std::size_t{1});
    QCOMPARE(w.SelectedRow(), 1);
  }

  // The band search runs off the window's thread: the single-frequency rows
  // at once, the band rows when the search ends, and only the newest
  // search's; the response shows the band and the limit.
  void bandRowsFollowTheTyping() {
    DesignerWindow& w = Open();
    Type(w, Field::kLoadedQ, "8");
    const int single = w.Model()->rowCount();
    QCOMPARE(single, 14);  // eight L types, Pi, T and two L-sections in two forms
    Type(w, Field::kBand, "13M:15M");
    QVERIFY(w.Optimising());
    QCOMPARE(w.Model()->Result().rows.size(), std::size_t{14});
    Type(w, Field::kBand, "13.5M:14.5M");  // a newer search; the older one's result is dropped
    QTRY_VERIFY_WITH_TIMEOUT(BandRows(w) > 0, 20000);
    QVERIFY(!w.Optimising());
    const auto& band = *w.Model()->Result().band;
    QCOMPARE(band.frequencies.front(), 13.5e6);
    QCOMPARE(band.frequencies.back(), 14.5e6);
    QCOMPARE(w.Model()->rowCount(), single + BandRows(w));
    QVERIFY(BandRows(w) >= 8);
    w.SelectRow(single);  // the best band design, drawn in its own table
    QCOMPARE(w.Tables()->currentWidget(), w.BandTable());
    QVERIFY(w.Smith()->Data().path.size() > 1);
    QVERIFY(w.Response()->ShowsOptimisedBand());
    QVERIFY(w.Response()->ShowsBodeFano());  // 40 + j30 at 14.2 MHz is a series R-L
    w.Input(Field::kBand)->clear();
    QCOMPARE(BandRows(w), 0);
    QVERIFY(!w.Response()->ShowsOptimisedBand());
  }

  // The chart's pixels: the load where its normalized impedance says, the
  // way ending at the centre, and the standard parts' end.
  void smithChartPixels() {
    d::SmithChart chart;
    d::SmithData data;
    data.load = std::complex<double>(0.8, 0.6);
    data.path = {{0.8, 0.6}, {0.9, 0.2}, {1.0, 0.0}};
    data.standard_end = std::complex<double>(1.3, -0.5);
    chart.SetData(data);
    QImage image(500, 500, QImage::Format_ARGB32);
    {
      QPainter p(&image);
      chart.Render(p, QRectF(0, 0, 500, 500));
    }
    const QRectF area(0, 0, 500, 500);
    const auto at = [&](std::complex<double> z) {
      return d::SmithChart::ToPoint(d::Reflection(z), area).toPoint();
    };
    QCOMPARE(at({1, 0}), QPoint(250, 250));  // the centre is the match
    QVERIFY(Near(image.pixelColor(at(*data.load)), chart.LoadColour()));
    QVERIFY(Near(image.pixelColor(at({1, 0})), chart.PathColour()));
    QVERIFY(Near(image.pixelColor(at(*data.standard_end)), chart.StandardColour()));
    // Gamma of 0.8 + j0.6 is j/3: a third of the radius straight up.
    const double radius = 500 * 0.92 / 2;
    QCOMPARE(at(*data.load), QPoint(250, qRound(250 - radius / 3)));
  }

  // The read-out under the cursor is the point's impedance and reflection,
  // within a pixel, also zoomed in; the admittance grid's circles stand where
  // the normalized admittances say.
  void smithChartReadsAndDrawsItsGrids() {
    d::SmithChart chart;
    chart.resize(500, 500);
    const double radius = 500 * 0.92 / 2, pixel = 1.0 / radius;
    for (const QPointF at :
         {QPointF(250, 250), QPointF(330, 170), QPointF(120, 300), QPointF(400, 260)}) {
      const std::complex<double> gamma((at.x() - 250) / radius, (250 - at.y()) / radius);
      const d::SmithReadOut r = chart.ReadOutAt(at);
      QVERIFY(std::abs(r.gamma - gamma) < pixel);
      const std::complex<double> z = vorda::rf::ImpedanceOf(gamma, 1.0);
      QVERIFY(std::abs(r.z - z) < pixel * std::norm(1.0 + z));  // dz/dgamma = (1 + z)^2 / 2
      QVERIFY(r.text.startsWith(QStringLiteral("Z ")));
    }
    // Zoomed in about a point: the point stays under the cursor.
    const QPointF cursor(330, 170);
    const std::complex<double> before = chart.ReadOutAt(cursor).gamma;
    QWheelEvent wheel(cursor, chart.mapToGlobal(cursor), {}, {0, 480}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&chart, &wheel);
    QVERIFY(chart.Zoom() > 2);
    QVERIFY(std::abs(chart.ReadOutAt(cursor).gamma - before) < pixel / chart.Zoom());
    chart.ResetView();

    chart.SetGrid(d::SmithGrid::kAdmittance);
    QImage image(500, 500, QImage::Format_ARGB32);
    {
      QPainter p(&image);
      chart.Render(p, QRectF(0, 0, 500, 500));
    }
    const QColor base = chart.palette().color(QPalette::Base);
    for (const double b : {0.4, 1.5, -3.0}) {  // on the g = 1 circle: y = 1 + jb
      const std::complex<double> y(1, b);
      const QPoint at = chart.Map((1.0 - y) / (1.0 + y), QRectF(0, 0, 500, 500)).toPoint();
      QVERIFY2(image.pixelColor(at) != base, qPrintable(QString::number(b)));
    }
    QCOMPARE(image.pixelColor(chart.Map({0.1, 0.62}, QRectF(0, 0, 500, 500)).toPoint()), base);
  }

  // A drag along a series part's arc: the part follows, the input impedance
  // for its new value lies under the cursor, a series snaps it, and undo
  // brings the values back exactly.
  void dragTunesAPart() {
    DesignerWindow& w = Open();
    w.resize(1280, 860);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.Table()->selectRow(0);  // type 1: series L at the source, shunt C at the load
    d::SmithChart* chart = w.Smith();
    const auto handle = chart->Data().handles.at(0);  // the series L's end: the input
    QVERIFY(handle.has_value());
    const QRectF area = chart->rect();
    const QPointF from = chart->Map(d::Reflection(*handle), area);
    // Along the r = 1 circle (the input is the match), to x = 0.6.
    const QPointF to = chart->Map(d::Reflection({1.0, 0.6}), area);
    const double before = w.Model()->Result().rows[0].design->ideal.elements[0].part.value;
    QTest::mousePress(chart, Qt::LeftButton, Qt::NoModifier, from.toPoint());
    QTest::mouseMove(chart, ((from + to) / 2).toPoint());
    QTest::mouseMove(chart, to.toPoint());
    QTest::mouseRelease(chart, Qt::LeftButton, Qt::NoModifier, to.toPoint());
    const vorda::rf::Row* tuned = Tuned(w);
    QVERIFY(tuned != nullptr && tuned->design.has_value());
    QCOMPARE(QString::fromStdString(vorda::rf::RowName(*tuned)),
             QStringLiteral("Tuned: L type 1 (Series L, Shunt C)"));
    QCOMPARE(w.SelectedRow(), w.Model()->RowOfKey("tuned"));
    const vorda::rf::Network n = tuned->design->ideal;
    QVERIFY(n.elements[0].part.value > before);  // more inductance
    const std::complex<double> zin = n.InputImpedance(14.2e6, {40, 30}) / 50.0;
    const QPointF landed = chart->Map(d::Reflection(zin), area);
    QVERIFY2(std::hypot(landed.x() - to.x(), landed.y() - to.y()) <= 1.5,
             qPrintable(QStringLiteral("%1, %2").arg(landed.x()).arg(landed.y())));
    // With a series the value snaps to it; Shift drags freely.
    w.SeriesBox()->setCurrentText(QStringLiteral("E12"));
    QCOMPARE(w.SelectedRow(), w.Model()->RowOfKey("tuned"));
    const QPointF now = chart->Map(d::Reflection(*chart->Data().handles.at(0)), area);
    const QPointF further = chart->Map(d::Reflection({1.0, 0.9}), area);
    QTest::mousePress(chart, Qt::LeftButton, Qt::NoModifier, now.toPoint());
    QTest::mouseMove(chart, further.toPoint());
    QTest::mouseRelease(chart, Qt::LeftButton, Qt::NoModifier, further.toPoint());
    const double snapped = Tuned(w)->design->ideal.elements[0].part.value;
    const auto n12 = vorda::rf::StandardNeighbours(snapped, vorda::rf::ESeries::kE12);
    QVERIFY(n12 && n12->below == n12->above);  // a member of E12
    // vorda-match reproduces the tuned design from its values: the same
    // parts and figures as its given network.
    const QString cli_csv = dir_.filePath(QStringLiteral("tuned.csv"));
    Cli({"--json", "--type", "all", "--freq", "14.2M", "--sweep", "7.1M:21.3M:1001", "--series",
         "E12", "--network", vorda::rf::NetworkText(Tuned(w)->design->ideal), "--table-csv",
         cli_csv.toStdString(), "40", "30"});
    QFile cli_table(cli_csv);
    QVERIFY(cli_table.open(QIODevice::ReadOnly));
    const QList<QByteArray> ours = w.TableCsv().toUtf8().trimmed().split('\n');
    const QList<QByteArray> theirs = cli_table.readAll().trimmed().split('\n');
    QCOMPARE(ours.size(), theirs.size());
    QCOMPARE(ours.mid(0, ours.size() - 1), theirs.mid(0, theirs.size() - 1));
    QVERIFY(ours.back().contains("Tuned: L type 1"));
    QCOMPARE(Figures(ours.back()), Figures(theirs.back()));
    // Undo: the values before the last drag, exactly, the tuned row still
    // selected; again: the computed design, and the row it came from.
    w.UndoTuning();
    QCOMPARE(Tuned(w)->design->ideal.elements[0].part.value, n.elements[0].part.value);
    QCOMPARE(Tuned(w)->design->ideal.elements[1].part.value, n.elements[1].part.value);
    QCOMPARE(w.SelectedRow(), w.Model()->RowOfKey("tuned"));
    w.UndoTuning();
    QVERIFY(Tuned(w) == nullptr);
    QCOMPARE(w.SelectedRow(), 0);
    w.RedoTuning();
    QCOMPARE(Tuned(w)->design->ideal.elements[0].part.value, n.elements[0].part.value);
    QCOMPARE(QString::fromStdString(vorda::rf::RowName(*Tuned(w))),
             QStringLiteral("Tuned: L type 1 (Series L, Shunt C)"));
    QCOMPARE(w.SelectedRow(), w.Model()->RowOfKey("tuned"));
  }

  // A dark palette: a dark chart whose marks stand out from it.
  void smithChartReadsInTheDark() {
    d::SmithChart chart;
    QPalette dark = chart.palette();
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Text, QColor(220, 220, 220));
    chart.setPalette(dark);
    QImage image(300, 300, QImage::Format_ARGB32);
    {
      QPainter p(&image);
      chart.Render(p, QRectF(0, 0, 300, 300));
    }
    QCOMPARE(image.pixelColor(5, 290), QColor(30, 30, 30));
    for (const QColor& mark :
         {chart.LoadColour(), chart.PathColour(), chart.StandardColour(), chart.BuiltColour()}) {
      QVERIFY(mark.lightness() - 30 > 100);
    }
  }

  void exportsAreWholeOrNothing() {
    DesignerWindow& w = Open();
    // The table is vorda-match's for the same inputs, byte for byte.
    const QString csv = dir_.filePath(QStringLiteral("table.csv"));
    const QString cli_csv = dir_.filePath(QStringLiteral("cli.csv"));
    QVERIFY(w.SaveTable(csv));
    Cli({"--json", "--type", "all", "--freq", "14.2M", "--sweep", "7.1M:21.3M:1001", "--table-csv",
         cli_csv.toStdString(), "40", "30"});
    QFile table(csv), cli_table(cli_csv);
    QVERIFY(table.open(QIODevice::ReadOnly) && cli_table.open(QIODevice::ReadOnly));
    const QByteArray bytes = table.readAll();
    QCOMPARE(bytes, cli_table.readAll());
    QVERIFY(bytes.contains("# frequency (Hz): 14200000\n"));
    QVERIFY(w.SaveNetlist(dir_.filePath(QStringLiteral("match.cir"))));
    QVERIFY(w.SaveSmithChart(dir_.filePath(QStringLiteral("smith.svg"))));
    QVERIFY(w.SaveResponse(dir_.filePath(QStringLiteral("response.png"))));
    QVERIFY(w.SaveResponse(dir_.filePath(QStringLiteral("response.svg"))));
    QVERIFY(!QImage(dir_.filePath(QStringLiteral("response.png"))).isNull());
    for (const char* name : {"smith.svg", "response.svg"}) {
      // Well-formed, an <svg> at the root, and the drawing and its words in it.
      QFile svg(dir_.filePath(QString::fromLatin1(name)));
      QVERIFY(svg.open(QIODevice::ReadOnly));
      QXmlStreamReader xml(&svg);
      int paths = 0, texts = 0;
      QVERIFY(xml.readNextStartElement() && xml.name() == QStringLiteral("svg"));
      while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement) {
          paths += xml.name() == QStringLiteral("path");
          texts += xml.name() == QStringLiteral("text");
        }
      }
      QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
      QVERIFY(paths > 10 && texts > 5);
    }
    QVERIFY(!w.SaveTable(dir_.filePath(QStringLiteral("no/such/folder/t.csv"))));
    // An encoder that fails leaves the picture saved before as it was.
    QFile png(dir_.filePath(QStringLiteral("response.png")));
    QVERIFY(png.open(QIODevice::ReadOnly));
    const QByteArray before = png.readAll();
    png.close();
    w.SetPngEncoder([](const QImage&, QIODevice&) { return false; });
    QVERIFY(!w.SaveResponse(png.fileName()));
    QVERIFY(png.open(QIODevice::ReadOnly));
    QCOMPARE(png.readAll(), before);
    QCOMPARE(boxes_.boxes.size(), 2u);
    for (const auto& box : boxes_.boxes) {
      QVERIFY(QString::fromStdString(box.prompt).contains(QStringLiteral("nothing was changed")));
    }
  }

  void remembersInputsBetweenRuns() {
    {
      // What an earlier version kept, under the fields' labels, comes back
      // once and is kept under stable keys from then on.
      QSettings former(QStringLiteral("VordaForWin"), QString::fromLatin1(d::kDesignerTitle));
      former.setValue(QStringLiteral("inputs/Q of inductors"), QStringLiteral("80"));
      former.setValue(QStringLiteral("inputs/Best by"), QStringLiteral("Bandwidth"));
    }
    {
      DesignerWindow& w = Open();
      QCOMPARE(w.Input(Field::kQInductor)->text(), QStringLiteral("80"));
      QCOMPARE(w.RankingBox()->currentText(), QStringLiteral("Bandwidth"));
      Type(w, Field::kZ0, "75");
      w.SeriesBox()->setCurrentText(QStringLiteral("E24"));
      w.close();
    }
    const QSettings kept(QStringLiteral("VordaForWin"), QString::fromLatin1(d::kDesignerTitle));
    QVERIFY(!kept.contains(QStringLiteral("inputs/Q of inductors")));
    DesignerWindow& again = Open();
    QCOMPARE(again.Input(Field::kZ0)->text(), QStringLiteral("75"));
    QCOMPARE(again.Input(Field::kQInductor)->text(), QStringLiteral("80"));
    QCOMPARE(again.SeriesBox()->currentText(), QStringLiteral("E24"));
    QCOMPARE(again.RankingBox()->currentText(), QStringLiteral("Bandwidth"));
  }

  void keyboard() {
    DesignerWindow& w = Open();
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.Input(Field::kZ0)->setFocus();
    QWidget* expected[] = {w.Input(Field::kSource), w.Input(Field::kLoadR), w.Input(Field::kLoadX)};
    for (QWidget* next : expected) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), next);
    }
    for (int i = 0; i < 12 && QApplication::focusWidget() != w.Table(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(QApplication::focusWidget(), w.Table());  // the table is reachable by Tab
    w.Input(Field::kZ0)->setFocus();
    QTest::keyClick(w.Input(Field::kZ0), Qt::Key_Escape);
    QCOMPARE(w.Input(Field::kZ0)->text(), QStringLiteral("50"));
    QVERIFY(w.isVisible());
  }
};

VORDA_QTEST_MAIN(DesignerTest)

#include "DesignerTest.moc"
