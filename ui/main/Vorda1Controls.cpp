// The main window's menus and controls, laid out in twips.
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QStylePainter>
#include <algorithm>

#include "ui/Labels.h"
#include "ui/main/ClientArea.h"
#include "ui/main/ImageBox.h"
#include "ui/main/Twips.h"
#include "ui/main/Vorda1.h"

namespace vorda::ui {

namespace {

// Texts of any length a user may paste are kept whole (the conversion reads
// only their leading number).
constexpr int kMaxInputLength = 1 << 24;

// The controls placed directly on the window, in creation order. A text
// box's text is its accessible name, the caption of the label above or
// beside it.
struct Control {
  enum class Kind { kStaticLabel, kValueLabel, kTextBox, kButton, kImage } kind;
  const char* name;
  int left, top, width, height;  // twips
  const char* text;
};
using Kind = Control::Kind;
constexpr Control kControls[] = {
    {Kind::kStaticLabel, "Label1", 1200, 480, 1080, 240, "Real (ohms)"},
    {Kind::kStaticLabel, "Label2", 2640, 480, 1185, 240, "Imag. (ohms)"},
    {Kind::kTextBox, "txtInReal", 1200, 720, 1080, 240, "Real (ohms)"},
    {Kind::kTextBox, "txtInImag", 2640, 720, 1080, 240, "Imag. (ohms)"},
    {Kind::kStaticLabel, "Label8", 4515, 735, 1365, 240, "Normalizing R"},
    {Kind::kTextBox, "txtNormR", 5880, 735, 1080, 300, "Normalizing R"},
    {Kind::kStaticLabel, "Label7", 105, 1050, 1170, 240, "Normalized:"},
    {Kind::kValueLabel, "lblNormReal", 1365, 1050, 855, 240, ""},
    {Kind::kValueLabel, "lblNormImag", 2730, 1050, 960, 240, ""},
    {Kind::kStaticLabel, "Label11", 240, 1680, 2370, 240, "Reactances (Normalized):"},
    {Kind::kStaticLabel, "Label12", 3465, 1680, 1860, 240, "Reactances (ohms):"},
    {Kind::kStaticLabel, "lblFirstLabel", 315, 1995, 1320, 240, ""},
    {Kind::kValueLabel, "lblFirstComponent", 1785, 1995, 1080, 240, ""},
    {Kind::kValueLabel, "lblFirstOhms", 3465, 1995, 960, 240, ""},
    {Kind::kStaticLabel, "lblSecondLabel", 315, 2415, 1320, 240, ""},
    {Kind::kValueLabel, "lblSecondComponent", 1785, 2415, 1080, 240, ""},
    {Kind::kValueLabel, "lblSecondOhms", 3465, 2415, 960, 240, ""},
    {Kind::kButton, "cmdCompute", 1575, 2940, 1320, 720, "Compute"},
    {Kind::kButton, "cmdExit", 105, 3045, 840, 510, "E&xit"},
    {Kind::kImage, "Image1", 5775, 1785, 1590, 1380, ""},
    {Kind::kValueLabel, "lblTypeDescrip", 3675, 3165, 7005, 435, ""},
};

// Option buttons and their region captions inside Frame1, in twips.
struct OptionPlace {
  int button_left, button_top;
  const char* label_name;
  int label_left, label_top;
};
constexpr std::array<OptionPlace, kTypeCount> kOptionPlaces = {{
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

// Frame1, a group box that Fusion paints in bands. Qt's raster engine hands
// every fill of 96 rows or more to worker threads, and Fusion draws this
// frame as one picture stretched over its whole height (about 270 rows): in
// one piece, the first paint would start two threads and wait on them several
// times for a fraction of a millisecond of blending. In bands of fewer rows
// the frame is blended on this thread. Fusion keeps to the painter's clip, so
// each pixel is painted once, in its band, exactly as QGroupBox paints it;
// other styles paint the box in one piece.
class TypeFrame : public QGroupBox {
 public:
  using QGroupBox::QGroupBox;

 protected:
  void paintEvent(QPaintEvent* event) override {
    if (style()->name().compare(QStringLiteral("fusion"), Qt::CaseInsensitive) != 0) {
      QGroupBox::paintEvent(event);
      return;
    }
    // At most 92 rows of the device, rounding included, at any scale.
    const int band = std::max(1, static_cast<int>(92 / devicePixelRatioF()));
    QStylePainter painter(this);
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    for (int top = 0; top < height(); top += band) {
      const QRect rows(0, top, width(), band);
      if (!event->rect().intersects(rows)) continue;
      painter.setClipRect(rows);
      painter.drawComplexControl(QStyle::CC_GroupBox, option);
    }
  }
};

QWidget* Create(const Control& c, QWidget* parent) {
  const QRect geometry = TwipRect(c.left, c.top, c.width, c.height);
  const QString text = QString::fromUtf8(c.text);
  QWidget* widget = nullptr;
  switch (c.kind) {
    case Kind::kStaticLabel:
    case Kind::kValueLabel:
      return AddLabel(parent, c.name, text, geometry, c.kind == Kind::kStaticLabel);
    case Kind::kTextBox: {
      auto* box = new QLineEdit(parent);
      box->setAccessibleName(text);
      box->setMaxLength(kMaxInputLength);
      QPalette p = box->palette();
      p.setColor(QPalette::Base, Qt::white);
      p.setColor(QPalette::Text, Qt::black);
      box->setPalette(p);
      widget = box;
      break;
    }
    case Kind::kButton: {
      auto* button = new QPushButton(text, parent);
      // Neither button answers Enter or Escape.
      button->setAutoDefault(false);
      button->setDefault(false);
      widget = button;
      break;
    }
    case Kind::kImage:
      widget = new ImageBox(parent);
      break;
  }
  widget->setObjectName(QString::fromLatin1(c.name));
  widget->setGeometry(geometry);
  return widget;
}

template <typename T>
T* Child(QWidget* parent, const char* name) {
  return parent->findChild<T*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

}  // namespace

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
  auto add_item = [this](QMenu* menu, const char* caption, const char* name,
                         void (Vorda1::*handler)()) {
    QAction* item = menu->addAction(QString::fromLatin1(caption));
    item->setObjectName(QString::fromLatin1(name));
    connect(item, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
  };
  QMenu* file = bar->addMenu(QStringLiteral("File"));
  file->setObjectName(QStringLiteral("mnuFile"));
  add_item(file, "Exit", "mnuFileExit", &Vorda1::mnuFileExit_Click);
  QMenu* help = bar->addMenu(QStringLiteral("Help"));
  help->setObjectName(QStringLiteral("mnuHelp"));
  add_item(help, "Contents", "mnuHelpContents", &Vorda1::mnuHelpContents_Click);
  add_item(help, "About", "mnuHelpAbout", &Vorda1::mnuHelpAbout_Click);
}

void Vorda1::BuildControls() {
  client_ = new ClientArea(this);
  setCentralWidget(client_);
  for (const Control& c : kControls) Create(c, client_);
  for (std::size_t i = 0; i < kInputBoxCount; ++i) {
    inputs_[i] = Child<QLineEdit>(client_, kInputBoxNames[i]);
  }
  for (std::size_t i = 0; i < kResultLabelCount; ++i) {
    results_[i] = Child<QLabel>(client_, kResultLabelNames[i]);
  }
  Input(InputBox::kNormR)->setText(QStringLiteral("50"));
  lblFirstLabel_ = Child<QLabel>(client_, "lblFirstLabel");
  lblSecondLabel_ = Child<QLabel>(client_, "lblSecondLabel");
  lblTypeDescrip_ = Child<QLabel>(client_, "lblTypeDescrip");
  Image1_ = Child<ImageBox>(client_, "Image1");
  cmdCompute_ = Child<QPushButton>(client_, "cmdCompute");
  cmdExit_ = Child<QPushButton>(client_, "cmdExit");
  connect(cmdCompute_, &QPushButton::clicked, this, [this] { cmdCompute_Click(); });
  connect(cmdExit_, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
  BuildOptionButtons();
  SetTabOrder();
}

void Vorda1::BuildOptionButtons() {
  Frame1_ = new TypeFrame(QStringLiteral("Choose Type of L-Section"), client_);
  Frame1_->setObjectName(QStringLiteral("Frame1"));
  Frame1_->setGeometry(TwipRect(105, 3675, 10620, 4110));
  for (std::size_t i = 0; i < optType_.size(); ++i) {
    const OptionPlace& place = kOptionPlaces[i];
    const auto index = static_cast<std::int16_t>(i);
    auto* button = new QRadioButton(QString::fromStdString(Caption(kSectionTypes[i])), Frame1_);
    button->setObjectName(QStringLiteral("optType"));
    button->setProperty("Index", static_cast<int>(index));
    button->setFocusPolicy(Qt::ClickFocus);
    button->setGeometry(TwipRect(place.button_left, place.button_top, kOptionWidth, kOptionHeight));
    connect(button, &QRadioButton::toggled, this,
            [this, index](bool checked) { OnOptionToggled(index, checked); });
    optType_[i] = button;
    AddLabel(Frame1_, place.label_name, QString::fromUtf8(kCatalogue[i].region_caption),
             TwipRect(place.label_left, place.label_top, kRegionCaptionWidth, kRegionCaptionHeight),
             false);
  }
}

void Vorda1::SetTabOrder() {
  QWidget* const chain[] = {Input(InputBox::kInReal), Input(InputBox::kInImag),
                            Input(InputBox::kNormR), cmdCompute_, cmdExit_};
  for (std::size_t i = 1; i < std::size(chain); ++i) setTabOrder(chain[i - 1], chain[i]);
  setTabOrder(cmdExit_, optType_[0]);
  for (std::size_t i = 1; i < optType_.size(); ++i) setTabOrder(optType_[i - 1], optType_[i]);
}

}  // namespace vorda::ui
