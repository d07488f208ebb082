#include "Vorda1.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

#include "ClientArea.h"
#include "Compute.h"
#include "Fonts.h"
#include "ImageBox.h"
#include "Palette.h"
#include "Twips.h"

namespace vorda::ui {

namespace {

constexpr const char* kPictureFailureTitle = kAppTitle;

// Texts of any length a user may paste are kept whole (the conversion reads
// only their leading number).
constexpr int kMaxInputLength = 1 << 24;

// Option buttons and their region captions inside Frame1, in twips.
struct OptionPlace {
  int button_left, button_top;
  const char* label_name;
  int label_left, label_top;
};
constexpr std::array<OptionPlace, 8> kOptionPlaces = {{
    {210, 315, "Label3", 2205, 315},
    {210, 1315, "Label4", 2210, 1315},
    {210, 2315, "Label5", 2210, 2310},
    {210, 3315, "Label6", 2210, 3255},
    {5500, 315, "Label10", 7500, 315},
    {5500, 1315, "Label13", 7500, 1315},
    {5500, 2315, "Label14", 7500, 2310},
    {5500, 3315, "Label15", 7500, 3255},
}};
constexpr int kOptionWidth = 2000, kOptionHeight = 540;
constexpr int kRegionCaptionWidth = 2295, kRegionCaptionHeight = 700;

void SetBlackText(QWidget* w) {
  QPalette p = w->palette();
  p.setColor(QPalette::WindowText, Qt::black);
  w->setPalette(p);
}

}  // namespace

Vorda1::Vorda1(QString program_folder, MessageBoxes& boxes, QWidget* parent)
    : QMainWindow(parent),
      program_folder_(std::move(program_folder)),
      boxes_(boxes),
      end_program_([] { QCoreApplication::exit(0); }) {
  setWindowTitle(QStringLiteral("L - Matching Section"));
  KeepReadablePalette(this);
  setFont(WindowFont());
  BuildMenus();
  BuildControls();
  resize(sizeHint());
}

Vorda1::~Vorda1() = default;

void Vorda1::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ApplicationPaletteChange) KeepReadablePalette(this);
  QMainWindow::changeEvent(event);
}

void Vorda1::SetHelpCommands(std::function<void()> contents, std::function<void()> about) {
  help_contents_ = std::move(contents);
  help_about_ = std::move(about);
}

void Vorda1::BuildMenus() {
  QMenuBar* bar = menuBar();
  // The menu bar keeps the system menu font: every attribute is set so that
  // none is inherited from the window's bold font.
  QFont menu_font = QApplication::font("QMenuBar");
  menu_font.setFamilies(menu_font.families().isEmpty() ? QStringList{menu_font.family()}
                                                       : menu_font.families());
  menu_font.setPointSizeF(menu_font.pointSizeF());
  menu_font.setWeight(menu_font.weight());
  menu_font.setItalic(menu_font.italic());
  bar->setFont(menu_font);
  QMenu* file = bar->addMenu(QStringLiteral("File"));
  file->setObjectName(QStringLiteral("mnuFile"));
  QAction* exit = file->addAction(QStringLiteral("Exit"));
  exit->setObjectName(QStringLiteral("mnuFileExit"));
  connect(exit, &QAction::triggered, this, [this] { mnuFileExit_Click(); });
  QMenu* help = bar->addMenu(QStringLiteral("Help"));
  help->setObjectName(QStringLiteral("mnuHelp"));
  QAction* contents = help->addAction(QStringLiteral("Contents"));
  contents->setObjectName(QStringLiteral("mnuHelpContents"));
  connect(contents, &QAction::triggered, this, [this] { mnuHelpContents_Click(); });
  QAction* about = help->addAction(QStringLiteral("About"));
  about->setObjectName(QStringLiteral("mnuHelpAbout"));
  connect(about, &QAction::triggered, this, [this] { mnuHelpAbout_Click(); });
}

QLabel* Vorda1::AddLabel(QWidget* parent, const char* name, const char* caption, QRect geometry,
                         bool black) {
  auto* label = new QLabel(QString::fromUtf8(caption), parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(geometry);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  if (black) SetBlackText(label);
  return label;
}

QLineEdit* Vorda1::AddTextBox(const char* name, const char* accessible_name, QRect geometry) {
  auto* box = new QLineEdit(client_);
  box->setObjectName(QString::fromLatin1(name));
  box->setAccessibleName(QString::fromUtf8(accessible_name));
  box->setGeometry(geometry);
  box->setMaxLength(kMaxInputLength);
  QPalette p = box->palette();
  p.setColor(QPalette::Base, Qt::white);
  p.setColor(QPalette::Text, Qt::black);
  box->setPalette(p);
  return box;
}

void Vorda1::BuildControls() {
  client_ = new ClientArea(this);
  setCentralWidget(client_);

  AddLabel(client_, "Label1", "Real (ohms)", TwipRect(1200, 480, 1080, 240), true);
  AddLabel(client_, "Label2", "Imag. (ohms)", TwipRect(2640, 480, 1185, 240), true);
  txtInReal_ = AddTextBox("txtInReal", "Real (ohms)", TwipRect(1200, 720, 1080, 240));
  txtInImag_ = AddTextBox("txtInImag", "Imag. (ohms)", TwipRect(2640, 720, 1080, 240));
  AddLabel(client_, "Label8", "Normalizing R", TwipRect(4515, 735, 1365, 240), true);
  txtNormR_ = AddTextBox("txtNormR", "Normalizing R", TwipRect(5880, 735, 1080, 300));
  txtNormR_->setText(QStringLiteral("50"));
  AddLabel(client_, "Label7", "Normalized:", TwipRect(105, 1050, 1170, 240), true);
  lblNormReal_ = AddLabel(client_, "lblNormReal", "", TwipRect(1365, 1050, 855, 240), false);
  lblNormImag_ = AddLabel(client_, "lblNormImag", "", TwipRect(2730, 1050, 960, 240), false);
  AddLabel(client_, "Label11", "Reactances (Normalized):", TwipRect(240, 1680, 2370, 240), true);
  AddLabel(client_, "Label12", "Reactances (ohms):", TwipRect(3465, 1680, 1860, 240), true);
  lblFirstLabel_ = AddLabel(client_, "lblFirstLabel", "", TwipRect(315, 1995, 1320, 240), true);
  lblFirstComponent_ =
      AddLabel(client_, "lblFirstComponent", "", TwipRect(1785, 1995, 1080, 240), false);
  lblFirstOhms_ = AddLabel(client_, "lblFirstOhms", "", TwipRect(3465, 1995, 960, 240), false);
  lblSecondLabel_ = AddLabel(client_, "lblSecondLabel", "", TwipRect(315, 2415, 1320, 240), true);
  lblSecondComponent_ =
      AddLabel(client_, "lblSecondComponent", "", TwipRect(1785, 2415, 1080, 240), false);
  lblSecondOhms_ = AddLabel(client_, "lblSecondOhms", "", TwipRect(3465, 2415, 960, 240), false);

  cmdCompute_ = new QPushButton(QStringLiteral("Compute"), client_);
  cmdCompute_->setObjectName(QStringLiteral("cmdCompute"));
  cmdCompute_->setGeometry(TwipRect(1575, 2940, 1320, 720));
  connect(cmdCompute_, &QPushButton::clicked, this, [this] { cmdCompute_Click(); });
  cmdExit_ = new QPushButton(QStringLiteral("E&xit"), client_);
  cmdExit_->setObjectName(QStringLiteral("cmdExit"));
  cmdExit_->setGeometry(TwipRect(105, 3045, 840, 510));
  connect(cmdExit_, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
  // Neither button answers Enter or Escape.
  for (QPushButton* b : {cmdCompute_, cmdExit_}) {
    b->setAutoDefault(false);
    b->setDefault(false);
  }

  Image1_ = new ImageBox(client_);
  Image1_->setObjectName(QStringLiteral("Image1"));
  Image1_->setGeometry(TwipRect(5775, 1785, 1590, 1380));
  lblTypeDescrip_ = AddLabel(client_, "lblTypeDescrip", "", TwipRect(3675, 3165, 7005, 435), false);

  Frame1_ = new QGroupBox(QStringLiteral("Choose Type of L-Section"), client_);
  Frame1_->setObjectName(QStringLiteral("Frame1"));
  Frame1_->setGeometry(TwipRect(105, 3675, 10620, 4110));
  for (std::size_t i = 0; i < optType_.size(); ++i) {
    const OptionPlace& place = kOptionPlaces[i];
    const auto index = static_cast<std::int16_t>(i);
    auto* button = new QRadioButton(QString::fromUtf8(kCatalogue[i].button_caption), Frame1_);
    button->setObjectName(QStringLiteral("optType"));
    button->setProperty("Index", static_cast<int>(index));
    button->setFocusPolicy(Qt::ClickFocus);
    button->setGeometry(TwipRect(place.button_left, place.button_top, kOptionWidth, kOptionHeight));
    connect(button, &QRadioButton::toggled, this,
            [this, index](bool checked) { OnOptionToggled(index, checked); });
    optType_[i] = button;
    AddLabel(Frame1_, place.label_name, kCatalogue[i].region_caption,
             TwipRect(place.label_left, place.label_top, kRegionCaptionWidth, kRegionCaptionHeight),
             false);
  }

  setTabOrder(txtInReal_, txtInImag_);
  setTabOrder(txtInImag_, txtNormR_);
  setTabOrder(txtNormR_, cmdCompute_);
  setTabOrder(cmdCompute_, cmdExit_);
  setTabOrder(cmdExit_, optType_[0]);
  for (std::size_t i = 1; i < optType_.size(); ++i) setTabOrder(optType_[i - 1], optType_[i]);
}

bool Vorda1::Form_Load() {
  loading_ = true;
  optType_[0]->setChecked(true);  // runs optType_Click(0) at once
  loading_ = false;
  if (load_failure_) {
    ReportPictureFailure(*load_failure_);
    return false;
  }
  lblFirstComponent_->clear();
  lblSecondComponent_->clear();
  lblNormReal_->clear();
  lblNormImag_->clear();
  txtInReal_->setText(QStringLiteral("40"));
  txtInImag_->setText(QStringLiteral("30"));
  txtNormR_->setText(QStringLiteral("50"));
  lblFirstOhms_->clear();
  lblSecondOhms_->clear();
  txtInReal_->setFocus();
  show();
  DrawUpperRedBlue();
  return true;
}

// --- The view of the Compute operation -------------------------------------

std::string Vorda1::InputText(std::string_view box) {
  const auto* edit = client_->findChild<QLineEdit*>(
      QString::fromUtf8(box.data(), static_cast<qsizetype>(box.size())),
      Qt::FindDirectChildrenOnly);
  return edit != nullptr ? edit->text().toStdString() : std::string();
}

void Vorda1::SetCaption(std::string_view label, const std::string& caption) {
  for (QLabel* l : {lblNormReal_, lblNormImag_, lblFirstComponent_, lblFirstOhms_,
                    lblSecondComponent_, lblSecondOhms_}) {
    if (l->objectName().toStdString() == label) l->setText(QString::fromStdString(caption));
  }
}

void Vorda1::MsgBox(const std::string& prompt, MsgStyle style, const std::string& title) {
  boxes_.MsgBox(prompt, style, title);
}

std::string Vorda1::DecimalSymbol() {
  return QLocale::system().decimalPoint().toStdString();
}

// --- Event handlers ----------------------------------------------------------

void Vorda1::cmdCompute_Click() {
  vorda::cmdCompute_Click(*this);
}

void Vorda1::cmdExit_Click() {
  end_program_();
}

void Vorda1::mnuFileExit_Click() {
  end_program_();
}

void Vorda1::mnuHelpContents_Click() {
  if (help_contents_) help_contents_();
}

void Vorda1::mnuHelpAbout_Click() {
  if (help_about_) help_about_();
}

void Vorda1::OnOptionToggled(std::int16_t index, bool checked) {
  // Tab reaches the group at its selected button only; the arrow keys move
  // within the group.
  optType_[static_cast<std::size_t>(index)]->setFocusPolicy(checked ? Qt::StrongFocus
                                                                    : Qt::ClickFocus);
  if (!checked) return;
  try {
    optType_Click(index);
  } catch (const PictureLoadError& error) {
    // Nothing on the selection road handles it; the event ends here.
    if (loading_) {
      load_failure_ = error;
    } else {
      ReportPictureFailure(error);
    }
  }
}

void Vorda1::optType_Click(std::int16_t index) {
  if (optType_[static_cast<std::size_t>(index)]->isChecked()) {
    type_index_ = static_cast<std::int16_t>(index + 1);
  } else {
    MsgBox("Inconsistent state of internal representation of L-Section type", MsgStyle::kCritical,
           kInternalErrorTitle);
  }
  ShowSectionType();
  ClearResults();
}

void Vorda1::ShowSectionType() {
  if (type_index_ < 1 || type_index_ > static_cast<int>(kCatalogue.size())) {
    MsgBox("Disaster at Form Load Time - Case Statement out of range", MsgStyle::kCritical,
           kInternalErrorTitle);
    return;
  }
  const CatalogueEntry& entry = kCatalogue[static_cast<std::size_t>(type_index_ - 1)];
  lblTypeDescrip_->setText(QString::fromUtf8(entry.description));
  lblFirstLabel_->setText(QString::fromUtf8(entry.first_component));
  lblSecondLabel_->setText(QString::fromUtf8(entry.second_component));

  const QString path = program_folder_ + QDir::separator() + QString::fromLatin1(entry.picture);
  QImageReader reader(path);
  QImage picture = reader.read();
  if (picture.isNull()) throw PictureLoadError{path, reader.errorString()};
  Image1_->SetPicture(picture);
  Draw(entry.diagram);
}

void Vorda1::ClearResults() {
  lblFirstComponent_->clear();
  lblSecondComponent_->clear();
  lblFirstOhms_->clear();
  lblSecondOhms_->clear();
}

void Vorda1::ReportPictureFailure(const PictureLoadError& error) {
  const std::string prompt = "The picture file could not be loaded (" + error.reason.toStdString() +
                             "):\r\n" + error.path.toStdString();
  MsgBox(prompt, MsgStyle::kCritical, kPictureFailureTitle);
}

// --- Region diagrams ---------------------------------------------------------

void Vorda1::Draw(Diagram diagram) {
  switch (diagram) {
    case Diagram::kUpperRedBlue:
      return DrawUpperRedBlue();
    case Diagram::kLowerRedGreen:
      return DrawLowerRedGreen();
    case Diagram::kLowerRedBlue:
      return DrawLowerRedBlue();
    case Diagram::kUpperRedGreen:
      return DrawUpperRedGreen();
    case Diagram::kUpperRed:
      return DrawUpperRed();
    case Diagram::kLowerRed:
      return DrawLowerRed();
  }
}

namespace {
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kGreen(0, 255, 0);

struct Step {
  const Circle& circle;
  Sector sector;
  enum { kRed, kBlue, kGreen, kBackground } fill;
};

void Paint(ClientArea* client, std::initializer_list<Step> steps) {
  RegionDiagram& diagram = client->Diagram();
  const QColor background = client->palette().color(QPalette::Button);
  for (const Step& s : steps) {
    const QColor fill = s.fill == Step::kRed     ? kRed
                        : s.fill == Step::kBlue  ? kBlue
                        : s.fill == Step::kGreen ? kGreen
                                                 : background;
    diagram.Pie(s.circle, s.sector, fill);
  }
  client->update(diagram.Area());
}
}  // namespace

void Vorda1::DrawUpperRedBlue() {
  Paint(client_, {{kOuterCircle, Sector::kUpper, Step::kRed},
                  {kOuterCircle, Sector::kLower, Step::kBackground},
                  {kRightCircle, Sector::kUpper, Step::kBlue},
                  {kRightCircle, Sector::kLower, Step::kBlue},
                  {kLeftCircle, Sector::kUpper, Step::kBackground}});
}

void Vorda1::DrawLowerRedGreen() {
  Paint(client_, {{kOuterCircle, Sector::kUpper, Step::kBackground},
                  {kOuterCircle, Sector::kLower, Step::kRed},
                  {kRightCircle, Sector::kLower, Step::kBackground},
                  {kLeftCircle, Sector::kUpper, Step::kGreen},
                  {kLeftCircle, Sector::kLower, Step::kGreen}});
}

void Vorda1::DrawLowerRedBlue() {
  Paint(client_, {{kOuterCircle, Sector::kUpper, Step::kBackground},
                  {kOuterCircle, Sector::kLower, Step::kRed},
                  {kRightCircle, Sector::kUpper, Step::kBlue},
                  {kRightCircle, Sector::kLower, Step::kBlue},
                  {kLeftCircle, Sector::kLower, Step::kBackground}});
}

void Vorda1::DrawUpperRedGreen() {
  Paint(client_, {{kOuterCircle, Sector::kUpper, Step::kRed},
                  {kOuterCircle, Sector::kLower, Step::kBackground},
                  {kRightCircle, Sector::kUpper, Step::kBackground},
                  {kLeftCircle, Sector::kUpper, Step::kGreen},
                  {kLeftCircle, Sector::kLower, Step::kGreen}});
}

void Vorda1::DrawUpperRed() {
  Paint(client_, {{kOuterCircle, Sector::kUpper, Step::kRed},
                  {kOuterCircle, Sector::kLower, Step::kBackground},
                  {kRightCircle, Sector::kUpper, Step::kBackground},
                  {kLeftCircle, Sector::kUpper, Step::kBackground}});
}

void Vorda1::DrawLowerRed() {
  Paint(client_, {{kOuterCircle, Sector::kUpper, Step::kBackground},
                  {kOuterCircle, Sector::kLower, Step::kRed},
                  {kRightCircle, Sector::kLower, Step::kBackground},
                  {kLeftCircle, Sector::kLower, Step::kBackground}});
}

}  // namespace vorda::ui
