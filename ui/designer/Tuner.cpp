#include "ui/designer/Tuner.h"

#include <QUndoStack>
#include <functional>

#include "rf/circuit/NetworkText.h"
#include "rf/circuit/Units.h"
#include "rf/synthesis/Tuning.h"

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

Tuner::Tuner(QObject* parent) : QObject(parent), undo_(new QUndoStack(this)) {}

bool Tuner::CanUndo() const {
  return undo_->canUndo();
}

void Tuner::Start(const rf::Row& row) {
  if (!row.design) return;
  before_drag_ = tuned_;
  dragging_ = true;
  if (row.origin == rf::Origin::kTuned) return;  // goes on from the tuned row
  tuned_ = Tuned{row.design->Chosen(), rf::RowName(row), rf::RowKey(row)};
  emit Changed("tuned");
}

std::optional<std::string> Tuner::Drag(int element, std::complex<double> gamma, bool free,
                                       const rf::DesignResult& result) {
  if (!tuned_ || !result.plan) return std::nullopt;
  const rf::DesignRequest& r = result.plan->request;
  // The part next to the dragged one is solved again towards the match the
  // table measures: the conjugate of the source.
  const auto drag =
      rf::DragPart(tuned_->network, static_cast<std::size_t>(element), result.load, result.hertz,
                   result.z0, result.plan->source, gamma, free ? std::nullopt : r.parts.series);
  if (!drag) return std::nullopt;
  tuned_->network = drag->network;
  emit Changed("tuned");
  return rf::DescribeElement(tuned_->network.elements[static_cast<std::size_t>(element)]);
}

void Tuner::End() {
  if (!dragging_) return;
  dragging_ = false;
  if (tuned_ == before_drag_) return;
  const auto set = [this](const std::optional<Tuned>& t, const std::string& key) { Set(t, key); };
  undo_->push(new TuneStep(set, before_drag_, tuned_, QStringLiteral("Tuning")));
}

void Tuner::Set(const std::optional<Tuned>& tuned, const std::string& select_key) {
  if (tuned_ == tuned && select_key == "tuned") return;  // a step pushed after it was made
  tuned_ = tuned;
  emit Changed(select_key);
}

void Tuner::Undo() {
  undo_->undo();
}

void Tuner::Redo() {
  undo_->redo();
}

void Tuner::Restore(const std::optional<Tuned>& tuned) {
  undo_->clear();
  dragging_ = false;
  before_drag_.reset();
  tuned_ = tuned;
  emit Changed(tuned ? "tuned" : "");
}

void Tuner::Forget() {
  if (!tuned_) return;
  const auto set = [this](const std::optional<Tuned>& t, const std::string& key) { Set(t, key); };
  undo_->push(
      new TuneStep(set, tuned_, std::nullopt, QStringLiteral("Back to the Computed Design")));
}

}  // namespace vorda::designer
