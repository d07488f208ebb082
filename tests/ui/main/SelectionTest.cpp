// The main window: choosing a type, its picture and its region diagram.
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <cmath>

#include <QApplication>
#include <QtTest>
#include "tests/support/QtTestMain.h"
#include "ui/main/ClientArea.h"
#include "ui/main/ImageBox.h"
#include "ui/main/RegionDiagram.h"
#include "ui/main/TypeCatalogue.h"

#include "tests/ui/main/WindowFixture.h"

using vorda::MsgStyle;
using vorda::ui::Vorda1;
using namespace vorda::ui::testing;

namespace {

// Points well inside the six areas of the diagram, in twips: the upper and
// lower halves outside the small circles, then the upper and lower halves of
// the right-hand and of the left-hand circle.
struct Probe {
  const char* area;
  int x, y;
};
const Probe kProbes[] = {{"upper", 9165, 310},        {"lower", 9165, 2910},
                         {"right upper", 9915, 1310}, {"right lower", 9915, 1910},
                         {"left upper", 8415, 1310},  {"left lower", 8415, 1910}};

}  // namespace

class SelectionTest : public WindowFixture {
  Q_OBJECT

 private slots:
  void selectionPresentsEachType() {
    Vorda1& w = Start();
    QVERIFY(w.Form_Load());
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QColor bg = w.centralWidget()->palette().color(QPalette::Button);
    const QColor R(255, 0, 0), B(0, 0, 255), G(0, 255, 0);
    const std::vector<QColor> expected[] = {{R, bg, B, B, bg, bg},   {bg, R, bg, bg, G, G},
                                            {bg, R, B, B, bg, bg},   {R, bg, bg, bg, G, G},
                                            {R, bg, bg, bg, bg, bg}, {R, bg, bg, bg, bg, bg},
                                            {bg, R, bg, bg, bg, bg}, {bg, R, bg, bg, bg, bg}};
    const char* const kButtonCaptions[] = {
        "Series L, Shunt C", "Shunt C, Series L", "Series C, Shunt L", "Shunt L, Series C",
        "Series C, Shunt C", "Shunt C, Series C", "Series L, Shunt L", "Shunt L, Series L"};
    for (int i = 7; i >= 0; --i) {  // every type is a change from the one before
      QTest::mouseClick(Option(w, i), Qt::LeftButton);
      QCOMPARE(w.TypeIndex(), i + 1);
      const auto& entry = vorda::ui::kCatalogue[static_cast<std::size_t>(i)];
      const auto& type = vorda::kSectionTypes[static_cast<std::size_t>(i)];
      QCOMPARE(Text(w, "lblTypeDescrip"), QString::fromUtf8(entry.description));
      QCOMPARE(Text(w, "lblFirstLabel"), QString::fromUtf8(type.first_component));
      QCOMPARE(Text(w, "lblSecondLabel"), QString::fromUtf8(type.second_component));
      QCOMPARE(Option(w, i)->text(), QString::fromLatin1(kButtonCaptions[i]));
      const QImage shown = static_cast<vorda::ui::ImageBox*>(w.findChild<QWidget*>("Image1"))
                               ->Picture()
                               .convertToFormat(QImage::Format_ARGB32);
      const QImage file =
          QImage(AssetFolder() + "/" + entry.picture).convertToFormat(QImage::Format_ARGB32);
      QVERIFY(!file.isNull());
      QCOMPARE(shown, file);
      const QImage grab = w.centralWidget()->grab().toImage();
      for (std::size_t p = 0; p < std::size(kProbes); ++p) {
        QVERIFY2(ColourAtTwips(grab, kProbes[p].x, kProbes[p].y) == expected[i][p],
                 qPrintable(QStringLiteral("type %1, %2").arg(i + 1).arg(kProbes[p].area)));
      }
    }
    QVERIFY(boxes_.boxes.empty());
  }

  void sharedDiagrams() {
    Vorda1& w = Start();
    QVERIFY(w.Form_Load());
    auto diagram = [&w] {
      auto* client = static_cast<vorda::ui::ClientArea*>(w.centralWidget());
      return client->Diagram().Image();
    };
    for (auto [a, b] : {std::pair{4, 5}, std::pair{6, 7}}) {
      Option(w, a)->setChecked(true);
      const QImage first = diagram();
      Option(w, b)->setChecked(true);
      QCOMPARE(diagram(), first);
      QVERIFY(Text(w, "lblFirstLabel") != "");
    }
    Option(w, 6)->setChecked(true);
    const QString seven = Text(w, "lblTypeDescrip");
    Option(w, 7)->setChecked(true);
    QCOMPARE(Text(w, "lblTypeDescrip"), seven);
    QCOMPARE(Text(w, "lblFirstLabel"), QStringLiteral("Shunt L"));
  }

  void selectionBlanksOnlyTheResults() {
    Vorda1& w = Start();
    QVERIFY(w.Form_Load());
    QTest::mouseClick(w.findChild<QPushButton*>("cmdCompute"), Qt::LeftButton);
    QTest::mouseClick(Option(w, 3), Qt::LeftButton);
    for (auto label : {vorda::ResultLabel::kFirstComponent, vorda::ResultLabel::kSecondComponent,
                       vorda::ResultLabel::kFirstOhms, vorda::ResultLabel::kSecondOhms}) {
      QCOMPARE(Text(w, vorda::ObjectName(label)), QString());
    }
    QCOMPARE(Text(w, "lblNormReal"), QStringLiteral(".800"));
    QCOMPARE(Text(w, "lblNormImag"), QStringLiteral(".600"));
    QCOMPARE(Text(w, "txtInReal"), QStringLiteral("40"));
  }

  void missingPictureAtSelection() {
    QTemporaryDir dir;
    for (const char* f : {"VordaTypeA.gif", "VordaTypeB.gif"}) {
      QVERIFY(QFile::copy(AssetFolder() + "/" + f, dir.path() + "/" + f));
    }
    Vorda1& w = Start(dir.path());
    QVERIFY(w.Form_Load());
    QTest::mouseClick(w.findChild<QPushButton*>("cmdCompute"), Qt::LeftButton);
    auto* client = static_cast<vorda::ui::ClientArea*>(w.centralWidget());
    const QImage diagram_before = client->Diagram().Image();
    auto* image = static_cast<vorda::ui::ImageBox*>(w.findChild<QWidget*>("Image1"));
    const QImage picture_before = image->Picture();

    QTest::mouseClick(Option(w, 2), Qt::LeftButton);  // type 3: VordaTypeC.gif is missing
    QCOMPARE(boxes_.boxes.size(), 1u);
    QCOMPARE(boxes_.boxes[0].title, std::string("VordaForWin"));
    QCOMPARE(boxes_.boxes[0].style, MsgStyle::kCritical);
    QVERIFY(QString::fromStdString(boxes_.boxes[0].prompt)
                .endsWith(QDir::separator() + QStringLiteral("VordaTypeC.gif")));
    QCOMPARE(w.TypeIndex(), 3);
    QCOMPARE(Text(w, "lblFirstLabel"), QStringLiteral("Series C"));
    QCOMPARE(Text(w, "lblTypeDescrip"), QString::fromUtf8(vorda::ui::kCatalogue[2].description));
    QCOMPARE(image->Picture(), picture_before);
    QCOMPARE(client->Diagram().Image(), diagram_before);
    QCOMPARE(Text(w, "lblFirstOhms"), QStringLiteral("25.000"));  // results not blanked
  }

  void missingPictureAtStartUp() {
    QTemporaryDir dir;
    Vorda1& w = Start(dir.path());
    QVERIFY(!w.Form_Load());
    QVERIFY(!w.isVisible());
    QCOMPARE(boxes_.boxes.size(), 1u);
    QVERIFY(QString::fromStdString(boxes_.boxes[0].prompt).contains("VordaTypeA.gif"));
  }

  void unreadablePicture() {
    QTemporaryDir dir;
    QVERIFY(QFile::copy(AssetFolder() + "/VordaTypeA.gif", dir.path() + "/VordaTypeA.gif"));
    QFile bad(dir.path() + "/VordaTypeB.gif");
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("not a picture at all");
    bad.close();
    Vorda1& w = Start(dir.path());
    QVERIFY(w.Form_Load());
    QTest::mouseClick(Option(w, 1), Qt::LeftButton);
    QCOMPARE(boxes_.boxes.size(), 1u);
    QVERIFY(QString::fromStdString(boxes_.boxes[0].prompt).contains("VordaTypeB.gif"));
  }

  // A dark desktop palette: the black texts stay on a light button face,
  // and the diagram's background follows the window's button face.
  void darkDesktopPalette() {
    const QPalette before = QApplication::palette();
    QPalette dark = before;
    for (auto role : {QPalette::Window, QPalette::Button, QPalette::Base}) {
      dark.setColor(role, QColor(40, 40, 40));
    }
    for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
      dark.setColor(role, QColor(230, 230, 230));
    }
    QApplication::setPalette(dark);
    {
      Vorda1& w = Start();
      QVERIFY(w.Form_Load());
      const QColor face = w.centralWidget()->palette().color(QPalette::Button);
      QVERIFY(face.lightness() > 160);
      for (QLabel* label : w.findChildren<QLabel*>()) {
        const QColor text = label->palette().color(QPalette::WindowText);
        QVERIFY2(std::abs(text.lightness() - face.lightness()) > 120,
                 qPrintable(label->objectName()));
      }
      const QImage grab = w.centralWidget()->grab().toImage();
      QCOMPARE(ColourAtTwips(grab, 9165, 2910), face);  // lower half: background
      window_.reset();
    }
    QApplication::setPalette(before);
    Vorda1& w = Start();
    QCOMPARE(w.centralWidget()->palette().color(QPalette::Button), before.color(QPalette::Button));
  }

  // The 0 to 1 degree wedge of a circle is painted by neither sector and
  // keeps what was there.
  void wedgeKeepsItsColour() {
    const QColor marker(255, 0, 255);
    vorda::ui::RegionDiagram diagram(QRect(510, 6, 204, 204), 8.0, marker);
    diagram.Pie(vorda::ui::kOuterCircle, vorda::ui::Sector::kUpper, Qt::red);
    diagram.Pie(vorda::ui::kOuterCircle, vorda::ui::Sector::kLower, Qt::blue);
    const double angle = 0.5 * M_PI / 180;
    const double r = 1440;  // twips from the centre
    const double x = (9165 + r * std::cos(angle)) / 15.0 - 510;
    const double y = (1610 - r * std::sin(angle)) / 15.0 - 6;
    QCOMPARE(diagram.Image().pixelColor(QPoint(int(x * 8), int(y * 8))), marker);
    // Just above the wedge is the upper sector, just below it the lower one.
    const double above = (1610 - r * std::sin(3 * M_PI / 180)) / 15.0 - 6;
    const double below = (1610 + r * std::sin(3 * M_PI / 180)) / 15.0 - 6;
    QCOMPARE(diagram.Image().pixelColor(QPoint(int(x * 8), int(above * 8))), QColor(Qt::red));
    QCOMPARE(diagram.Image().pixelColor(QPoint(int(x * 8), int(below * 8))), QColor(Qt::blue));
  }
};

VORDA_QTEST_MAIN(SelectionTest)

#include "SelectionTest.moc"
