// Tuning on the Smith chart: a handle dragged along its part's arc, the
// design tuned by hand that comes of it, and each drag one step to undo
// and redo.
#pragma once

#include <QObject>
#include <complex>
#include <optional>
#include <string>

#include "rf/request/Rows.h"

class QUndoStack;

namespace vorda::designer {

// A design tuned by hand: its parts, and the row it was tuned from.
struct Tuned {
  rf::Network network;
  std::string from_name;  // "Pi low-pass"
  std::string from_key;   // "pi-lp"
  bool operator==(const Tuned&) const = default;
};

class Tuner : public QObject {
  Q_OBJECT

 public:
  explicit Tuner(QObject* parent = nullptr);

  const std::optional<Tuned>& Current() const { return tuned_; }
  // A drag begins on a designed row: the first drag starts from the row's
  // values (its standard values with a series), a later one goes on from
  // the tuned row.
  void Start(const rf::Row& row);
  // The dragged part moves towards a reflection coefficient: its value
  // snapped to the series unless `free`, and the part next to it on the
  // source side solved again towards the match. The part's new text, or
  // nothing when the drag cannot move it.
  std::optional<std::string> Drag(int element, std::complex<double> gamma, bool free,
                                  const rf::DesignResult& result);
  // The drag ends: one step to undo, when it changed the design.
  void End();
  void Undo();
  void Redo();
  // Back to the computed design: the tuned row goes (a step to undo too).
  void Forget();
  // A tuned design from a project, or none, in place of this one: no step
  // to undo, and none of the steps before.
  void Restore(const std::optional<Tuned>& tuned);
  bool CanUndo() const;

 signals:
  // The tuned design changed: the row with the key is the one to select
  // ("tuned", or the row it was tuned from once it goes).
  void Changed(const std::string& select_key);

 private:
  void Set(const std::optional<Tuned>& tuned, const std::string& select_key);

  std::optional<Tuned> tuned_;
  std::optional<Tuned> before_drag_;  // what it was when the drag began
  bool dragging_ = false;
  QUndoStack* undo_ = nullptr;
};

}  // namespace vorda::designer
