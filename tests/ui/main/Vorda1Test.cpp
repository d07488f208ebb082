// The main window: start-up, layout, fonts, Compute, keyboard and exit.
#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

#include "tests/support/QtTestMain.h"
#include "tests/ui/main/WindowFixture.h"
#include "ui/main/ClientArea.h"
#include "ui/main/ImageBox.h"
#include "ui/main/TypeCatalogue.h"

using vorda::MsgStyle;
using vorda::ui::Vorda1;
using namespace vorda::ui::testing;

class Vorda1Test : public WindowFixture {
  Q_OBJECT

 private slots:
  void startUpState() {
    Vorda1& w = Start();
    QVERIFY(w.Form_Load());
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.windowTitle(), QStringLiteral("L - Matching Section"));
    QCOMPARE(w.TypeIndex(), 1);
    QVERIFY(Option(w, 0)->isChecked());
    QCOMPARE(Text(w, "txtInReal"), QStringLiteral("40"));
    QCOMPARE(Text(w, "txtInImag"), QStringLiteral("30"));
    QCOMPARE(Text(w, "txtNormR"), QStringLiteral("50"));
    for (const char* label : vorda::kResultLabelNames) QCOMPARE(Text(w, label), QString());
    QCOMPARE(Text(w, "lblFirstLabel"), QStringLiteral("Series L"));
    QCOMPARE(Text(w, "lblSecondLabel"), QStringLiteral("Shunt C"));
    QCOMPARE(Text(w, "lblTypeDescrip"), QString::fromUtf8(vorda::ui::kCatalogue[0].description));
    QCOMPARE(w.centralWidget()->size(), QSize(722, 526));
    QVERIFY(boxes_.boxes.empty());
    QTRY_COMPARE(QApplication::focusWidget(), w.findChild<QLineEdit*>("txtInReal"));
    // The diagram of type 1 stands on the window without any selection.
    const QImage grab = w.centralWidget()->grab().toImage();
    QCOMPARE(ColourAtTwips(grab, 9165, 310), QColor(255, 0, 0));
    QCOMPARE(ColourAtTwips(grab, 9915, 1310), QColor(0, 0, 255));
  }

  void layoutInTwips() {
    Vorda1& w = Start();
    QVERIFY(w.Form_Load());
    struct Place {
      const char* name;
      QRect px;
    };
    const Place places[] = {
        {"Label1", {80, 32, 72, 16}},
        {"txtInReal", {80, 48, 72, 16}},
        {"txtNormR", {392, 49, 72, 20}},
        {"Label11", {16, 112, 158, 16}},
        {"lblSecondOhms", {231, 161, 64, 16}},
        {"cmdCompute", {105, 196, 88, 48}},
        {"cmdExit", {7, 203, 56, 34}},
        {"Image1", {385, 119, 106, 92}},
        {"lblTypeDescrip", {245, 211, 467, 29}},
        {"Frame1", {7, 245, 708, 274}},
        {"Label4", {147, 88, 153, 47}},
        {"Label15", {500, 217, 153, 47}},
    };
    for (const Place& p : places) {
      auto* widget = w.findChild<QWidget*>(p.name);
      QVERIFY2(widget, p.name);
      QCOMPARE(widget->geometry(), p.px);
    }
    QCOMPARE(Option(w, 4)->geometry(), QRect(367, 21, 133, 36));
    QCOMPARE(Option(w, 4)->parentWidget()->objectName(), QStringLiteral("Frame1"));
    QCOMPARE(w.findChild<QLineEdit*>("txtInImag")->accessibleName(),
             QStringLiteral("Imag. (ohms)"));
    QCOMPARE(w.findChild<QLabel*>("Label4")->text(),
             QStringLiteral("Lower  Red Area and the Green Circle"));
  }

  void fontAndColours() {
    Vorda1& w = Start();
    QVERIFY(w.Form_Load());
    for (const char* name : {"txtInReal", "Label11", "cmdCompute", "lblTypeDescrip", "Label3"}) {
      const QFont font = w.findChild<QWidget*>(name)->font();
      QCOMPARE(font.family(), QStringLiteral("MS Sans Serif"));
      QCOMPARE(font.pointSizeF(), 8.25);
      QCOMPARE(font.weight(), QFont::Bold);
      QCOMPARE(QFontInfo(font).family(), QStringLiteral("Liberation Sans"));
    }
    QVERIFY(!Option(w, 0)->font().family().isEmpty());
    auto* box = w.findChild<QLineEdit*>("txtNormR");
    QCOMPARE(box->palette().color(QPalette::Base), QColor(Qt::white));
    QCOMPARE(box->palette().color(QPalette::Text), QColor(Qt::black));
    for (const char* name : {"Label1", "Label2", "Label7", "Label8", "Label11", "Label12",
                             "lblFirstLabel", "lblSecondLabel"}) {
      QCOMPARE(w.findChild<QLabel*>(name)->palette().color(QPalette::WindowText),
               QColor(Qt::black));
    }
    QCOMPARE(w.centralWidget()->backgroundRole(), QPalette::Button);
    // The menu bar keeps the system menu font.
    QCOMPARE(w.menuBar()->font().weight(), QApplication::font("QMenuBar").weight());
    QCOMPARE(w.menuBar()->font().family(), QApplication::font("QMenuBar").family());
  }

  // At 96 dpi no caption, description or button text is cut off.
  void noCaptionIsClipped() {
    Vorda1& w = Start();
    QVERIFY(w.Form_Load());
    auto fits = [](QLabel* label) {
      const QRect need = label->fontMetrics().boundingRect(
          QRect(0, 0, label->width(), 10000), Qt::TextWordWrap | Qt::AlignLeft, label->text());
      return need.width() <= label->width() && need.height() <= label->height();
    };
    for (int i = 0; i < 8; ++i) {
      Option(w, i)->setChecked(true);
      for (QLabel* label : w.findChildren<QLabel*>()) {
        QVERIFY2(fits(label), qPrintable(label->objectName() + ": " + label->text()));
      }
      QRadioButton* option = Option(w, i);
      QVERIFY2(option->sizeHint().width() <= option->width(), qPrintable(option->text()));
    }
    for (const char* name : {"cmdCompute", "cmdExit"}) {
      auto* b = w.findChild<QPushButton*>(name);
      QVERIFY(b->fontMetrics().horizontalAdvance(b->text().remove('&')) + 8 <= b->width());
    }
  }

  void computeThroughTheButton() {
    Vorda1& w = Start();
    QVERIFY(w.Form_Load());
    auto* compute = w.findChild<QPushButton*>("cmdCompute");
    QTest::mouseClick(compute, Qt::LeftButton);
    QCOMPARE(Text(w, "lblNormReal"), QStringLiteral(".800"));
    QCOMPARE(Text(w, "lblNormImag"), QStringLiteral(".600"));
    QCOMPARE(Text(w, "lblSecondComponent"), QStringLiteral("-1.000"));
    QCOMPARE(Text(w, "lblSecondOhms"), QStringLiteral("-50.000"));
    QCOMPARE(Text(w, "lblFirstComponent"), QStringLiteral(".500"));
    QCOMPARE(Text(w, "lblFirstOhms"), QStringLiteral("25.000"));
    QVERIFY(boxes_.boxes.empty());

    // Type 2 refuses the start values; the second-component labels were
    // blanked by the selection and stay blank.
    QTest::mouseClick(Option(w, 1), Qt::LeftButton);
    QTest::mouseClick(compute, Qt::LeftButton);
    QCOMPARE(boxes_.boxes.size(), 1u);
    QCOMPARE(boxes_.boxes[0].title, std::string("Skipping computations"));
    QCOMPARE(boxes_.boxes[0].style, MsgStyle::kCritical);
    QCOMPARE(Text(w, "lblFirstComponent"), QStringLiteral(".000"));
    QCOMPARE(Text(w, "lblFirstOhms"), QStringLiteral(".000"));
    QCOMPARE(Text(w, "lblSecondComponent"), QString());

    // 50 / 50 / 25 with type 1: the boundary warning, then the results.
    boxes_.boxes.clear();
    QTest::mouseClick(Option(w, 0), Qt::LeftButton);
    auto* real = w.findChild<QLineEdit*>("txtInReal");
    auto* imag = w.findChild<QLineEdit*>("txtInImag");
    real->clear();
    QTest::keyClicks(real, "50");
    imag->clear();
    QTest::keyClicks(imag, "25");
    QTest::mouseClick(compute, Qt::LeftButton);
    QCOMPARE(boxes_.boxes.size(), 1u);
    QCOMPARE(boxes_.boxes[0].title, std::string("Warning!"));
    QCOMPARE(boxes_.boxes[0].style, MsgStyle::kExclamation);
    QCOMPARE(Text(w, "lblNormReal"), QStringLiteral("1.000"));
    QCOMPARE(Text(w, "lblSecondComponent"), QStringLiteral("-1.250"));
    QCOMPARE(Text(w, "lblFirstOhms"), QStringLiteral("25.000"));

    // A zero normalizing resistance: the fault notice, labels untouched.
    boxes_.boxes.clear();
    w.findChild<QLineEdit*>("txtNormR")->setText("0");
    QTest::mouseClick(compute, Qt::LeftButton);
    QCOMPARE(boxes_.boxes.size(), 1u);
    QCOMPARE(boxes_.boxes[0].title, std::string("VordaForWin"));
    QCOMPARE(boxes_.boxes[0].style, MsgStyle::kCritical);
    QCOMPARE(Text(w, "lblNormReal"), QStringLiteral("1.000"));
  }

  // A megabyte pasted into any input box: the run finishes and uses the
  // leading number of the text.
  void megabytePaste() {
    Vorda1& w = Start();
    QVERIFY(w.Form_Load());
    const QString junk = QString(1 << 20, QLatin1Char('x'));
    for (const char* name : {"txtInReal", "txtInImag", "txtNormR"}) {
      auto* box = w.findChild<QLineEdit*>(name);
      const QString before = box->text();
      box->selectAll();
      QApplication::clipboard()->setText(before + QStringLiteral(" ohm ") + junk);
      box->paste();
      QCOMPARE(box->text().size(), before.size() + 5 + junk.size());  // nothing cut off
      QTest::mouseClick(w.findChild<QPushButton*>("cmdCompute"), Qt::LeftButton);
      QCOMPARE(Text(w, "lblFirstOhms"), QStringLiteral("25.000"));
      box->setText(before);
    }
    // A megabyte of blanks and digits is one huge number: an overflow fault.
    QString digits;
    digits.reserve(1 << 20);
    for (int i = 0; i < (1 << 19); ++i) digits += QStringLiteral("7 ");
    w.findChild<QLineEdit*>("txtInReal")->setText(digits);
    boxes_.boxes.clear();
    QTest::mouseClick(w.findChild<QPushButton*>("cmdCompute"), Qt::LeftButton);
    QCOMPARE(boxes_.boxes.size(), 1u);
    QCOMPARE(boxes_.boxes[0].title, std::string("VordaForWin"));
    QVERIFY(QString::fromStdString(boxes_.boxes[0].prompt).contains("error code 6"));
    QVERIFY(QTest::qWaitForWindowExposed(&w));
  }

  void keyboard() {
    Vorda1& w = Start();
    QVERIFY(w.Form_Load());
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto* real = w.findChild<QLineEdit*>("txtInReal");
    QTRY_COMPARE(QApplication::focusWidget(), real);
    const char* chain[] = {"txtInImag", "txtNormR", "cmdCompute", "cmdExit"};
    for (const char* next : chain) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(next));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Option(w, 0));
    // The group takes the focus at its selected button, and leaves it as a whole.
    Option(w, 5)->setChecked(true);
    w.findChild<QPushButton*>("cmdExit")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Option(w, 5));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), real);

    // Enter and Escape run nothing.
    real->setFocus();
    QTest::keyClick(real, Qt::Key_Return);
    QTest::keyClick(real, Qt::Key_Escape);
    QCOMPARE(Text(w, "lblNormReal"), QString());
    QCOMPARE(ends_, 0);
    // Alt+X presses "E&xit".
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::AltModifier);
    QTRY_COMPARE(ends_, 1);  // an access key presses the button with a short animation
  }

  void exitCommands() {
    Vorda1& w = Start();
    QVERIFY(w.Form_Load());
    QTest::mouseClick(w.findChild<QPushButton*>("cmdExit"), Qt::LeftButton);
    w.findChild<QAction*>("mnuFileExit")->trigger();
    QCOMPARE(ends_, 2);
    int contents = 0, about = 0;
    w.SetHelpCommands([&contents] { ++contents; }, [&about] { ++about; });
    w.findChild<QAction*>("mnuHelpContents")->trigger();
    w.findChild<QAction*>("mnuHelpAbout")->trigger();
    QCOMPARE(contents, 1);
    QCOMPARE(about, 1);
    QCOMPARE(w.findChild<QMenu*>("mnuHelp")->title(), QStringLiteral("Help"));
    QCOMPARE(w.findChild<QAction*>("mnuHelpContents")->text(), QStringLiteral("Contents"));
  }

  void resizeLeavesTheLayout() {
    Vorda1& w = Start();
    QVERIFY(w.Form_Load());
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    std::vector<QRect> before;
    const auto children = w.centralWidget()->findChildren<QWidget*>();
    for (QWidget* c : children) before.push_back(c->geometry());
    w.resize(1000, 800);
    QTest::qWait(20);
    w.resize(400, 300);
    QTest::qWait(20);
    for (qsizetype i = 0; i < children.size(); ++i) {
      QCOMPARE(children[i]->geometry(), before[static_cast<std::size_t>(i)]);
    }
  }

  // Under QT_SCALE_FACTOR=2 the window is exactly twice the size and the
  // diagram and the schematic are drawn at device resolution.
  void highDpi() {
    Vorda1& w = Start();
    QVERIFY(w.Form_Load());
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    if (w.devicePixelRatioF() != 2.0) QSKIP("needs VORDA_QT_SCALE_FACTOR=2");
    QCOMPARE(w.centralWidget()->size(), QSize(722, 526));
    const QImage grab = w.centralWidget()->grab().toImage();
    QCOMPARE(grab.size(), QSize(1444, 1052));
    auto* client = static_cast<vorda::ui::ClientArea*>(w.centralWidget());
    const QImage& diagram = client->Diagram().Image();
    QCOMPARE(diagram.devicePixelRatio(), 2.0);
    QCOMPARE(diagram.size(), client->Diagram().Area().size() * 2);
    // The outline of the outer circle's top is one logical pixel: two device
    // pixels, with red right below it.
    const int x = 611 * 2;
    int first_black = -1;
    for (int y = 0; y < 40; ++y) {
      if (grab.pixelColor(x, y) == QColor(Qt::black)) {
        first_black = y;
        break;
      }
    }
    QVERIFY(first_black > 0);
    QCOMPARE(grab.pixelColor(x, first_black + 3), QColor(255, 0, 0));
    auto* image = static_cast<vorda::ui::ImageBox*>(w.findChild<QWidget*>("Image1"));
    QCOMPARE(image->Picture().size(), QSize(212, 184));  // two device pixels per pixel
  }
};

VORDA_QTEST_MAIN(Vorda1Test)

#include "Vorda1Test.moc"
