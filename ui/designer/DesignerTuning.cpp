// Tuning on the Smith chart: a handle dragged along its part's arc, the
// tuned design as a row of its own, each drag one step to undo and redo.
#include <QUndoStack>

#include "rf/circuit/Units.h"
#include "rf/synthesis/Tuning.h"
#include "ui/designer/DesignerWindow.h"
#include "ui/designer/ResultsModel.h"
#include "ui/designer/SmithChart.h"

namespace vorda::designer {

namespace {

// One step of tuning: the tuned design before and after it.
class TuneStep : public QUndoCommand {
 public:
  TuneStep(std::function<void(const std::optional<Tuned>&, const std::string&)> set,
           std::optional<Tuned> before, std::optional<Tuned> after, const QString& text)
      : QUndoCommand(text),
        set_(std::move(set)),
        before_(std::move(before)),
        after_(std::move(after)) {}
  // Undone, the selection goes back to the row the step started from.
  void undo() override { set_(before_, before_ ? "tuned" : after_ ? after_->from_key : ""); }
  void redo() override { set_(after_, after_ ? "tuned" : before_ ? before_->from_key : ""); }

 private:
  std::function<void(const std::optional<Tuned>&, const std::string&)> set_;
  std::optional<Tuned> before_, after_;
};

}  // namespace

bool DesignerWindow::CanUndoTuning() const {
  return undo_->canUndo();
}

void DesignerWindow::StartTuning() {
  const rf::Row* row = model_->RowAt(SelectedRow());
  if (row == nullptr || !row->design || !request_) return;
  before_drag_ = tuned_;
  dragging_ = true;
  if (row->origin == rf::Origin::kTuned) return;  // goes on from the tuned row
  // The first drag starts from the selected row's values (its standard
  // values with a series).
  tuned_ = Tuned{row->design->Chosen(), rf::RowName(*row), rf::RowKey(*row)};
  Refill("tuned");
}

void DesignerWindow::Tune(int element, std::complex<double> gamma, bool free) {
  if (!tuned_ || !request_) return;
  const rf::DesignResult& result = model_->Result();
  // The part next to the dragged one is solved again towards the match the
  // table measures: the conjugate of the source.
  const auto drag = rf::DragPart(tuned_->network, static_cast<std::size_t>(element), result.load,
                                 result.hertz, result.z0, request_->SourceOf(), gamma,
                                 free ? std::nullopt : request_->parts.series);
  if (!drag) return;
  tuned_->network = drag->network;
  Refill("tuned");
  const rf::Part& part = tuned_->network.elements[static_cast<std::size_t>(element)].part;
  smith_->SetDragText(QString::fromStdString(rf::Describe(part)));
}

void DesignerWindow::EndTuning() {
  if (!dragging_) return;
  dragging_ = false;
  if (tuned_ == before_drag_) return;
  const auto set = [this](const std::optional<Tuned>& t, const std::string& key) {
    SetTuned(t, key);
  };
  undo_->push(new TuneStep(set, before_drag_, tuned_, QStringLiteral("Tuning")));
}

void DesignerWindow::SetTuned(const std::optional<Tuned>& tuned, const std::string& select_key) {
  if (tuned_ == tuned && SelectedRow() >= 0) return;  // a step pushed after it was made
  tuned_ = tuned;
  if (request_) Refill(select_key);
}

void DesignerWindow::UndoTuning() {
  undo_->undo();
}

void DesignerWindow::RedoTuning() {
  undo_->redo();
}

void DesignerWindow::ForgetTuning() {
  if (!tuned_) return;
  const auto set = [this](const std::optional<Tuned>& t, const std::string& key) {
    SetTuned(t, key);
  };
  undo_->push(
      new TuneStep(set, tuned_, std::nullopt, QStringLiteral("Back to the Computed Design")));
}

}  // namespace vorda::designer
