// Tuning on the Smith chart: a handle dragged along its part's arc, the
// tuned design as a row of its own, undone and redone step by step.
#include <QActionGroup>
#include <QMenuBar>

#include "rf/synthesis/Tuning.h"
#include "ui/designer/DesignerWindow.h"
#include "ui/designer/ResultsModel.h"
#include "ui/designer/SmithChart.h"

namespace vorda::designer {

const rf::Network* DesignerWindow::SelectedNetwork() const {
  const int row = SelectedRow();
  if (const rf::TypeResult* t = model_->TypeAt(row); t != nullptr && t->design) {
    return &t->design->Chosen();
  }
  if (const rf::BandDesign* b = model_->BandAt(row)) return b->standard ? &*b->standard : &b->ideal;
  return nullptr;
}

void DesignerWindow::StartTuning(int /*element*/) {
  const rf::Network* network = SelectedNetwork();
  if (network == nullptr) return;
  // The first drag starts from the selected row's values (its standard
  // values with a series); later ones go on from the tuned row.
  if (SelectedRow() != model_->TunedRow()) {
    const int row = SelectedRow();
    const QString from = model_->index(row, kColumnType)
                             .data(Qt::DisplayRole)
                             .toString()
                             .remove(QChar(0x2605))
                             .trimmed();
    undo_.push_back(tuned_);
    redo_.clear();
    tuned_ = *network;
    model_->SetTuned(std::nullopt);
    model_->SetTuned(rf::DesignGiven(*request_, *tuned_), from);
  } else {
    undo_.push_back(tuned_);
    redo_.clear();
  }
  SelectSourceRow(model_->TunedRow());
}

void DesignerWindow::Tune(int element, std::complex<double> gamma, bool free) {
  if (!tuned_ || !request_) return;
  const rf::DesignResult& result = model_->Designs();
  const auto drag =
      rf::DragPart(*tuned_, static_cast<std::size_t>(element), result.load, result.hertz, result.z0,
                   gamma, free ? std::nullopt : request_->series);
  if (!drag) return;
  tuned_ = drag->network;
  model_->SetTuned(rf::DesignGiven(*request_, *tuned_));
  const rf::Part& part = tuned_->elements[static_cast<std::size_t>(element)].part;
  smith_->SetDragText(QString::fromStdString(rf::Describe(part)));
  ShowSelected();
}

void DesignerWindow::SetTunedNetwork(std::optional<rf::Network> network) {
  tuned_ = std::move(network);
  if (!tuned_ || !request_) {
    model_->SetTuned(std::nullopt);
    SelectBest();
  } else {
    model_->SetTuned(rf::DesignGiven(*request_, *tuned_));
    SelectSourceRow(model_->TunedRow());
  }
  ShowSelected();
}

void DesignerWindow::UndoTuning() {
  if (undo_.empty()) return;
  redo_.push_back(tuned_);
  auto previous = undo_.back();
  undo_.pop_back();
  SetTunedNetwork(std::move(previous));
}

void DesignerWindow::RedoTuning() {
  if (redo_.empty()) return;
  undo_.push_back(tuned_);
  auto next = redo_.back();
  redo_.pop_back();
  SetTunedNetwork(std::move(next));
}

void DesignerWindow::ForgetTuning() {
  if (!tuned_) return;
  undo_.push_back(tuned_);
  redo_.clear();
  SetTunedNetwork(std::nullopt);
}

void DesignerWindow::BuildViewMenu() {
  QMenu* tune = menuBar()->addMenu(QStringLiteral("&Tune"));
  QAction* undo = tune->addAction(QStringLiteral("&Undo Tuning"), this, [this] { UndoTuning(); });
  undo->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
  QAction* redo = tune->addAction(QStringLiteral("&Redo Tuning"), this, [this] { RedoTuning(); });
  redo->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+Z")));
  tune->addAction(QStringLiteral("Back to the &Computed Design"), this, [this] { ForgetTuning(); });
  QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
  auto* grids = new QActionGroup(this);
  const std::pair<const char*, SmithGrid> choices[] = {{"&Impedance Grid", SmithGrid::kImpedance},
                                                       {"&Admittance Grid", SmithGrid::kAdmittance},
                                                       {"&Both Grids", SmithGrid::kBoth}};
  for (const auto& [text, grid] : choices) {
    QAction* a = view->addAction(QString::fromLatin1(text), this,
                                 [this, grid = grid] { smith_->SetGrid(grid); });
    a->setCheckable(true);
    a->setChecked(grid == smith_->Grid());
    a->setData(static_cast<int>(grid));
    a->setObjectName(QStringLiteral("actGrid%1").arg(static_cast<int>(grid)));
    grids->addAction(a);
  }
  view->addSeparator();
  QAction* reset =
      view->addAction(QStringLiteral("&Reset Chart View"), this, [this] { smith_->ResetView(); });
  reset->setShortcut(QKeySequence(QStringLiteral("Ctrl+0")));
}

}  // namespace vorda::designer
