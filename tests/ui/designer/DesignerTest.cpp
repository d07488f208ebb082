// The designer window: its table against vorda-match, refusals, strict
// inputs, measurements, the band rows, exports and settings.
#include "tests/ui/designer/DesignerFixture.h"

using namespace vorda::designer::testing;

class DesignerTest : public DesignerFixture {
  Q_OBJECT

 private slots:
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
    // The schematic's ground is drawn, not a glyph the fonts may not have.
    const QString tip = Cell(w, best, d::kColumnType, Qt::ToolTipRole).toString();
    QVERIFY(!tip.contains(QChar(0x23da)));
    const qsizetype png = tip.indexOf(QStringLiteral("base64,")) + 7;
    QVERIFY(png > 7);
    const QImage ground = QImage::fromData(
        QByteArray::fromBase64(tip.mid(png, tip.indexOf(QLatin1Char('"'), png) - png).toLatin1()));
    QVERIFY(!ground.isNull() && ground.pixelColor(ground.width() / 2, 0).alpha() > 0);
    const int rl = Col(G::kMatch, "return_loss_db");
    for (int row = 0; row < 8; ++row) {
      QVERIFY(Cell(w, row, rl).toDouble() <= Cell(w, best, rl).toDouble());
    }
  }

  void refusedRowsSayWhy() {
    DesignerWindow& w = Open();
    for (int row : {1, 2, 6, 7}) {
      QCOMPARE(Cell(w, row, d::kColumnStatus, Qt::DisplayRole).toString(),
               QStringLiteral("refused"));
      QVERIFY(Cell(w, row, d::kColumnStatus, Qt::ToolTipRole)
                  .toString()
                  .startsWith(QStringLiteral("refused: load in the upper half")));
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
    // Every row shown is in the saved table, and the table has a column for
    // every figure, with a number wherever the row has that figure.
    const QString csv = w.TableCsv();
    for (int row = 0; row < w.Model()->rowCount(); ++row) {
      const auto& t = *w.Model()->RowAt(row);
      QVERIFY(
          csv.contains(QStringLiteral(",%1,").arg(QString::fromStdString(vorda::rf::RowKey(t)))));
      for (const auto& f : vorda::rf::Figures()) {
        const int c = d::FigureColumn(f);
        QCOMPARE(w.Model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QString::fromUtf8(f.title));
        if (!t.design || !vorda::rf::HasGroup(t, f.group)) continue;  // only then asked
        const bool value = f.format == vorda::rf::FigureFormat::kImpedance
                               ? f.impedance(t).has_value()
                               : f.value(t).has_value();
        if (value) QVERIFY(Cell(w, row, c).isValid());
      }
    }
    w.Input(Field::kBand)->clear();
    QCOMPARE(BandRows(w), 0);
    QVERIFY(!w.Response()->ShowsOptimisedBand());
  }

  // "Best by" chooses the best over the band too: the star, the status line,
  // the selection and the charts follow it; back at the frequency the
  // selection is that table's best, never a refused row.
  // At 1366 x 768 the band table's parts are whole, and its network column
  // stays while the figures scroll.
  void bestOverTheBandFollowsTheRanking() {
    DesignerWindow& w = Open();
    w.resize(1366, 768);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    Type(w, Field::kBand, "13M:15M");
    QTRY_VERIFY_WITH_TIMEOUT(BandRows(w) > 0 && !w.Optimising(), 20000);
    QTableView* band = w.BandTable();
    w.SelectRow(static_cast<int>(*vorda::rf::BandBest(w.Model()->Result())));
    const int parts = band->columnWidth(d::kColumnParts);
    band->resizeColumnToContents(d::kColumnParts);
    QVERIFY(parts >= band->columnWidth(d::kColumnParts));
    band->horizontalScrollBar()->setValue(band->horizontalScrollBar()->maximum());
    QVERIFY(band->horizontalScrollBar()->maximum() > 0);
    auto* frozen = band->findChild<QTableView*>(QStringLiteral("bandTableFrozen"));
    QVERIFY(frozen != nullptr && frozen->isVisible() && !frozen->isColumnHidden(d::kColumnType));
    QCOMPARE(frozen->columnWidth(d::kColumnType), band->columnWidth(d::kColumnType));
    QCOMPARE(frozen->x(), band->frameWidth());
    const auto best = [&w] { return *vorda::rf::BandBest(w.Model()->Result()); };
    const std::string before = vorda::rf::RowKey(*w.Model()->RowAt(static_cast<int>(best())));
    w.RankingBox()->setCurrentText(QStringLiteral("Low-pass first"));
    QTRY_VERIFY_WITH_TIMEOUT(!w.Optimising(), 20000);
    const auto& r = w.Model()->Result();
    const vorda::rf::Row& row = r.rows[best()];
    QVERIFY(vorda::rf::RowKey(row) != before);
    QCOMPARE(w.SelectedRow(), static_cast<int>(best()));
    QVERIFY(Cell(w, static_cast<int>(best()), d::kColumnType, Qt::DisplayRole)
                .toString()
                .startsWith(QChar(0x2605)));
    QCOMPARE(w.Smith()->Data().path, vorda::rf::ChartsOf(*w.Request(), r, best()).smith.path);
    QVERIFY(w.StatusLine()->toolTip().contains(
        QStringLiteral("Over the band: %1,")
            .arg(QString::fromStdString(vorda::rf::KindName(row.kind)))));
    w.Tables()->setCurrentIndex(0);
    QCOMPARE(w.SelectedRow(), static_cast<int>(*r.best));
  }

  // The band search tries the ladders the user allows, the same designs
  // vorda-match finds with --max-parts; a long search counts its networks
  // (570 ladders of 2 to 6 parts).
  void bandSearchSizeIsTheUsers() {
    DesignerWindow& w = Open();
    QCOMPARE(w.MaxPartsBox()->currentText(), QStringLiteral("4"));
    w.MaxPartsBox()->setCurrentText(QStringLiteral("2"));
    Type(w, Field::kBand, "13M:15M");
    QTRY_VERIFY_WITH_TIMEOUT(BandRows(w) > 0, 20000);
    const auto doc =
        Cli({"--json", "--freq", "14.2M", "--band", "13M:15M", "--max-parts", "2", "40", "30"});
    const auto& designs = doc["band"]["designs"];
    QCOMPARE(BandRows(w), static_cast<int>(designs.size()));
    for (const auto& design : designs) {
      const int row = w.Model()->RowOfKey(design["key"].get<std::string>());
      QVERIFY(row >= 0);
      QCOMPARE(w.Model()->RowAt(row)->band->worst_return_loss_db.value_or(-1),
               design["band"]["worst_return_loss_db"].get<double>());
    }
    w.MaxPartsBox()->setCurrentText(QStringLiteral("6"));
    QTRY_VERIFY_WITH_TIMEOUT(
        w.StatusLine()->toolTip().contains(QStringLiteral("\u2026 ")) &&
            w.StatusLine()->toolTip().contains(QStringLiteral(" of 570 networks.")),
        20000);
    w.Input(Field::kBand)->clear();  // cancels the search
    QVERIFY(!w.Optimising());
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
      QSettings former = Settings();
      former.setValue(QStringLiteral("inputs/Q of inductors"), QStringLiteral("80"));
      former.setValue(QStringLiteral("inputs/Best by"), QStringLiteral("Bandwidth"));
    }
    {
      DesignerWindow& w = Open();
      QCOMPARE(w.Input(Field::kQInductor)->text(), QStringLiteral("80"));
      QCOMPARE(w.RankingBox()->currentText(), QStringLiteral("Bandwidth"));
      Type(w, Field::kZ0, "75");
      w.SeriesBox()->setCurrentText(QStringLiteral("E24"));
      w.MaxPartsBox()->setCurrentText(QStringLiteral("5"));
      w.close();
    }
    const QSettings kept = Settings();
    QVERIFY(!kept.contains(QStringLiteral("inputs/Q of inductors")));
    DesignerWindow& again = Open();
    QCOMPARE(again.Input(Field::kZ0)->text(), QStringLiteral("75"));
    QCOMPARE(again.Input(Field::kQInductor)->text(), QStringLiteral("80"));
    QCOMPARE(again.SeriesBox()->currentText(), QStringLiteral("E24"));
    QCOMPARE(again.RankingBox()->currentText(), QStringLiteral("Bandwidth"));
    QCOMPARE(again.MaxPartsBox()->currentText(), QStringLiteral("5"));
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
    for (int i = 0; i < 40 && QApplication::focusWidget() != w.Table(); ++i) {
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
