#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "tests/support/PlatformFakes.h"
#include "tests/support/QtTestMain.h"
#include "tests/support/RecordingBoxes.h"
#include "ui/Fonts.h"
#include "ui/HelpCommands.h"
#include "ui/about/SysInfo.h"
#include "ui/about/frmAbout.h"

using vorda::MsgStyle;
using vorda::platform::kRegSz;
using vorda::testing::RecordingBoxes;
using vorda::ui::frmAbout;
namespace fakes = vorda::platform::testing;

class AboutTest : public QObject {
  Q_OBJECT

 private:
  fakes::FakeRegistry registry_;
  fakes::FakeFiles files_;
  fakes::FakeProcesses processes_;
  RecordingBoxes boxes_;

  std::unique_ptr<frmAbout> Make() {
    auto about = std::make_unique<frmAbout>(registry_, files_, processes_, boxes_);
    about->Load();
    return about;
  }
  QString Text(frmAbout& a, const char* name) { return a.findChild<QLabel*>(name)->text(); }

 private slots:
  // The box opens from the main window, which has registered the font
  // substitutes by then (a machine without Times New Roman draws the title
  // in Liberation Serif: under Wine, which has no fontconfig aliases).
  void initTestCase() { vorda::ui::RegisterFontSubstitutes(); }

  void init() {
    registry_ = {};
    files_ = {};
    processes_ = {};
    boxes_ = {};
  }

  void captionAndTexts() {
    auto about = Make();
    if (qEnvironmentVariableIsSet("VORDA_ABOUT_GRAB")) {
      about->grab().save(qEnvironmentVariable("VORDA_ABOUT_GRAB"));
    }
    QCOMPARE(about->windowTitle(), QStringLiteral("About Vorda for Windows"));
    QCOMPARE(Text(*about, "lblVersion"), QStringLiteral("Version 2.0.0"));
    QCOMPARE(Text(*about, "lblDescription"),
             QStringLiteral("Vorda for Windows calculates and displays the values of the "
                            "necessary L-Section components to match any impedance to a "
                            "transmission line or source."));
    QVERIFY(!Text(*about, "lblTitle").isEmpty());
    QVERIFY(!Text(*about, "lblDisclaimer").isEmpty());
    QCOMPARE(about->findChild<QPushButton*>("cmdOK")->text(), QStringLiteral("OK"));
    QCOMPARE(about->findChild<QPushButton*>("cmdSysInfo")->text(),
             QStringLiteral("&System Info..."));
  }

  void versionLine() {
    QCOMPARE(vorda::ui::VersionLine(2, 0, 0), std::string("Version 2.0.0"));
    QCOMPARE(vorda::ui::VersionLine(2, 0, 12), std::string("Version 2.0.12"));
  }

  void geometry() {
    auto about = Make();
    QCOMPARE(about->size(), QSize(386, 279));
    QCOMPARE(about->minimumSize(), about->maximumSize());
    struct Place {
      const char* name;
      QRect px;
    };
    const Place places[] = {
        {"picIcon", {7, 7, 104, 129}},         {"lblTitle", {133, 16, 226, 74}},
        {"lblVersion", {133, 105, 203, 15}},   {"lblDescription", {35, 147, 322, 50}},
        {"lblDisclaimer", {17, 210, 258, 55}}, {"cmdOK", {287, 210, 84, 23}},
        {"cmdSysInfo", {287, 245, 83, 23}}};
    for (const Place& p : places) QCOMPARE(about->findChild<QWidget*>(p.name)->geometry(), p.px);
    QCOMPARE(about->findChild<QLabel*>("picIcon")->pixmap().size(), QSize(100, 125));
    QCOMPARE(about->findChild<QLabel*>("picIcon")->frameWidth(), 2);
    // The etched separator: grey over white, 196 pixels from the top.
    const QImage grab = about->grab().toImage();
    QCOMPARE(grab.pixelColor(100, 196), QColor(128, 128, 128));
    QCOMPARE(grab.pixelColor(100, 197), QColor(Qt::white));
    const auto lines = about->findChildren<QWidget*>("Line1");
    QCOMPARE(lines.size(), 2);
  }

  void fontsAndFit() {
    auto about = Make();
    const QFont title = about->findChild<QLabel*>("lblTitle")->font();
    QCOMPARE(title.family(), QStringLiteral("Times New Roman"));
    QCOMPARE(title.pointSizeF(), 18.0);
    QVERIFY(title.bold());
    QCOMPARE(QFontInfo(title).family(), QStringLiteral("Liberation Serif"));
    const QFont version = about->findChild<QLabel*>("lblVersion")->font();
    QCOMPARE(version.family(), QStringLiteral("Courier"));
    QCOMPARE(version.pointSizeF(), 9.75);
    // Fontconfig may bind "Courier" to its own metric twin (Nimbus Mono PS)
    // before our substitute; either is a Courier-metric monospaced face.
    QVERIFY(QFontInfo(version).fixedPitch());
    // The version line is one line: its ink must fit (a Courier stand-in may
    // declare a taller line than it draws).
    QLabel* version_label = about->findChild<QLabel*>("lblVersion");
    const QRect ink = version_label->fontMetrics().tightBoundingRect(version_label->text());
    QVERIFY(ink.width() <= version_label->width());
    QVERIFY(version_label->fontMetrics().ascent() + ink.bottom() <= version_label->height());
    for (QLabel* label : about->findChildren<QLabel*>()) {
      if (label->text().isEmpty() || label == version_label) continue;
      const QRect need = label->fontMetrics().boundingRect(
          QRect(0, 0, label->width(), 10000), Qt::TextWordWrap | Qt::AlignLeft, label->text());
      QVERIFY2(need.width() <= label->width() && need.height() <= label->height(),
               qPrintable(label->objectName() +
                          QStringLiteral(" needs %1x%2").arg(need.width()).arg(need.height())));
    }
  }

  void keyboard() {
    auto about = Make();
    about->show();
    QVERIFY(QTest::qWaitForWindowActive(about.get()));
    auto* ok = about->findChild<QPushButton*>("cmdOK");
    auto* sysinfo = about->findChild<QPushButton*>("cmdSysInfo");
    QCOMPARE(QApplication::focusWidget(), ok);
    QVERIFY(ok->isDefault());
    QTest::keyClick(ok, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("picIcon"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), sysinfo);
    // Enter on the focused System Info button presses it (nothing registered).
    QTest::keyClick(sysinfo, Qt::Key_Return);
    QCOMPARE(boxes_.boxes.size(), 1u);
    QCOMPARE(boxes_.boxes[0].prompt, std::string("System Information Is Unavailable At This Time"));
    QCOMPARE(boxes_.boxes[0].style, MsgStyle::kPlain);
    QCOMPARE(boxes_.boxes[0].title, std::string("VordaForWin"));
    QVERIFY(about->isVisible());  // the box stays open
    // Alt+S presses it again.
    QTest::keyClick(about.get(), Qt::Key_S, Qt::AltModifier);
    QTRY_COMPARE(boxes_.boxes.size(), 2u);
    // Escape presses OK.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!about->isVisible());
    QCOMPARE(about->result(), int(QDialog::Accepted));
  }

  void launchesTheRegisteredTool() {
    registry_.keys[vorda::platform::kMsinfoKey]["PATH"] = {kRegSz,
                                                           std::string("/usr/bin/hardinfo") + '\0'};
    auto about = Make();
    QTest::mouseClick(about->findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
    QTest::mouseClick(about->findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
    QCOMPARE(processes_.launched,
             (std::vector<std::string>{"/usr/bin/hardinfo", "/usr/bin/hardinfo"}));
  }

  // Help > About: one instance, loaded afresh and shown modal each time.
  void sharedInstance() {
    vorda::platform::Services services;
    services.registry = std::make_unique<fakes::FakeRegistry>();
    services.files = std::make_unique<fakes::FakeFiles>();
    services.processes = std::make_unique<fakes::FakeProcesses>();
    services.shell = std::make_unique<fakes::FakeShell>();
    vorda::ui::HelpCommands help(services, boxes_, [] { return std::string("/opt/v"); });
    QVERIFY(help.AboutBox() == nullptr);
    bool was_modal = false;
    auto close_soon = [&] {
      QTimer::singleShot(0, [&] {
        frmAbout* box = help.AboutBox();
        was_modal = box->isModal() && QApplication::activeModalWidget() == box;
        box->findChild<QPushButton*>("cmdOK")->click();
      });
    };
    close_soon();
    help.About();
    frmAbout* first = help.AboutBox();
    QVERIFY(first != nullptr);
    QVERIFY(was_modal);
    first->setWindowTitle("changed");
    close_soon();
    help.About();
    QCOMPARE(help.AboutBox(), first);
    QCOMPARE(first->windowTitle(), QStringLiteral("About Vorda for Windows"));

    help.Contents();
    auto& shell = static_cast<fakes::FakeShell&>(*services.shell);
    QCOMPARE(shell.calls.size(), 1u);
    QCOMPARE(shell.calls[0].file, vorda::platform::JoinPath("/opt/v", "Generic.chm"));
  }
};

VORDA_QTEST_MAIN(AboutTest)

#include "AboutTest.moc"
