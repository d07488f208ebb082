#include "ui/designer/DesignerWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include "ui/designer/ResponseChart.h"
#include "ui/designer/ResultsModel.h"
#include "ui/designer/SmithChart.h"
#include "ui/designer/SmithPath.h"

namespace vorda::designer {

namespace {

// The input boxes: label with its access key, object name, start text and
// the hint shown when blank.
struct InputSpec {
  Field field;
  const char* label;
  const char* name;
  const char* text;
  const char* placeholder;
};
constexpr InputSpec kInputs[] = {
    {Field::kZ0, "Z&0 (ohms):", "txtZ0", "50", ""},
    {Field::kLoadR, "Load &R (ohms):", "txtLoadR", "40", ""},
    {Field::kLoadX, "Load &X (ohms):", "txtLoadX", "30", ""},
    {Field::kFrequency, "&Frequency:", "txtFrequency", "14.2M", ""},
    {Field::kQInductor, "Q of &inductors:", "txtQInductor", "", "ideal"},
    {Field::kQCapacitor, "Q of &capacitors:", "txtQCapacitor", "", "ideal"},
    {Field::kSpan, "S&weep span:", "txtSpan", "", "automatic"},
};

}  // namespace

DesignerWindow::DesignerWindow(MessageBoxes& boxes, std::function<void()> help, QWidget* parent)
    : QMainWindow(parent), boxes_(boxes), help_(std::move(help)) {
  setWindowTitle(QString::fromLatin1(kDesignerTitle));
  setObjectName(QStringLiteral("DesignerWindow"));
  auto* central = new QWidget(this);
  auto* layout = new QHBoxLayout(central);
  auto* panel = new QWidget(central);
  BuildInputs(panel);
  layout->addWidget(panel);

  model_ = new ResultsModel(this);
  sorted_ = new QSortFilterProxyModel(this);
  sorted_->setSourceModel(model_);
  sorted_->setSortRole(kSortRole);
  table_ = new QTableView(central);
  table_->setObjectName(QStringLiteral("resultsTable"));
  table_->setAccessibleName(QStringLiteral("Results for the eight types"));
  table_->setModel(sorted_);
  table_->setSortingEnabled(true);
  table_->sortByColumn(kColumnType, Qt::AscendingOrder);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->setWordWrap(false);
  // All eight rows in view.
  table_->setMinimumHeight(table_->horizontalHeader()->sizeHint().height() +
                           8 * table_->verticalHeader()->defaultSectionSize() + 4);

  smith_ = new SmithChart(central);
  response_ = new ResponseChart(central);
  chart_split_ = new QSplitter(Qt::Horizontal, central);
  chart_split_->addWidget(smith_);
  chart_split_->addWidget(response_);
  chart_split_->setStretchFactor(1, 1);
  main_split_ = new QSplitter(Qt::Vertical, central);
  main_split_->addWidget(table_);
  main_split_->addWidget(chart_split_);
  main_split_->setStretchFactor(1, 1);
  layout->addWidget(main_split_, 1);
  setCentralWidget(central);

  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("statusLine"));
  statusBar()->addWidget(status_, 1);
  BuildMenus();
  resize(1280, 860);

  connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this] { ShowSelected(); });
  LoadSettings();
  Recompute();
  SelectBest();
}

void DesignerWindow::SelectBest() {
  const auto best = static_cast<int>(model_->Designs().best.value_or(0));
  table_->selectRow(sorted_->mapFromSource(model_->index(best, 0)).row());
}

DesignerWindow::~DesignerWindow() = default;

void DesignerWindow::BuildInputs(QWidget* panel) {
  auto* form = new QFormLayout();
  for (const InputSpec& spec : kInputs) {
    auto* box = new QLineEdit(QString::fromLatin1(spec.text), panel);
    box->setObjectName(QString::fromLatin1(spec.name));
    box->setPlaceholderText(QString::fromLatin1(spec.placeholder));
    box->setAccessibleName(QString(QString::fromLatin1(spec.label)).remove('&').remove(':'));
    inputs_[static_cast<std::size_t>(spec.field)] = box;
    auto* label = new QLabel(QString::fromLatin1(spec.label), panel);
    label->setBuddy(box);
    form->addRow(label, box);
    connect(box, &QLineEdit::textChanged, this, [this] { Recompute(); });
    if (spec.field == Field::kLoadX) AddMeasurementRows(panel, form);
    if (spec.field == Field::kFrequency) AddSeriesRow(panel, form);
  }
  auto* outer = new QVBoxLayout(panel);
  outer->addLayout(form);
  outer->addStretch(1);
  panel->setMinimumWidth(260);
  panel->setMaximumWidth(300);
}

void DesignerWindow::AddMeasurementRows(QWidget* panel, QFormLayout* form) {
  auto* open = new QPushButton(QStringLiteral("Open &Measurement..."), panel);
  open->setObjectName(QStringLiteral("cmdOpenMeasurement"));
  connect(open, &QPushButton::clicked, this, [this] {
    Choose(QStringLiteral("Open Measurement"),
           QStringLiteral("Touchstone files (*.s1p *.z1p *.y1p *.ts);;All files (*)"), false,
           [this](const QString& path) { OpenMeasurement(path); });
  });
  auto* typed = new QPushButton(QStringLiteral("&Typed Load"), panel);
  typed->setObjectName(QStringLiteral("cmdTypedLoad"));
  connect(typed, &QPushButton::clicked, this, [this] { ClearMeasurement(); });
  auto* buttons = new QHBoxLayout();
  buttons->addWidget(open);
  buttons->addWidget(typed);
  form->addRow(buttons);
  measurement_label_ = new QLabel(QStringLiteral("Load typed above"), panel);
  measurement_label_->setObjectName(QStringLiteral("lblMeasurement"));
  measurement_label_->setWordWrap(true);
  form->addRow(measurement_label_);
}

void DesignerWindow::AddSeriesRow(QWidget* panel, QFormLayout* form) {
  series_ = new QComboBox(panel);
  series_->setObjectName(QStringLiteral("cboSeries"));
  series_->setAccessibleName(QStringLiteral("Standard series"));
  for (const char* choice : kSeriesChoices) series_->addItem(QString::fromLatin1(choice));
  auto* label = new QLabel(QStringLiteral("Standard &series:"), panel);
  label->setBuddy(series_);
  form->addRow(label, series_);
  connect(series_, &QComboBox::currentIndexChanged, this, [this] { Recompute(); });
}

void DesignerWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  auto add = [this](QMenu* menu, const QString& text, const QKeySequence& keys, auto slot) {
    QAction* a = menu->addAction(text, this, slot);
    a->setShortcut(keys);
    return a;
  };
  const QString pictures = QStringLiteral("PNG picture (*.png);;SVG drawing (*.svg)");
  add(file, QStringLiteral("&Open Measurement..."), QKeySequence::Open, [this] {
    Choose(QStringLiteral("Open Measurement"),
           QStringLiteral("Touchstone files (*.s1p *.z1p *.y1p *.ts);;All files (*)"), false,
           [this](const QString& p) { OpenMeasurement(p); });
  });
  add(file, QStringLiteral("&Typed Load"), QKeySequence(), [this] { ClearMeasurement(); });
  file->addSeparator();
  add(file, QStringLiteral("&Copy Netlist"), QKeySequence(QStringLiteral("Ctrl+Shift+C")),
      [this] { CopyNetlist(); });
  add(file, QStringLiteral("Save &Netlist..."), QKeySequence(QStringLiteral("Ctrl+Shift+N")),
      [this] {
        Choose(QStringLiteral("Save Netlist"), QStringLiteral("SPICE netlist (*.cir)"), true,
               [this](const QString& p) { SaveNetlist(p); });
      });
  add(file, QStringLiteral("Save T&able..."), QKeySequence::Save, [this] {
    Choose(QStringLiteral("Save Table"), QStringLiteral("CSV table (*.csv)"), true,
           [this](const QString& p) { SaveTable(p); });
  });
  add(file, QStringLiteral("Save Smit&h Chart..."), QKeySequence(), [this, pictures] {
    Choose(QStringLiteral("Save Smith Chart"), pictures, true,
           [this](const QString& p) { SaveSmithChart(p); });
  });
  add(file, QStringLiteral("Save &Response..."), QKeySequence(), [this, pictures] {
    Choose(QStringLiteral("Save Response"), pictures, true,
           [this](const QString& p) { SaveResponse(p); });
  });
  file->addSeparator();
  add(file, QStringLiteral("E&xit"), QKeySequence::Quit, [this] { close(); });
  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  add(help, QStringLiteral("&Contents"), QKeySequence::HelpContents, [this] {
    if (help_) help_();
  });
}

InputTexts DesignerWindow::Texts() const {
  InputTexts t;
  for (const InputSpec& spec : kInputs) t[spec.field] = Input(spec.field)->text().toStdString();
  t[Field::kSeries] = series_->currentText().toStdString();
  return t;
}

void DesignerWindow::MarkField(std::optional<Field> wrong) const {
  for (const InputSpec& spec : kInputs) {
    QLineEdit* box = Input(spec.field);
    const bool bad = wrong == spec.field;
    if (box->property("invalid").toBool() == bad) continue;
    box->setProperty("invalid", bad);
    box->setStyleSheet(bad ? QStringLiteral("QLineEdit { border: 2px solid #d02020; }")
                           : QString());
  }
}

void DesignerWindow::Recompute() {
  if (series_ == nullptr) return;  // still being built
  const ParsedInputs parsed = ParseInputs(Texts(), Measurement());
  MarkField(parsed.error ? std::optional<Field>(parsed.error->field) : std::nullopt);
  if (parsed.error) {
    status_->setText(QString::fromStdString(parsed.error->message));
    table_->setEnabled(false);
    return;  // nothing is computed from a wrong input
  }
  table_->setEnabled(true);
  inputs_used_ = parsed.inputs;
  model_->SetDesigns(DesignAll(*parsed.inputs, Measurement()));
  const DesignSet& set = model_->Designs();
  if (measurement_) {  // the load boxes show the measured load at the frequency
    for (const auto& [field, value] :
         {std::pair{Field::kLoadR, set.load.real()}, std::pair{Field::kLoadX, set.load.imag()}}) {
      const QSignalBlocker quiet(Input(field));
      Input(field)->setText(QString::number(value, 'g', 6));
    }
  }
  status_->setText(set.best ? QStringLiteral("Best match: type %1 (%2)")
                                  .arg(*set.best + 1)
                                  .arg(QString::fromStdString(Caption(kSectionTypes[*set.best])))
                            : QStringLiteral("No type can match this load."));
  ShowSelected();
  table_->resizeColumnsToContents();
  table_->setColumnWidth(kColumnStatus, std::min(table_->columnWidth(kColumnStatus), 240));
}

int DesignerWindow::SelectedRow() const {
  const QModelIndex current = table_->currentIndex();
  if (current.isValid()) return sorted_->mapToSource(current).row();
  return static_cast<int>(model_->Designs().best.value_or(0));
}

void DesignerWindow::ShowSelected() {
  const DesignSet& set = model_->Designs();
  if (set.rows.empty() || !inputs_used_) return;
  const TypeRow& row = set.rows[static_cast<std::size_t>(SelectedRow())];
  const DesignInputs& in = *inputs_used_;
  SmithData smith;
  smith.load = set.load / in.z0;
  if (measurement_) {
    const std::size_t n = measurement_->points.size();
    const std::size_t step = std::max<std::size_t>(1, n / 2000);
    for (std::size_t i = 0; i < n; i += step)
      smith.trace.push_back(measurement_->points[i].z / in.z0);
  }
  ResponseData response;
  response.frequencies = set.frequencies;
  response.bare = set.bare_return_loss_db;
  if (row.design) {
    const rf::TypeDesign& d = *row.design;
    smith.path = MatchPath(d.ideal, set.load, in.hertz, row.engine.run.z0);
    if (d.standard) smith.standard_end = d.standard->InputImpedance(in.hertz, set.load) / in.z0;
    if (d.loss) smith.built_end = d.evaluated.InputImpedance(in.hertz, set.load) / in.z0;
    const Curves curves = CurvesFor(row, set, Measurement());
    response.ideal = curves.ideal.return_loss_db;
    if (curves.standard) response.standard = curves.standard->return_loss_db;
    if (curves.built) response.built = curves.built->return_loss_db;
    response.band = d.band->holds;
    response.band_low = d.band->low;
    response.band_high = d.band->high;
  }
  smith_->SetData(std::move(smith));
  response_->SetData(response);
}

}  // namespace vorda::designer
