#include "ui/main/Vorda1.h"

#include <QCoreApplication>
#include <QDir>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>

#include "engine/Compute.h"
#include "ui/Fonts.h"
#include "ui/Palette.h"
#include "ui/main/ClientArea.h"
#include "ui/main/ImageBox.h"

namespace vorda::ui {

namespace {
constexpr const char* kPictureFailureTitle = kAppTitle;
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

void Vorda1::SetHelpCommands(std::function<void()> contents, std::function<void()> about) {
  help_contents_ = std::move(contents);
  help_about_ = std::move(about);
}

bool Vorda1::Form_Load() {
  loading_ = true;
  optType_[0]->setChecked(true);  // runs optType_Click(0) at once
  loading_ = false;
  if (load_failure_) {
    ReportPictureFailure(*load_failure_);
    return false;
  }
  for (ResultLabel label : {ResultLabel::kFirstComponent, ResultLabel::kSecondComponent,
                            ResultLabel::kNormReal, ResultLabel::kNormImag}) {
    Result(label)->clear();
  }
  Input(InputBox::kInReal)->setText(QStringLiteral("40"));
  Input(InputBox::kInImag)->setText(QStringLiteral("30"));
  Input(InputBox::kNormR)->setText(QStringLiteral("50"));
  Result(ResultLabel::kFirstOhms)->clear();
  Result(ResultLabel::kSecondOhms)->clear();
  Input(InputBox::kInReal)->setFocus();
  show();
  DrawUpperRedBlue();
  return true;
}

// --- The view of the Compute operation -------------------------------------

std::string Vorda1::InputText(InputBox box) {
  return Input(box)->text().toStdString();
}

void Vorda1::SetCaption(ResultLabel label, const std::string& caption) {
  Result(label)->setText(QString::fromStdString(caption));
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
    // A picture that cannot be loaded ends the selection where it happens:
    // the new type's description and component names are shown, but not its
    // picture and diagram, and the results are not blanked. During start-up
    // Form_Load reports it and the window is not shown.
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
  const SectionType* type = FindSectionType(type_index_);
  if (type == nullptr) {
    MsgBox("Disaster at Form Load Time - Case Statement out of range", MsgStyle::kCritical,
           kInternalErrorTitle);
    return;
  }
  const CatalogueEntry& entry = kCatalogue[static_cast<std::size_t>(type_index_ - 1)];
  lblTypeDescrip_->setText(QString::fromUtf8(entry.description));
  lblFirstLabel_->setText(QString::fromUtf8(type->first_component));
  lblSecondLabel_->setText(QString::fromUtf8(type->second_component));

  const QString path = program_folder_ + QDir::separator() + QString::fromLatin1(entry.picture);
  QImageReader reader(path);
  QImage picture = reader.read();
  if (picture.isNull()) throw PictureLoadError{path, reader.errorString()};
  Image1_->SetPicture(picture);
  Draw(entry.diagram);
}

void Vorda1::ClearResults() {
  for (ResultLabel label : {ResultLabel::kFirstComponent, ResultLabel::kSecondComponent,
                            ResultLabel::kFirstOhms, ResultLabel::kSecondOhms}) {
    Result(label)->clear();
  }
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
