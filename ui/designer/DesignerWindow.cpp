#include "ui/designer/DesignerWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>

#include "rf/synthesis/Tuning.h"
#include "ui/designer/BandJob.h"
#include "ui/designer/ResponseChart.h"
#include "ui/designer/ResultsModel.h"
#include "ui/designer/SmithChart.h"
#include "ui/designer/SmithPath.h"
#include "ui/designer/StatusText.h"

namespace vorda::designer {

namespace {

constexpr QSize kDefaultSize(1280, 860);

}  // namespace

DesignerWindow::DesignerWindow(MessageBoxes& boxes, std::function<void()> help, QWidget* parent)
    : QMainWindow(parent), boxes_(boxes), help_(std::move(help)) {
  setWindowTitle(QString::fromLatin1(kDesignerTitle));
  setObjectName(QStringLiteral("DesignerWindow"));
  auto* central = new QWidget(this);
  auto* layout = new QHBoxLayout(central);
  panel_ = new InputPanel(central);
  layout->addWidget(panel_);
  BuildTable(central);
  smith_ = new SmithChart(central);
  // The response with the choice of what it plots above it.
  auto* response_panel = new QWidget(central);
  auto* response_layout = new QVBoxLayout(response_panel);
  response_layout->setContentsMargins(0, 0, 0, 0);
  auto* plot_row = new QHBoxLayout();
  plot_ = new QComboBox(response_panel);
  plot_->setObjectName(QStringLiteral("cboPlot"));
  plot_->setAccessibleName(QStringLiteral("Plot"));
  for (const char* choice : kPlotChoices) plot_->addItem(QString::fromUtf8(choice));
  auto* plot_label = new QLabel(QStringLiteral("&Plot:"), response_panel);
  plot_label->setBuddy(plot_);
  plot_row->addWidget(plot_label);
  plot_row->addWidget(plot_);
  plot_row->addStretch(1);
  response_layout->addLayout(plot_row);
  response_ = new ResponseChart(response_panel);
  response_layout->addWidget(response_, 1);
  connect(plot_, &QComboBox::currentIndexChanged, this,
          [this](int i) { response_->SetPlot(static_cast<ResponsePlot>(std::max(0, i))); });
  chart_split_ = new QSplitter(Qt::Horizontal, central);
  chart_split_->addWidget(smith_);
  chart_split_->addWidget(response_panel);
  chart_split_->setStretchFactor(1, 1);
  main_split_ = new QSplitter(Qt::Vertical, central);
  main_split_->addWidget(table_);
  main_split_->addWidget(chart_split_);
  main_split_->setStretchFactor(1, 1);
  main_split_->setCollapsible(0, false);
  main_split_->setSizes({300, 500});
  layout->addWidget(main_split_, 1);
  setCentralWidget(central);

  status_ = new StatusText(this);
  status_->setObjectName(QStringLiteral("statusLine"));
  status_->setMinimumWidth(100);
  status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  statusBar()->addWidget(status_, 1);
  BuildMenus();
  BuildViewMenu();
  connect(smith_, &SmithChart::DragStarted, this, [this](int element) { StartTuning(element); });
  connect(
      smith_, &SmithChart::Dragged, this,
      [this](int element, std::complex<double> gamma, bool free) { Tune(element, gamma, free); });
  // Within the screen's available area, whatever its size.
  QSize size = kDefaultSize;
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect available = screen->availableGeometry();
    size = size.boundedTo(available.size() - QSize(16, 48));
  }
  resize(size);

  band_job_ = new BandJob(this);
  connect(band_job_, &BandJob::Finished, this,
          [this](const rf::BandResult& band) { ShowBand(band); });
  connect(panel_, &InputPanel::Changed, this, [this] { Recompute(); });
  connect(panel_, &InputPanel::OpenMeasurementClicked, this, [this] {
    Choose(QStringLiteral("Open Measurement"),
           QStringLiteral("Touchstone files (*.s1p *.z1p *.y1p *.ts);;All files (*)"), false,
           [this](const QString& path) { OpenMeasurement(path); });
  });
  connect(panel_, &InputPanel::TypedLoadClicked, this, [this] { ClearMeasurement(); });
  connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this] { ShowSelected(); });
  LoadSettings();
  Recompute();
  SelectBest();
}

DesignerWindow::~DesignerWindow() = default;

QLabel* DesignerWindow::StatusLine() const {
  return status_;
}

void DesignerWindow::BuildTable(QWidget* parent) {
  model_ = new ResultsModel(this);
  sorted_ = new QSortFilterProxyModel(this);
  sorted_->setSourceModel(model_);
  sorted_->setSortRole(kSortRole);
  table_ = new QTableView(parent);
  table_->setObjectName(QStringLiteral("resultsTable"));
  table_->setAccessibleName(QStringLiteral("Results for the eight types"));
  table_->setModel(sorted_);
  table_->setSortingEnabled(true);
  table_->sortByColumn(kColumnType, Qt::AscendingOrder);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setMinimumSectionSize(1);
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
  table_->horizontalHeader()->setStretchLastSection(false);
  table_->viewport()->installEventFilter(this);
  table_->setWordWrap(false);
  table_->setTextElideMode(Qt::ElideRight);
  // All eight rows in view.
  table_->setMinimumHeight(table_->horizontalHeader()->sizeHint().height() +
                           8 * table_->verticalHeader()->defaultSectionSize() +
                           2 * table_->frameWidth() + 2);
}

void DesignerWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  auto add = [this](QMenu* menu, const QString& text, const QKeySequence& keys, auto slot) {
    QAction* a = menu->addAction(text, this, slot);
    a->setShortcut(keys);
    return a;
  };
  const QString pictures = QStringLiteral("PNG picture (*.png);;SVG drawing (*.svg)");
  add(file, QStringLiteral("&Open Measurement..."), QKeySequence::Open,
      [this] { emit panel_->OpenMeasurementClicked(); });
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

void DesignerWindow::SetStatus(const QString& text) {
  status_->SetMessage(text);
}

void DesignerWindow::FitColumns() {
  table_->resizeColumnsToContents();
  // All columns in view: the status, then the parts give up what does not
  // fit (their whole texts are in the tooltips).
  int total = 0;
  for (int c = 0; c < kColumnCount; ++c) total += table_->columnWidth(c);
  int excess = total - table_->viewport()->width();
  for (const auto& [column, least] : {std::pair{kColumnStatus, 80}, std::pair{kColumnParts, 170}}) {
    if (excess <= 0) break;
    const int width = table_->columnWidth(column);
    const int narrower = std::max(width - excess, std::min(width, least));
    excess -= width - narrower;
    table_->setColumnWidth(column, narrower);
  }
}

bool DesignerWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == table_->viewport() && event->type() == QEvent::Resize) FitColumns();
  return QMainWindow::eventFilter(watched, event);
}

void DesignerWindow::Recompute() {
  if (panel_ == nullptr || table_ == nullptr || status_ == nullptr) return;  // still being built
  rf::DesignRequest base;
  base.measurement = Measurement();
  base.measurement_name = measurement_path_.toStdString();
  base.band = true;
  base.sweep.kind = rf::SweepPlan::Kind::kAround;
  base.sweep.points = kSweepPoints;
  base.responses = false;
  base.ranking = panel_->Ranking();
  const rf::ReadRequest read = rf::ReadDesignTexts(panel_->Texts(), base);
  panel_->Mark(read.error ? std::optional<Field>(read.error->field) : std::nullopt);
  if (read.error) {
    SetStatus(QString::fromStdString(read.error->message));
    table_->setEnabled(false);
    return;  // nothing is computed from a wrong input
  }
  table_->setEnabled(true);
  const int selected = SelectedRow();
  const bool same_band = request_ && request_->band_range == read.request->band_range;
  request_ = read.request;
  model_->SetDesigns(rf::RunDesign(*request_));
  const rf::DesignResult& result = model_->Designs();
  if (measurement_) panel_->ShowLoad(result.load);
  // The band rows follow when their search ends; until then the table
  // shows the single-frequency rows.
  if (request_->band_range) {
    band_job_->Start(*request_, measurement_);
  } else {
    band_job_->Cancel();
  }
  if (model_->Band() && !(same_band && request_->band_range)) model_->SetBand(std::nullopt);
  // A tuned design keeps its values for the new inputs.
  if (tuned_) model_->SetTuned(rf::DesignGiven(*request_, *tuned_));
  SetStatus(BestText());
  SelectSourceRow(selected);
  // A row that is no longer designed leaves the charts empty: show the best.
  if (model_->BuiltAt(SelectedRow()) == nullptr) SelectBest();
  ShowSelected();
  FitColumns();
}

QString DesignerWindow::BestText() const {
  const rf::DesignResult& result = model_->Designs();
  QString status;
  if (result.already_matched) {
    status = QStringLiteral("The load is already matched: no parts needed.");
  } else if (result.best) {
    status = QStringLiteral("Best match: %1.")
                 .arg(QString::fromStdString(rf::KindName(result.types[*result.best].kind)));
  } else {
    status = QStringLiteral("No type can match this load.");
  }
  for (const std::string& w : result.warnings)
    status += QStringLiteral("; ") + QString::fromStdString(w);
  if (band_job_->Busy()) status += QStringLiteral(" Optimising over the band\u2026");
  if (const auto& band = model_->Band(); band && !band->designs.empty()) {
    const rf::BandDesign& b = band->designs.front();
    status += QStringLiteral(" Over the band: %1, worst return loss %2")
                  .arg(QString::fromStdString(rf::KindName(b.kind)),
                       b.figures.worst_return_loss_db
                           ? QString::number(*b.figures.worst_return_loss_db, 'g', 4) + " dB"
                           : QStringLiteral("perfect"));
    if (band->bode_fano) {
      status +=
          QStringLiteral(" (limit %1 dB)").arg(band->bode_fano->worst_return_loss_db, 0, 'g', 4);
    }
    status += '.';
  }
  return status;
}

bool DesignerWindow::Optimising() const {
  return band_job_->Busy();
}

void DesignerWindow::ShowBand(const rf::BandResult& band) {
  const int selected = SelectedRow();
  model_->SetBand(band);
  SelectSourceRow(selected);
  SetStatus(BestText());
  ShowSelected();
  FitColumns();
}

void DesignerWindow::SelectSourceRow(int row) {
  if (row < 0 || row >= model_->rowCount()) return;
  table_->selectRow(sorted_->mapFromSource(model_->index(row, 0)).row());
}

void DesignerWindow::SelectBest() {
  const auto best = static_cast<int>(model_->Designs().best.value_or(0));
  table_->selectRow(sorted_->mapFromSource(model_->index(best, 0)).row());
}

int DesignerWindow::SelectedRow() const {
  const QModelIndex current = table_->currentIndex();
  if (current.isValid()) return sorted_->mapToSource(current).row();
  return static_cast<int>(model_->Designs().best.value_or(0));
}

void DesignerWindow::ShowSelected() {
  const rf::DesignResult& result = model_->Designs();
  if (result.types.empty() || !request_) return;
  const int selected = SelectedRow();
  const double z0 = result.z0;
  const double f = result.hertz;
  SmithData smith;
  smith.z0 = z0;
  smith.load = result.load / z0;
  smith.loaded_q = request_->loaded_q;
  if (measurement_) {
    const std::size_t n = measurement_->points.size();
    const std::size_t step = std::max<std::size_t>(1, n / 2000);
    for (std::size_t i = 0; i < n; i += step) {
      smith.trace.z.push_back(measurement_->points[i].z / z0);
      smith.trace.hertz.push_back(measurement_->points[i].hertz);
    }
  }
  ResponseData response;
  response.frequencies = result.frequencies;
  response.optimised = request_->band_range;
  if (const auto& band = model_->Band(); band && band->bode_fano) {
    response.bode_fano_db = band->bode_fano->worst_return_loss_db;
  }
  // The networks the row stands for: ideal, standard, as built.
  const rf::Network* ideal = nullptr;
  std::optional<rf::Network> standard, built;
  if (const rf::TypeResult* t = model_->TypeAt(selected); t != nullptr && t->design) {
    const rf::TypeDesign& d = *t->design;
    ideal = &d.ideal;
    standard = d.standard;
    if (d.loss) built = d.evaluated;
    response.band = d.band->holds;
    response.band_low = d.band->low;
    response.band_high = d.band->high;
    smith.band_low = d.band->low;
    smith.band_high = d.band->high;
  } else if (const rf::BandDesign* b = model_->BandAt(selected)) {
    ideal = &b->ideal;
    standard = b->standard;
    if (request_->q_inductor || request_->q_capacitor) built = b->evaluated;
    smith.band_low = request_->band_range->first;
    smith.band_high = request_->band_range->second;
  }
  if (ideal != nullptr) {
    smith.path = MatchPath(*ideal, result.load, f, z0);
    if (standard) smith.standard_end = standard->InputImpedance(f, result.load) / z0;
    if (built) smith.built_end = built->InputImpedance(f, result.load) / z0;
    // Each part's end is a handle: drag it along the part's arc.
    const std::vector<rf::Impedance> ends = rf::PartEnds(*ideal, result.load, f);
    for (std::size_t i = 0; i < ends.size(); ++i) {
      smith.handles.push_back(ideal->elements[i].part.IsReal()
                                  ? std::optional<std::complex<double>>(ends[i] / z0)
                                  : std::nullopt);
    }
    const rf::Network& as_built = built ? *built : standard ? *standard : *ideal;
    smith.match_gamma = as_built.MatchAt(f, result.load, request_->SourceOf()).gamma_magnitude;
    const rf::Curves curves = rf::CurvesOf(*request_, result, *ideal, standard, built);
    response.ideal = curves.ideal;
    response.standard = curves.standard;
    response.built = curves.built;
    response.bare = curves.bare;
    // The matched input over the sweep.
    smith.design_hertz = f;
    rf::Measurement const* m = measurement_.get();
    for (const double hz : result.frequencies) {
      const rf::Impedance zl =
          m != nullptr ? m->At(hz)
                       : rf::SeriesLoad(result.load.real(), result.load.imag(), f).At(hz);
      smith.locus.z.push_back(as_built.InputImpedance(hz, zl) / z0);
      smith.locus.hertz.push_back(hz);
    }
  } else if (measurement_) {
    response.bare = rf::CurvesOf(*request_, result, rf::Network{}, std::nullopt, std::nullopt).bare;
  }
  smith_->SetData(std::move(smith));
  response_->SetData(response);
}

}  // namespace vorda::designer
