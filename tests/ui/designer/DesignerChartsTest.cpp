// The designer's Smith chart: its pixels, grids and read-out, in the dark
// too, and tuning by dragging a part along its arc.
#include "tests/ui/designer/DesignerFixture.h"

using namespace vorda::designer::testing;

class DesignerChartsTest : public DesignerFixture {
  Q_OBJECT

 private slots:
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

  // With a complex source the read-out measures the match as the table
  // does: the input of the selected design is a perfect match to it.
  void readOutMatchesTheTableWithAComplexSource() {
    DesignerWindow& w = Open();
    Type(w, Field::kZ0, "75");
    Type(w, Field::kSource, "150+75j");
    Type(w, Field::kLoadR, "75");
    Type(w, Field::kLoadX, "15");
    Type(w, Field::kFrequency, "2G");
    w.resize(1280, 860);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    d::SmithChart* chart = w.Smith();
    const auto input = chart->Data().handles.at(0);
    QVERIFY(input.has_value());
    const QString text = chart->ReadOutAt(chart->Map(d::Reflection(*input), chart->rect())).text;
    QVERIFY2(text.contains(QStringLiteral("VSWR 1, RL ")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("(to the source)")), qPrintable(text));
  }

  // With a tolerance the table has a yield column and the response chart
  // shades where 90 % of the builds lie, around the curve of the parts as
  // built; with a package the parts are compensated and still match.
  void toleranceShowsItsYieldAndSpread() {
    DesignerWindow& w = Open();
    w.PackageBox()->setCurrentIndex(w.PackageBox()->findText(QStringLiteral("0603")));
    Type(w, Field::kTolerance, "10%");
    const auto& rows = w.Model()->Result().rows;
    const auto designed = std::find_if(rows.begin(), rows.end(),
                                       [](const vorda::rf::Row& t) { return t.yield.has_value(); });
    QVERIFY(designed != rows.end());
    QVERIFY(designed->design->uncompensated.has_value());
    QVERIFY(designed->design->match.return_loss_db.value_or(1e9) > 60);
    for (const vorda::rf::Figure& f : vorda::rf::Figures()) {
      if (std::string(f.json) == "yield") QVERIFY(!w.Table()->isColumnHidden(d::FigureColumn(f)));
    }
    w.Table()->selectRow(static_cast<int>(designed - rows.begin()));
    const auto& envelope = w.Response()->Data().envelope;
    QVERIFY(envelope.has_value());
    QVERIFY(!envelope->low_db.empty());
    Type(w, Field::kTolerance, "5 percent");
    QVERIFY(w.Input(Field::kTolerance)->property("invalid").toBool());
  }

  // The response chart at a laptop's width: the legend wraps rather than
  // being cut; the bands are strips at the plot's edges, so that inside
  // them the plot is its own colour, not a mix of shadings; a Bode-Fano
  // limit beyond the axis is written, not drawn on the edge.
  void responseChartKeepsItsMarksApart() {
    d::ResponseChart chart;
    chart.resize(480, 320);
    d::ResponseData data;
    vorda::rf::Response curve;
    for (int k = 0; k <= 100; ++k) {
      data.frequencies.push_back(1e6 + k * 1e4);
      curve.return_loss_db.push_back(3.0);
      curve.vswr.push_back(5.85);
      curve.insertion_loss_db.push_back(0.5);
    }
    data.ideal = data.standard = data.built = data.bare = curve;
    data.band = true;
    data.band_low = 1.2e6;
    data.band_high = 1.8e6;
    data.optimised = {{1.3e6, 1.5e6, 122.0}, {1.6e6, 1.7e6, 12.0}};
    data.rejected = {{1.9e6, 1.95e6, std::nullopt}};
    chart.SetData(data);
    const QRectF area(0, 0, 480, 320);
    const auto legend = chart.LegendRects(area);
    QCOMPARE(legend.size(), std::size_t{8});
    QVERIFY(legend.back().top() > legend.front().top());  // a second row
    for (const QRectF& r : legend) QVERIFY(area.contains(r));
    QVERIFY(chart.BodeFanoLabel().value_or(QString()).contains(QStringLiteral("122 dB")));
    data.optimised.resize(1);
    data.optimised[0].bode_fano_db = 12.0;
    chart.SetData(data);
    QVERIFY(!chart.BodeFanoLabel());
    QImage image(480, 320, QImage::Format_ARGB32);
    {
      QPainter p(&image);
      chart.Render(p, area);
    }
    const QColor base = chart.palette().color(QPalette::Base);
    int plain = 0;  // down the column of 1.4 MHz, in all three bands
    for (int y = 60; y < 200; ++y) plain += image.pixelColor(240, y) == base ? 1 : 0;
    QVERIFY2(plain > 70, qPrintable(QString::number(plain)));
  }

  // The reactances are written on the rim, where their arcs meet it.
  void smithChartLabelsItsRim() {
    d::SmithChart chart;
    QImage image(500, 500, QImage::Format_ARGB32);
    {
      QPainter p(&image);
      chart.Render(p, QRectF(0, 0, 500, 500));
    }
    const QColor base = chart.palette().color(QPalette::Base);
    const QPointF centre(250, 250);
    for (const double x : {0.2, 0.5, 1.0, 2.0, 5.0, -0.2, -0.5, -1.0, -2.0, -5.0}) {
      const std::complex<double> z(0, x);
      const std::complex<double> g = (z - 1.0) / (z + 1.0);
      const QPointF out = centre + QPointF(g.real(), -g.imag()) * (500 * 0.92 / 2 + 8);
      bool ink = false;
      for (int dx = -6; dx <= 6; ++dx) {
        for (int dy = -3; dy <= 3; ++dy)
          ink = ink || image.pixelColor(out.toPoint() + QPoint(dx, dy)) != base;
      }
      QVERIFY2(ink, qPrintable(QString::number(x)));
    }
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
};

VORDA_QTEST_MAIN(DesignerChartsTest)

#include "DesignerChartsTest.moc"
