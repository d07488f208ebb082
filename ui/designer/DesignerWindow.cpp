#include "ui/designer/DesignerWindow.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>

#include "rf/request/Charts.h"
#include "rf/request/ProjectFile.h"
#include "ui/designer/ChartPanel.h"
#include "ui/designer/DesignerMenus.h"
#include "ui/designer/Designs.h"
#include "ui/designer/ResponseChart.h"
#include "ui/designer/ResultTables.h"
#include "ui/designer/ResultsModel.h"
#include "ui/designer/SmithChart.h"
#include "ui/designer/StatusText.h"

namespace vorda::designer {

namespace {

constexpr QSize kDefaultSize(1366, 860);

}  // namespace

DesignerWindow::DesignerWindow(MessageBoxes& boxes, std::function<void()> help, QWidget* parent,
                               SettingsPlace settings)
    : QMainWindow(parent),
      boxes_(boxes),
      help_(std::move(help)),
      settings_(std::move(settings)),
      exports_(
          boxes,
          [this] {
            return Exports::Selection{&Model()->Result(), Model()->RowAt(SelectedRow())};
          },
          [this](const QString& text) { SetStatus(text); }) {
  setWindowTitle(QString::fromLatin1(kDesignerTitle));
  setObjectName(QStringLiteral("DesignerWindow"));
  auto* central = new QWidget(this);
  auto* layout = new QHBoxLayout(central);
  inputs_ = new DesignInputs(boxes_, central);
  layout->addWidget(Panel());
  tables_ = new ResultTables(central);
  charts_ = new ChartPanel(central);
  main_split_ = new QSplitter(Qt::Vertical, central);
  main_split_->addWidget(tables_);
  main_split_->addWidget(charts_);
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
  tuner_ = new Tuner(this);
  designs_ = new Designs(this);
  grid_actions_ = BuildMenus(*this);
  // Within the screen's available area, whatever its size.
  QSize size = kDefaultSize;
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    size = size.boundedTo(screen->availableGeometry().size() - QSize(16, 48));
  }
  resize(size);

  connect(Smith(), &SmithChart::DragStarted, this, [this](int) {
    const rf::Row* row = Model()->RowAt(SelectedRow());
    if (row != nullptr && Request()) tuner_->Start(*row);
  });
  connect(
      Smith(), &SmithChart::Dragged, this,
      [this](int element, std::complex<double> gamma, bool free) { Tune(element, gamma, free); });
  connect(Smith(), &SmithChart::DragEnded, this, [this](int) { tuner_->End(); });
  connect(tuner_, &Tuner::Changed, this, [this](const std::string& key) {
    if (Request()) Refill({ResultTables::Follow::What::kRow, key});
  });
  connect(designs_, &Designs::BandFound, this, [this] {
    Refill(tables_->Following());
    tables_->FitColumns();
  });
  connect(designs_, &Designs::Searched, this, [this] { ShowStatus(); });
  connect(inputs_, &DesignInputs::Changed, this, [this] { Recompute(); });
  connect(Panel(), &InputPanel::OpenMeasurementClicked, this, [this] { AskForMeasurement(); });
  connect(Panel(), &InputPanel::TypedLoadClicked, this, [this] { ClearMeasurement(); });
  connect(Panel(), &InputPanel::DeembedClicked, this, [this] {
    Choose(QStringLiteral("De-embed Fixture"),
           QStringLiteral("Touchstone two-ports (*.s2p *.y2p *.z2p);;All files (*)"), false,
           [this](const QString& path) {
             QString status;
             if (inputs_->OpenFixture(path, status)) {
               Recompute();
             } else {
               SetStatus(status);
             }
           });
  });
  connect(Panel(), &InputPanel::AddStateClicked, this, [this] {
    Choose(QStringLiteral("Add State"),
           QStringLiteral("Touchstone files (*.s1p *.y1p *.z1p *.ts);;All files (*)"), false,
           [this](const QString& path) {
             QString status;
             if (inputs_->AddState(path, status)) {
               Recompute();
             } else {
               SetStatus(status);
             }
           });
  });
  connect(Panel(), &InputPanel::OneStateClicked, this, [this] {
    inputs_->ClearStates();
    Recompute();
  });
  connect(Panel(), &InputPanel::NoFixtureClicked, this, [this] {
    inputs_->ClearFixture();
    Recompute();
  });
  connect(tables_, &ResultTables::SelectionChanged, this, [this] { ShowSelected(); });
  LoadSettings();
  Recompute();
  SelectBest();
}

DesignerWindow::~DesignerWindow() = default;

QComboBox* DesignerWindow::PlotBox() const {
  return charts_->PlotBox();
}
QTableView* DesignerWindow::Table() const {
  return tables_->Table();
}
QTableView* DesignerWindow::BandTable() const {
  return tables_->BandTable();
}
QTabWidget* DesignerWindow::Tables() const {
  return tables_;
}
ResultsModel* DesignerWindow::Model() const {
  return tables_->Model();
}
SmithChart* DesignerWindow::Smith() const {
  return charts_->Smith();
}
ResponseChart* DesignerWindow::Response() const {
  return charts_->Response();
}
QLabel* DesignerWindow::StatusLine() const {
  return status_;
}
int DesignerWindow::SelectedRow() const {
  return tables_->SelectedRow();
}
void DesignerWindow::SelectRow(int row) {
  tables_->SelectRow(row);
}
void DesignerWindow::SelectBest() {
  tables_->SelectBest();
}
bool DesignerWindow::Optimising() const {
  return designs_->Searching();
}
const std::optional<rf::DesignRequest>& DesignerWindow::Request() const {
  return designs_->Request();
}

void DesignerWindow::SetStatus(const QString& text) {
  status_->SetMessage(text);
}

void DesignerWindow::ShowStatus() {
  SetStatus(BestText(Model()->Result(), designs_->Searching(), designs_->Progress()));
}

void DesignerWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  shown_rows_ = 0;
  FitHeight();
}

void DesignerWindow::closeEvent(QCloseEvent* event) {
  SaveSettings();
  event->accept();
}

void DesignerWindow::LoadSettings() {
  QSettings s(settings_.organization, settings_.application);
  inputs_->Load(s);
  charts_->Load(s);
  for (QAction* a : grid_actions_)
    a->setChecked(a->data().toInt() == static_cast<int>(Smith()->Grid()));
  restoreGeometry(s.value(QStringLiteral("window/geometry")).toByteArray());
  split_restored_ = main_split_->restoreState(s.value(QStringLiteral("window/main")).toByteArray());
}

void DesignerWindow::SaveSettings() const {
  QSettings s(settings_.organization, settings_.application);
  inputs_->Save(s);
  charts_->Save(s);
  s.setValue(QStringLiteral("window/geometry"), saveGeometry());
  s.setValue(QStringLiteral("window/main"), main_split_->saveState());
}

void DesignerWindow::Recompute() {
  if (designs_ == nullptr || status_ == nullptr) return;  // being built
  const rf::ReadRequest read = inputs_->Read(kSweepPoints);
  if (read.error) {
    SetStatus(QString::fromStdString(read.error->message));
    tables_->setEnabled(false);
    return;  // nothing is computed from a wrong input
  }
  tables_->setEnabled(true);
  // The selection follows its row; from the best row (at the frequency or
  // over the band) it follows the best, by the ranking chosen now.
  const ResultTables::Follow follow = tables_->Following();
  designs_->Make(*read.request);
  if (Measurement() != nullptr) Panel()->ShowLoad(designs_->Computed().load);
  Refill(follow);
  tables_->FitColumns();
}

void DesignerWindow::Refill(const ResultTables::Follow& follow) {
  tables_->Show(designs_->Rows(tuner_->Current()), follow);
  FitHeight();
  ShowStatus();
  ShowSelected();
}

void DesignerWindow::ShowSelected() {
  if (!Request() || Model()->Result().rows.empty()) return;
  const int selected = SelectedRow();
  charts_->Show(rf::ChartsOf(*Request(), Model()->Result(),
                             selected >= 0 ? std::optional<std::size_t>(selected) : std::nullopt));
}

// The tables tall enough for every row at the frequency (and no taller
// than half the window), the charts below them the rest.
void DesignerWindow::FitHeight() {
  const auto& all = Model()->Result().rows;
  const int rows = static_cast<int>(std::count_if(all.begin(), all.end(), [](const rf::Row& t) {
    return t.origin == rf::Origin::kAtFrequency;
  }));
  // The user's own split, kept with the settings, stays; and before the
  // window is shown there is no height to share.
  if (split_restored_ || rows == shown_rows_ || !isVisible()) return;
  shown_rows_ = rows;
  const int total = main_split_->height();
  const int height = std::min(tables_->WantedHeight(), total / 2);
  main_split_->setSizes({height, total - height});
}

void DesignerWindow::Tune(int element, std::complex<double> gamma, bool free) {
  if (const auto text = tuner_->Drag(element, gamma, free, Model()->Result())) {
    Smith()->SetDragText(QString::fromStdString(*text));
  }
}

void DesignerWindow::Choose(const QString& caption, const QString& filter, bool save,
                            const std::function<void(const QString&)>& then) {
  const QString path = choose_file_ ? choose_file_(caption, filter, save)
                       : save       ? QFileDialog::getSaveFileName(this, caption, QString(), filter)
                              : QFileDialog::getOpenFileName(this, caption, QString(), filter);
  if (!path.isEmpty()) then(path);
}

bool DesignerWindow::OpenMeasurement(const QString& path) {
  QString status;
  const std::optional<QString> moved = inputs_->OpenMeasurement(path, status);
  if (!moved) {
    SetStatus(status);
    return false;
  }
  Recompute();
  SelectBest();
  if (!moved->isEmpty() && Request()) SetStatus(*moved + QStringLiteral(" ") + status_->Message());
  return true;
}

void DesignerWindow::AskForMeasurement() {
  Choose(QStringLiteral("Open Measurement"),
         QStringLiteral("Touchstone files (*.s1p *.z1p *.y1p *.ts);;All files (*)"), false,
         [this](const QString& path) { OpenMeasurement(path); });
}

void DesignerWindow::ClearMeasurement() {
  inputs_->ClearMeasurement();
  Recompute();
  SelectBest();
}

bool DesignerWindow::OpenPartsLibrary(const QString& folder) {
  QString status;
  if (!inputs_->OpenPartsLibrary(folder, status)) {
    SetStatus(status);
    return false;
  }
  Recompute();
  return true;
}

bool DesignerWindow::SaveProject(const QString& path) {
  rf::Project project = inputs_->Gathered();
  if (const std::optional<Tuned>& t = tuner_->Current()) {
    project.tuned = rf::Project::Tuned{t->network, t->from_key, t->from_name};
  }
  const std::string text = rf::ProjectJson(project, rf::ProjectFolder(path.toStdString()));
  return exports_.WriteWhole(path, QByteArray::fromStdString(text));
}

bool DesignerWindow::OpenProject(const QString& path) {
  QString status;
  const std::optional<rf::Project> project = inputs_->OpenProject(path, status);
  if (!project) {
    SetStatus(status);
    return false;  // the inputs stay as they were
  }
  Recompute();
  SelectBest();
  const auto& t = project->tuned;
  tuner_->Restore(t ? std::optional<Tuned>(Tuned{t->network, t->from_name, t->from_key})
                    : std::nullopt);
  SetStatus(status + QLatin1Char(' ') + status_->Message());
  return true;
}

bool DesignerWindow::SaveSmithChart(const QString& path) {
  return exports_.SavePicture(
      path, [this](QPainter& p, const QRectF& area) { Smith()->Render(p, area); }, QSize(640, 640));
}

bool DesignerWindow::SaveResponse(const QString& path) {
  return exports_.SavePicture(
      path, [this](QPainter& p, const QRectF& area) { Response()->Render(p, area); },
      Response()->size().expandedTo(QSize(800, 500)));
}

void DesignerWindow::ShowHelp() const {
  if (help_) help_();
}

const std::optional<Tuned>& DesignerWindow::TunedDesign() const {
  return tuner_->Current();
}
bool DesignerWindow::CanUndoTuning() const {
  return tuner_->CanUndo();
}
void DesignerWindow::UndoTuning() {
  tuner_->Undo();
}
void DesignerWindow::RedoTuning() {
  tuner_->Redo();
}
void DesignerWindow::ForgetTuning() {
  tuner_->Forget();
}

}  // namespace vorda::designer
