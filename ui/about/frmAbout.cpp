#include "ui/about/frmAbout.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "generated/Version.h"
#include "ui/Labels.h"
#include "ui/Palette.h"
#include "ui/about/SysInfo.h"
#include "ui/main/Twips.h"

// The About box's picture lives in a resource of this static library.
static void InitAboutResources() {
  Q_INIT_RESOURCE(about);
}

namespace vorda::ui {

namespace {

// A line control: a horizontal line of a colour and width, taking no input.
class LineControl : public QWidget {
 public:
  LineControl(QWidget* parent, int index, QColor colour, int width_px, int x1, int x2, int y)
      : QWidget(parent), colour_(colour) {
    setObjectName(QStringLiteral("Line1"));
    setProperty("Index", index);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(Px(x1), Px(y), Px(x2) - Px(x1) + 1, width_px);
  }

 protected:
  void paintEvent(QPaintEvent* /*event*/) override { QPainter(this).fillRect(rect(), colour_); }

 private:
  QColor colour_;
};

}  // namespace

std::string VersionLine(int major, int minor, int revision) {
  return "Version " + std::to_string(major) + "." + std::to_string(minor) + "." +
         std::to_string(revision);
}

frmAbout::frmAbout(platform::Registry& registry, platform::Files& files,
                   platform::Processes& processes, MessageBoxes& boxes)
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      registry_(registry),
      files_(files),
      processes_(processes),
      boxes_(boxes) {
  InitAboutResources();
  KeepReadablePalette(this);
  setFixedSize(Px(5790), Px(4185));
  setModal(true);

  auto* picIcon = new QLabel(this);
  picIcon->setObjectName(QStringLiteral("picIcon"));
  picIcon->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  picIcon->setLineWidth(2);
  picIcon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  picIcon->setPixmap(QPixmap(QStringLiteral(":/about/picIcon.gif")));
  picIcon->setGeometry(TwipRect(105, 105, 1560, 1935));
  picIcon->setFocusPolicy(Qt::TabFocus);

  lblTitle_ = AddLabel(this, "lblTitle", {}, TwipRect(1995, 240, 3390, 1110), true);
  QFont title_font(QStringLiteral("Times New Roman"));
  title_font.setPointSizeF(18);
  title_font.setBold(true);
  lblTitle_->setFont(title_font);

  lblVersion_ = AddLabel(this, "lblVersion", {}, TwipRect(1995, 1575, 3045, 225), false);
  QFont version_font(QStringLiteral("Courier"));
  version_font.setPointSizeF(9.75);
  version_font.setBold(true);
  lblVersion_->setFont(version_font);

  AddLabel(this, "lblDescription", QString::fromUtf8(kAboutDescription),
           TwipRect(525, 2205, 4830, 750), true);
  // An etched separator: the white line under the grey one.
  new LineControl(this, 0, Qt::white, 2, 105, 5654, 2940);
  new LineControl(this, 1, QColor(128, 128, 128), 1, 105, 5669, 2940);
  AddLabel(this, "lblDisclaimer", QString::fromUtf8(kAboutNotice), TwipRect(255, 3150, 3870, 825),
           true);

  cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
  cmdOK_->setObjectName(QStringLiteral("cmdOK"));
  cmdOK_->setGeometry(TwipRect(4305, 3150, 1260, 345));
  cmdOK_->setDefault(true);
  connect(cmdOK_, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  cmdSysInfo_ = new QPushButton(QStringLiteral("&System Info..."), this);
  cmdSysInfo_->setObjectName(QStringLiteral("cmdSysInfo"));
  cmdSysInfo_->setGeometry(TwipRect(4305, 3675, 1245, 345));
  connect(cmdSysInfo_, &QPushButton::clicked, this, [this] { cmdSysInfo_Click(); });

  setTabOrder(cmdOK_, picIcon);
  setTabOrder(picIcon, cmdSysInfo_);
}

void frmAbout::Load() {
  setWindowTitle(QStringLiteral("About Vorda for Windows"));
  lblVersion_->setText(
      QString::fromStdString(VersionLine(version::kMajor, version::kMinor, version::kRevision)));
  lblTitle_->setText(QString::fromUtf8(kAboutTitleLine));
  cmdOK_->setDefault(true);
  cmdOK_->setFocus();
}

void frmAbout::cmdOK_Click() {
  accept();
}

void frmAbout::reject() {
  cmdOK_->click();
}

void frmAbout::cmdSysInfo_Click() {
  StartSysInfo();
}

void frmAbout::StartSysInfo() {
  about::StartSysInfo(registry_, files_, processes_, boxes_);
}

bool frmAbout::GetKeyValue(std::int32_t& KeyRoot, std::string& KeyName, std::string& SubKeyRef,
                           std::string& KeyVal) {
  return about::GetKeyValue(registry_, KeyRoot, KeyName, SubKeyRef, KeyVal);
}

}  // namespace vorda::ui
