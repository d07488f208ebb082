#include "ui/designer/InputPanel.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "rf/synthesis/Ladders.h"

namespace vorda::designer {

namespace {

// The input boxes: label with its access key, object name and the hint
// shown when blank. (Their names in messages and their settings are the
// design layer's, rf::FieldInfos; their start texts those of a default
// request.)
struct InputSpec {
  Field field;
  const char* label;
  const char* name;
  const char* placeholder;
};
constexpr InputSpec kInputs[] = {
    {Field::kZ0, "Z&0 (ohms):", "txtZ0", ""},
    {Field::kSource, "S&ource (ohms):", "txtSource", "Z0"},
    {Field::kLoadR, "Load &R (ohms):", "txtLoadR", ""},
    {Field::kLoadX, "Load &X (ohms):", "txtLoadX", ""},
    {Field::kExtend, "Extend b&y:", "txtExtend", "none (40ps, -12.5mm,vf=0.66)"},
    {Field::kFrequency, "&Frequency:", "txtFrequency", ""},
    {Field::kBand, "B&and:", "txtBand", "none (13M:15M, 698M:960M:rl=10)"},
    {Field::kReject, "Re&ject:", "txtReject", "none (4.8G:5G:30)"},
    {Field::kQInductor, "Q of &inductors:", "txtQInductor", "ideal"},
    {Field::kQCapacitor, "Q of &capacitors:", "txtQCapacitor", "ideal"},
    {Field::kLoadedQ, "&Loaded Q:", "txtLoadedQ", "none (Pi and T)"},
    {Field::kSpan, "S&weep span:", "txtSpan", "automatic"},
    {Field::kTolerance, "Tol&erance:", "txtTolerance", "none (5%, L=2%,C=5%)"},
    {Field::kLineZ0, "Line &Z0 (ohms):", "txtLineZ0", "Z0"},
    {Field::kSubstrate, "Substrate:", "txtSubstrate", "none (er=4.3,h=1.6mm)"},
};

// The series box's item of the parts library.
constexpr int kLibraryItem = -2;

}  // namespace

QString RankingChoice(rf::Ranking ranking) {
  QString name = QString::fromLatin1(rf::RankingName(ranking));
  name[0] = name[0].toUpper();
  return name;
}

InputPanel::InputPanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("inputPanel"));
  auto* form = new QFormLayout();
  const rf::DesignRequest defaults;
  const rf::DesignTexts start = rf::TextsOf(defaults);
  for (const InputSpec& spec : kInputs) {
    auto* box = new QLineEdit(QString::fromStdString(start[spec.field]), this);
    box->setObjectName(QString::fromLatin1(spec.name));
    box->setPlaceholderText(QString::fromLatin1(spec.placeholder));
    box->setAccessibleName(QString(QString::fromLatin1(spec.label)).remove('&').remove(':'));
    inputs_[static_cast<std::size_t>(spec.field)] = box;
    auto* label = new QLabel(QString::fromLatin1(spec.label), this);
    label->setBuddy(box);
    form->addRow(label, box);
    connect(box, &QLineEdit::textChanged, this, &InputPanel::Changed);
    if (spec.field == Field::kLoadX) AddMeasurementButtons(form);
    if (spec.field == Field::kExtend) AddMeasurementRows(form);
    if (spec.field == Field::kBand) AddChoiceRows(form);
    if (spec.field == Field::kTolerance) AddElementsRow(form);
  }
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addLayout(form);
  outer->addStretch(1);
  setMinimumWidth(240);
  setMaximumWidth(300);
}

void InputPanel::AddMeasurementButtons(QFormLayout* form) {
  auto* open = new QPushButton(QStringLiteral("Open &Measurement..."), this);
  open->setObjectName(QStringLiteral("cmdOpenMeasurement"));
  connect(open, &QPushButton::clicked, this, &InputPanel::OpenMeasurementClicked);
  auto* typed = new QPushButton(QStringLiteral("&Typed Load"), this);
  typed->setObjectName(QStringLiteral("cmdTypedLoad"));
  connect(typed, &QPushButton::clicked, this, &InputPanel::TypedLoadClicked);
  auto* buttons = new QHBoxLayout();
  buttons->addWidget(open);
  buttons->addWidget(typed);
  form->addRow(buttons);
  // The load's other states, each a measurement: one network for them all.
  auto* state = new QPushButton(QStringLiteral("Add &State..."), this);
  state->setObjectName(QStringLiteral("cmdAddState"));
  state->setToolTip(QStringLiteral(
      "Another measurement of the load (in a hand, a case closed): the band search makes one "
      "network good in every state"));
  connect(state, &QPushButton::clicked, this, &InputPanel::AddStateClicked);
  auto* none = new QPushButton(QStringLiteral("One State"), this);
  none->setObjectName(QStringLiteral("cmdOneState"));
  connect(none, &QPushButton::clicked, this, &InputPanel::OneStateClicked);
  auto* states = new QHBoxLayout();
  states->addWidget(state);
  states->addWidget(none);
  form->addRow(states);
  states_label_ = new QLabel(this);
  states_label_->setObjectName(QStringLiteral("lblStates"));
  states_label_->setWordWrap(true);
  states_label_->hide();
  form->addRow(states_label_);
}

// Where the measurement was moved to (the Extend field stands before):
// behind a fixture, and what was opened.
void InputPanel::AddMeasurementRows(QFormLayout* form) {
  auto* fixture = new QPushButton(QStringLiteral("De-embed Fixture..."), this);
  fixture->setObjectName(QStringLiteral("cmdDeembed"));
  connect(fixture, &QPushButton::clicked, this, &InputPanel::DeembedClicked);
  auto* none = new QPushButton(QStringLiteral("No Fixture"), this);
  none->setObjectName(QStringLiteral("cmdNoFixture"));
  connect(none, &QPushButton::clicked, this, &InputPanel::NoFixtureClicked);
  auto* buttons = new QHBoxLayout();
  buttons->addWidget(fixture);
  buttons->addWidget(none);
  form->addRow(buttons);
  fixture_label_ = new QLabel(QStringLiteral("No fixture"), this);
  fixture_label_->setObjectName(QStringLiteral("lblFixture"));
  fixture_label_->setWordWrap(true);
  form->addRow(fixture_label_);
  measurement_label_ = new QLabel(QStringLiteral("Load typed above"), this);
  measurement_label_->setObjectName(QStringLiteral("lblMeasurement"));
  measurement_label_->setWordWrap(true);
  form->addRow(measurement_label_);
}

void InputPanel::AddChoiceRows(QFormLayout* form) {
  series_ = new QComboBox(this);
  series_->setObjectName(QStringLiteral("cboSeries"));
  series_->setAccessibleName(QStringLiteral("Standard series"));
  series_->addItem(QStringLiteral("Ideal"), -1);
  for (const rf::ESeries e : {rf::ESeries::kE6, rf::ESeries::kE12, rf::ESeries::kE24,
                              rf::ESeries::kE48, rf::ESeries::kE96, rf::ESeries::kE192}) {
    series_->addItem(QString::fromLatin1(rf::SeriesName(e)), static_cast<int>(e));
  }
  auto* label = new QLabel(QStringLiteral("Standard &series:"), this);
  label->setBuddy(series_);
  form->addRow(label, series_);
  connect(series_, &QComboBox::currentIndexChanged, this, &InputPanel::Changed);

  package_ = new QComboBox(this);
  package_->setObjectName(QStringLiteral("cboPackage"));
  package_->setAccessibleName(QStringLiteral("Package"));
  package_->addItem(QStringLiteral("Ideal parts"), -1);
  for (std::size_t p = 0; p < rf::kPackageCount; ++p) {
    package_->addItem(QString::fromLatin1(rf::PackageName(static_cast<rf::Package>(p))),
                      static_cast<int>(p));
  }
  auto* package = new QLabel(QStringLiteral("Pac&kage:"), this);
  package->setBuddy(package_);
  form->addRow(package, package_);
  connect(package_, &QComboBox::currentIndexChanged, this, &InputPanel::Changed);

  ranking_ = new QComboBox(this);
  ranking_->setObjectName(QStringLiteral("cboBest"));
  ranking_->setAccessibleName(QStringLiteral("Best by"));
  ranking_->setToolTip(
      QStringLiteral("What ranks first and what the band search makes best; Automatic: the "
                     "transducer gain when the parts take power, the return loss otherwise"));
  ranking_->addItem(QStringLiteral("Automatic"), -1);
  for (std::size_t r = 0; r < rf::kRankingCount; ++r) {
    ranking_->addItem(RankingChoice(static_cast<rf::Ranking>(r)), static_cast<int>(r));
  }
  auto* best = new QLabel(QStringLiteral("&Best by:"), this);
  best->setBuddy(ranking_);
  form->addRow(best, ranking_);
  connect(ranking_, &QComboBox::currentIndexChanged, this, &InputPanel::Changed);

  max_parts_ = new QComboBox(this);
  max_parts_->setObjectName(QStringLiteral("cboMaxParts"));
  max_parts_->setAccessibleName(QStringLiteral("Parts at most"));
  max_parts_->setToolTip(
      QStringLiteral("The band search tries every ladder of 2 up to this many parts"));
  for (int n = 2; n <= rf::kMostParts; ++n) max_parts_->addItem(QString::number(n), n);
  max_parts_->setCurrentIndex(max_parts_->findData(rf::kDefaultMaxParts));
  auto* parts = new QLabel(QStringLiteral("Up to &n parts:"), this);
  parts->setBuddy(max_parts_);
  form->addRow(parts, max_parts_);
  connect(max_parts_, &QComboBox::currentIndexChanged, this, &InputPanel::Changed);
}

void InputPanel::AddElementsRow(QFormLayout* form) {
  elements_ = new QComboBox(this);
  elements_->setObjectName(QStringLiteral("cboElements"));
  elements_->setAccessibleName(QStringLiteral("Elements"));
  const std::pair<const char*, rf::Elements> choices[] = {{"Lumped parts", rf::Elements::kLumped},
                                                          {"Lines and stubs", rf::Elements::kLines},
                                                          {"Both", rf::Elements::kBoth}};
  for (const auto& [text, e] : choices)
    elements_->addItem(QString::fromLatin1(text), static_cast<int>(e));
  auto* label = new QLabel(QStringLiteral("Elements &used:"), this);
  label->setBuddy(elements_);
  form->addRow(label, elements_);
  connect(elements_, &QComboBox::currentIndexChanged, this, &InputPanel::Changed);
}

rf::Elements InputPanel::Elements() const {
  return static_cast<rf::Elements>(std::max(0, elements_->currentData().toInt()));
}

void InputPanel::SetElements(rf::Elements elements) const {
  elements_->setCurrentIndex(std::max(0, elements_->findData(static_cast<int>(elements))));
}

void InputPanel::ShowFixture(const QString& what) {
  fixture_label_->setText(what);
}

void InputPanel::ShowStates(const QString& what) {
  states_label_->setText(what);
  states_label_->setVisible(!what.isEmpty());
}

rf::DesignTexts InputPanel::Texts() const {
  rf::DesignTexts t;
  for (const InputSpec& spec : kInputs) t[spec.field] = Input(spec.field)->text().toStdString();
  return t;
}

std::optional<rf::ESeries> InputPanel::Series() const {
  const int e = series_->currentData().toInt();
  return e < 0 ? std::nullopt : std::optional(static_cast<rf::ESeries>(e));
}

std::optional<rf::Package> InputPanel::Package() const {
  const int p = package_->currentData().toInt();
  return p < 0 ? std::nullopt : std::optional(static_cast<rf::Package>(p));
}

void InputPanel::SetPackage(std::optional<rf::Package> package) const {
  package_->setCurrentIndex(
      std::max(0, package_->findData(package ? static_cast<int>(*package) : -1)));
}

bool InputPanel::UsesLibrary() const {
  return series_->currentData().toInt() == kLibraryItem;
}

void InputPanel::SetLibrary(const QString& name, bool use) const {
  int at = series_->findData(kLibraryItem);
  if (at < 0) {
    series_->addItem(QString(), kLibraryItem);
    at = series_->count() - 1;
  }
  series_->setItemText(at, QStringLiteral("Library: %1").arg(name));
  if (use) series_->setCurrentIndex(at);
}

void InputPanel::ClearLibrary() const {
  const int at = series_->findData(kLibraryItem);
  if (at >= 0) series_->removeItem(at);
}

std::optional<rf::Ranking> InputPanel::Ranking() const {
  const int r = ranking_->currentData().toInt();
  return r < 0 ? std::nullopt : std::optional(static_cast<rf::Ranking>(r));
}

int InputPanel::MaxParts() const {
  return max_parts_->currentData().toInt();
}

void InputPanel::SetMaxParts(int parts) const {
  const int at = max_parts_->findData(parts);
  if (at >= 0) max_parts_->setCurrentIndex(at);
}

void InputPanel::SetSeries(std::optional<rf::ESeries> series) const {
  series_->setCurrentIndex(std::max(0, series_->findData(series ? static_cast<int>(*series) : -1)));
}

void InputPanel::SetRanking(std::optional<rf::Ranking> ranking) const {
  ranking_->setCurrentIndex(
      std::max(0, ranking_->findData(ranking ? static_cast<int>(*ranking) : -1)));
}

void InputPanel::Mark(std::optional<Field> wrong) const {
  for (const InputSpec& spec : kInputs) {
    QLineEdit* box = Input(spec.field);
    const bool bad = wrong == spec.field;
    if (box->property("invalid").toBool() == bad) continue;
    box->setProperty("invalid", bad);
    box->setStyleSheet(bad ? QStringLiteral("QLineEdit { border: 2px solid #d02020; }")
                           : QString());
  }
}

void InputPanel::ShowMeasurement(const QString& what) {
  measurement_label_->setText(what);
  Input(Field::kLoadR)->setReadOnly(true);
  Input(Field::kLoadX)->setReadOnly(true);
}

void InputPanel::ShowTyped() {
  measurement_label_->setText(QStringLiteral("Load typed above"));
  Input(Field::kLoadR)->setReadOnly(false);
  Input(Field::kLoadX)->setReadOnly(false);
}

void InputPanel::ShowLoad(std::complex<double> load) const {
  for (const auto& [field, value] :
       {std::pair{Field::kLoadR, load.real()}, std::pair{Field::kLoadX, load.imag()}}) {
    const QSignalBlocker quiet(Input(field));
    Input(field)->setText(QString::number(value, 'g', 6));
  }
}

}  // namespace vorda::designer
