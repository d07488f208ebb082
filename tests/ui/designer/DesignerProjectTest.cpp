// Project files in the designer: what the window saves, vorda-match
// --project designs to the same table and a fresh window opens to the
// same table and the same tuned design; a project that cannot be read
// leaves the inputs as they were, and a later version's keys are named;
// the File menu asks for the file.
#include <QMenuBar>
#include <QProcess>

#include "tests/ui/designer/DesignerFixture.h"

using namespace vorda::designer::testing;

namespace {

// The built vorda-match run on a command line: its exit status, and what
// it wrote on standard error.
std::pair<int, QString> RunMatch(const QStringList& args) {
  QProcess match;
  match.start(QStringLiteral(VORDA_MATCH), args);
  if (!match.waitForFinished(120000)) return {-1, match.errorString()};
  return {match.exitStatus() == QProcess::NormalExit ? match.exitCode() : -1,
          QString::fromUtf8(match.readAllStandardError())};
}

QByteArray Contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& text) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(text);
}

}  // namespace

class DesignerProjectTest : public DesignerFixture {
  Q_OBJECT

 private slots:
  // A measured antenna over a band with a tolerance, saved in a folder of
  // its own: vorda-match makes the window's table of it, and so does a
  // fresh window that opens it.
  void cliAndAFreshWindowMakeTheWindowsTable() {
    DesignerWindow& w = Open();
    QVERIFY(w.OpenMeasurement(QStringLiteral(VORDA_SOURCE_DIR "/docs/examples/dipole.s1p")));
    Type(w, Field::kFrequency, QStringLiteral("14.2M"));
    Type(w, Field::kBand, QStringLiteral("14M:14.35M"));
    Type(w, Field::kQInductor, QStringLiteral("150"));
    Type(w, Field::kTolerance, QStringLiteral("5%"));
    w.SeriesBox()->setCurrentText(QStringLiteral("E12"));
    w.MaxPartsBox()->setCurrentText(QStringLiteral("3"));
    QTRY_VERIFY_WITH_TIMEOUT(BandRows(w) > 0 && !w.Optimising(), 60000);
    const QString table = w.TableCsv();
    QVERIFY(table.contains(QStringLiteral("over the band")));

    QVERIFY(QDir(dir_.path()).mkpath(QStringLiteral("projects")));
    const QString project = dir_.filePath(QStringLiteral("projects/dipole.vdproj.json"));
    QVERIFY(w.SaveProject(project));
    const QString csv = dir_.filePath(QStringLiteral("cli.csv"));
    const auto [status, err] =
        RunMatch({QStringLiteral("--project"), project, QStringLiteral("--table-csv"), csv});
    QCOMPARE(status, 0);
    QVERIFY2(!err.contains(QStringLiteral("vorda-match:")), qPrintable(err));
    QCOMPARE(QString::fromUtf8(Contents(csv)), table);

    window_.reset();
    Settings().clear();
    DesignerWindow& fresh = Open();
    QVERIFY(fresh.OpenProject(project));
    QTRY_VERIFY_WITH_TIMEOUT(BandRows(fresh) > 0 && !fresh.Optimising(), 60000);
    QCOMPARE(fresh.TableCsv(), table);
    QCOMPARE(fresh.Input(Field::kTolerance)->text(), QStringLiteral("5%"));
    QCOMPARE(fresh.MaxPartsBox()->currentText(), QStringLiteral("3"));
    QVERIFY(boxes_.boxes.empty());
  }

  // A design tuned by hand is kept: a fresh window has it as its tuned
  // row, and vorda-match gives it as the network of given parts.
  void theTunedDesignIsKept() {
    DesignerWindow& w = Open();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.Table()->selectRow(0);
    d::SmithChart* chart = w.Smith();
    const QRectF area = chart->rect();
    const QPointF from = chart->Map(d::Reflection(*chart->Data().handles.at(0)), area);
    const QPointF to = chart->Map(d::Reflection({1.0, 0.6}), area);
    QTest::mousePress(chart, Qt::LeftButton, Qt::NoModifier, from.toPoint());
    QTest::mouseMove(chart, to.toPoint());
    QTest::mouseRelease(chart, Qt::LeftButton, Qt::NoModifier, to.toPoint());
    QVERIFY(w.TunedDesign().has_value());
    const d::Tuned tuned = *w.TunedDesign();
    const QByteArray row = w.TableCsv().toUtf8().trimmed().split('\n').back();
    QVERIFY(row.contains("Tuned: L type 1"));

    const QString project = dir_.filePath(QStringLiteral("tuned.vdproj.json"));
    QVERIFY(w.SaveProject(project));
    window_.reset();
    Settings().clear();
    DesignerWindow& fresh = Open();
    QVERIFY(fresh.OpenProject(project));
    QVERIFY(fresh.TunedDesign() == tuned);
    QCOMPARE(fresh.TableCsv().toUtf8().trimmed().split('\n').back(), row);

    const QString csv = dir_.filePath(QStringLiteral("tuned.csv"));
    const auto [status, err] =
        RunMatch({QStringLiteral("--project"), project, QStringLiteral("--table-csv"), csv});
    QCOMPARE(status, 0);
    const QByteArray given = Contents(csv).trimmed().split('\n').back();
    QVERIFY2(given.contains(",given,"), given.constData());
    QCOMPARE(Figures(given), Figures(row));
  }

  // A file that is no project is refused, saying why, and the inputs stay;
  // a later version's project is read, the keys it does not know named on
  // the status line and by vorda-match.
  void refusedAndLaterProjects() {
    DesignerWindow& w = Open();
    Type(w, Field::kZ0, QStringLiteral("75"));
    const QString table = w.TableCsv();
    const QString other = dir_.filePath(QStringLiteral("other.json"));
    Write(other, R"({"format": "touchstone", "version": 1, "fields": {"z0": "60"}})");
    QVERIFY(!w.OpenProject(other));
    QCOMPARE(boxes_.boxes.size(), std::size_t{1});
    const std::string& prompt = boxes_.boxes.front().prompt;
    QVERIFY2(prompt.find("other.json") != std::string::npos &&
                 prompt.find("\"touchstone\"") != std::string::npos,
             prompt.c_str());
    QVERIFY(w.StatusLine()->toolTip().contains(QStringLiteral("other.json")));
    QCOMPARE(w.Input(Field::kZ0)->text(), QStringLiteral("75"));
    QCOMPARE(w.TableCsv(), table);
    const auto [refused, why] = RunMatch({QStringLiteral("--project"), other});
    QCOMPARE(refused, 2);
    QVERIFY2(why.contains(QStringLiteral("other.json")), qPrintable(why));

    const QString later = dir_.filePath(QStringLiteral("later.json"));
    Write(later, R"({"format": "vorda-designer-project", "version": 2, "colour": "teal",
                     "fields": {"z0": "60", "glow": "1"}, "series": "E24"})");
    boxes_.boxes.clear();
    QVERIFY(w.OpenProject(later));
    QVERIFY(boxes_.boxes.empty());
    QCOMPARE(w.Input(Field::kZ0)->text(), QStringLiteral("60"));
    QCOMPARE(w.SeriesBox()->currentText(), QStringLiteral("E24"));
    const QString status = w.StatusLine()->toolTip();
    QVERIFY2(
        status.contains(QStringLiteral("colour")) && status.contains(QStringLiteral("fields.glow")),
        qPrintable(status));
    const auto [read, note] = RunMatch({QStringLiteral("--project"), later});
    QCOMPARE(read, 0);
    QVERIFY2(
        note.contains(QStringLiteral("vorda-match: ")) && note.contains(QStringLiteral("colour")),
        qPrintable(note));
  }

  // The File menu's items ask for a project file, and save or open it.
  void theFileMenuAsksForAProject() {
    DesignerWindow& w = Open();
    const QString path = dir_.filePath(QStringLiteral("menu.vdproj.json"));
    QStringList asked;
    w.SetFileChooser([&](const QString& caption, const QString& filter, bool save) {
      asked << caption + QLatin1Char('|') + filter + (save ? QStringLiteral("|save") : QString());
      return path;
    });
    const auto item = [&w](const QString& text) {
      for (QAction* menu : w.menuBar()->actions()) {
        for (QAction* a : menu->menu()->actions()) {
          if (a->text() == text) return a;
        }
      }
      return static_cast<QAction*>(nullptr);
    };
    QAction* save = item(QStringLiteral("Save &Project\u2026"));
    QAction* open = item(QStringLiteral("&Open Project\u2026"));
    QVERIFY(save != nullptr && open != nullptr);
    Type(w, Field::kZ0, QStringLiteral("75"));
    save->trigger();
    QVERIFY(QFile::exists(path));
    Type(w, Field::kZ0, QStringLiteral("50"));
    open->trigger();
    QCOMPARE(w.Input(Field::kZ0)->text(), QStringLiteral("75"));
    const QString filter =
        QStringLiteral("Designer projects (*.vdproj.json *.json);;All files (*)");
    QCOMPARE(asked, QStringList({QStringLiteral("Save Project|") + filter + QStringLiteral("|save"),
                                 QStringLiteral("Open Project|") + filter}));
  }
};

VORDA_QTEST_MAIN(DesignerProjectTest)
#include "DesignerProjectTest.moc"
