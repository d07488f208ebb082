#include "ui/designer/DesignerWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QUndoStack>
#include <QVBoxLayout>

#include "rf/request/Charts.h"
#include "rf/request/DesignTexts.h"
#include "ui/designer/BandJob.h"
#include "ui/designer/ResponseChart.h"
#include "ui/designer/ResultsModel.h"
#include "ui/designer/SmithChart.h"
#include "ui/designer/StatusText.h"

namespace vorda::designer {

namespace {

constexpr QSize kDefaultSize(1366, 860);

// The rows of each table, by rf::Origin: at the frequency (0), given (3)
// and tuned (2); over the band (1), given and tuned.
QSortFilterProxyModel* Rows(QObject* parent, ResultsModel* model, const char* origins) {
  auto* rows = new QSortFilterProxyModel(parent);
  rows->setSourceModel(model);
  rows->setSortRole(kSortRole);
  rows->setFilterRole(kOriginRole);
  rows->setFilterRegularExpression(QString::fromLatin1(origins));
  return rows;
}

}  // namespace

DesignerWindow::DesignerWindow(MessageBoxes& boxes, std::function<void()> help, QWidget* parent,
                               SettingsPlace settings)
    : QMainWindow(parent), boxes_(boxes), help_(std::move(help)), settings_(std::move(settings)) {
  setWindowTitle(QString::fromLatin1(kDesignerTitle));
  setObjectName(QStringLiteral("DesignerWindow"));
  undo_ = new QUndoStack(this);
  auto* central = new QWidget(this);
  auto* layout = new QHBoxLayout(central);
  panel_ = new InputPanel(central);
  layout->addWidget(panel_);
  model_ = new ResultsModel(this);
  at_rows_ = Rows(this, model_, "^[023]$");
  band_rows_ = Rows(this, model_, "^[123]$");
  tables_ = new QTabWidget(central);
  tables_->setObjectName(QStringLiteral("resultTabs"));
  tables_->setDocumentMode(true);
  table_ = BuildTable(tables_, at_rows_, "resultsTable");
  band_table_ = BuildTable(tables_, band_rows_, "bandTable");
  tables_->addTab(table_, QStringLiteral("At the fre&quency"));
  tables_->addTab(band_table_, QStringLiteral("Over the ban&d"));
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
  main_split_->addWidget(tables_);
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
  connect(smith_, &SmithChart::DragStarted, this, [this](int) { StartTuning(); });
  connect(
      smith_, &SmithChart::Dragged, this,
      [this](int element, std::complex<double> gamma, bool free) { Tune(element, gamma, free); });
  connect(smith_, &SmithChart::DragEnded, this, [this](int) { EndTuning(); });
  // Within the screen's available area, whatever its size.
  QSize size = kDefaultSize;
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect available = screen->availableGeometry();
    size = size.boundedTo(available.size() - QSize(16, 48));
  }
  resize(size);

  band_job_ = new BandJob(this);
  connect(band_job_, &BandJob::Finished, this,
          [this](const rf::DesignRequest& request, const rf::BandResult& band) {
            ShowBand(request, band);
          });
  connect(band_job_, &BandJob::Progress, this, [this](int done, int total) {
    band_progress_ = {done, total};
    SetStatus(BestText());
  });
  connect(panel_, &InputPanel::Changed, this, [this] { Recompute(); });
  connect(panel_, &InputPanel::OpenMeasurementClicked, this, [this] {
    Choose(QStringLiteral("Open Measurement"),
           QStringLiteral("Touchstone files (*.s1p *.z1p *.y1p *.ts);;All files (*)"), false,
           [this](const QString& path) { OpenMeasurement(path); });
  });
  connect(panel_, &InputPanel::TypedLoadClicked, this, [this] { ClearMeasurement(); });
  connect(tables_, &QTabWidget::currentChanged, this, [this] {
    auto* view = static_cast<QTableView*>(tables_->currentWidget());
    FitColumns(view);
    // A table just shown with nothing selected shows its first (best) row.
    if (!view->currentIndex().isValid() && view->model()->rowCount() > 0) view->selectRow(0);
    ShowSelected();
  });
  LoadSettings();
  Recompute();
  SelectBest();
}

DesignerWindow::~DesignerWindow() = default;

QLabel* DesignerWindow::StatusLine() const {
  return status_;
}

void DesignerWindow::SetStatus(const QString& text) {
  status_->SetMessage(text);
}

void DesignerWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  shown_rows_ = 0;
  FitHeight();
}

bool DesignerWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize) {
    for (QTableView* t : {table_, band_table_}) {
      if (t != nullptr && watched == t->viewport()) FitColumns(t);
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void DesignerWindow::Recompute() {
  if (panel_ == nullptr || band_table_ == nullptr || status_ == nullptr) return;  // being built
  rf::DesignRequest base;
  base.measurement = measurement_;
  base.measurement_name = measurement_path_.toStdString();
  base.bandwidth = true;
  base.sweep.kind = rf::SweepPlan::Kind::kAround;
  base.sweep.axis.points = kSweepPoints;
  base.responses = false;
  base.parts.series = panel_->Series();
  base.ranking = panel_->Ranking();
  base.max_parts = panel_->MaxParts();
  base.parts.model.package = panel_->Package();
  if (panel_->UsesLibrary()) base.parts.library = library_;
  const rf::ReadRequest read = rf::ReadDesignTexts(panel_->Texts(), base);
  panel_->Mark(read.error ? std::optional<Field>(read.error->field) : std::nullopt);
  if (read.error) {
    SetStatus(QString::fromStdString(read.error->message));
    tables_->setEnabled(false);
    return;  // nothing is computed from a wrong input
  }
  tables_->setEnabled(true);
  // The selection follows its row; from the best row it follows the best.
  const int selected = SelectedRow();
  const rf::DesignResult& before = model_->Result();
  const bool on_best = selected >= 0 && before.best == static_cast<std::size_t>(selected);
  std::string keep = selected >= 0 ? rf::RowKey(*model_->RowAt(selected)) : std::string();
  request_ = read.request;
  computed_ = rf::RunDesign(*request_);
  if (measurement_) panel_->ShowLoad(computed_.load);
  // The band rows follow when their search ends; until then the table
  // shows those of the last search, evaluated for the inputs as they are.
  if (request_->band) {
    if (!(band_request_ && band_request_->band == request_->band)) band_.reset();
    band_progress_ = {};
    band_job_->Start(computed_.plan);
  } else {
    band_job_->Cancel();
    band_.reset();
  }
  if (on_best) keep.clear();
  Refill(keep);
  // The table in view; the other one when it comes into view.
  FitColumns(static_cast<QTableView*>(tables_->currentWidget()));
}

// The model from the rows at the frequency, the band's and the tuned one;
// the selection on the row with the key (none, or one no longer designed:
// the best).
void DesignerWindow::Refill(const std::string& keep_key) {
  rf::DesignResult result = computed_;
  if (band_ && request_->band) rf::AddBandRows(*band_, result);
  if (tuned_) {
    rf::Row row = rf::FixedRow(result, tuned_->network, rf::Origin::kTuned);
    row.tuned_from = tuned_->from_name;
    result.rows.push_back(std::move(row));
  }
  model_->SetResult(std::move(result));
  tables_->setTabEnabled(1, request_->band.has_value());
  ShowColumns();
  FitHeight();
  SetStatus(BestText());
  const int row = keep_key.empty() ? -1 : model_->RowOfKey(keep_key);
  if (row >= 0 && model_->BuiltAt(row) != nullptr) {
    SelectRow(row);
  } else {
    SelectBest();
  }
  ShowSelected();
}

QString DesignerWindow::BestText() const {
  const rf::DesignResult& result = model_->Result();
  QString status;
  if (result.already_matched) {
    status = QStringLiteral("The load is already matched: no parts needed.");
  } else if (result.best) {
    status = QStringLiteral("Best match: %1.")
                 .arg(QString::fromStdString(rf::RowName(result.rows[*result.best])));
  } else {
    status = QStringLiteral("No type can match this load.");
  }
  for (const std::string& w : result.warnings) {
    status += QStringLiteral("; ") + QString::fromStdString(w);
  }
  if (band_job_->Busy()) {
    status += QStringLiteral(" Searching over the band\u2026");
    if (band_progress_.second > 0) {
      status += QStringLiteral(" %1 of %2 networks.")
                    .arg(band_progress_.first)
                    .arg(band_progress_.second);
    }
  }
  const auto band = std::find_if(result.rows.begin(), result.rows.end(), [](const rf::Row& t) {
    return t.origin == rf::Origin::kOverBand;
  });
  if (band != result.rows.end() && band->band) {
    const auto& worst = band->band->worst_return_loss_db;
    status += QStringLiteral(" Over the band: %1, worst return loss %2")
                  .arg(QString::fromStdString(rf::KindName(band->kind)),
                       worst ? QString::number(*worst, 'g', 4) + " dB" : QStringLiteral("perfect"));
    if (result.band->bode_fano) {
      status += QStringLiteral(" (limit %1 dB)")
                    .arg(result.band->bode_fano->worst_return_loss_db, 0, 'g', 4);
    }
    status += '.';
  }
  return status;
}

bool DesignerWindow::Optimising() const {
  return band_job_->Busy();
}

void DesignerWindow::ShowBand(const rf::DesignRequest& request, const rf::BandResult& band) {
  band_ = band;
  band_request_ = request;
  const int selected = SelectedRow();
  Refill(selected >= 0 ? rf::RowKey(*model_->RowAt(selected)) : std::string());
  FitColumns(static_cast<QTableView*>(tables_->currentWidget()));
}

void DesignerWindow::SelectRow(int row) {
  const rf::Row* t = model_->RowAt(row);
  if (t == nullptr) return;
  // A row over the band is in the second table; one at the frequency in the
  // first; a given or tuned one in the table in view.
  if (t->origin == rf::Origin::kOverBand) tables_->setCurrentIndex(1);
  if (t->origin == rf::Origin::kAtFrequency) tables_->setCurrentIndex(0);
  auto* view = static_cast<QTableView*>(tables_->currentWidget());
  auto* rows = static_cast<QSortFilterProxyModel*>(view->model());
  const QModelIndex at = rows->mapFromSource(model_->index(row, 0));
  view->selectRow(at.row());
  view->scrollTo(at);
}

void DesignerWindow::SelectBest() {
  SelectRow(static_cast<int>(model_->Result().best.value_or(0)));
}

int DesignerWindow::SelectedRow() const {
  const auto* view = static_cast<const QTableView*>(tables_->currentWidget());
  const QModelIndex current = view->currentIndex();
  if (!current.isValid()) return -1;
  return static_cast<const QSortFilterProxyModel*>(view->model())->mapToSource(current).row();
}

void DesignerWindow::ShowSelected() {
  if (!request_ || model_->Result().rows.empty()) return;
  const int selected = SelectedRow();
  rf::Charts charts =
      rf::ChartsOf(*request_, model_->Result(),
                   selected >= 0 ? std::optional<std::size_t>(selected) : std::nullopt);
  smith_->SetData(std::move(charts.smith));
  response_->SetData(charts.response);
}

}  // namespace vorda::designer
