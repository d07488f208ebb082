// The first column of a table held in place while the others scroll under
// it: a view of the same rows and selection laid over the table's left
// edge, so that a network's name stays beside the figures on its right.
#pragma once

#include <QTableView>

namespace vorda::designer {

class FrozenColumn : public QTableView {
  Q_OBJECT

 public:
  // Over `table`, whose model and selection it shares; set the table's
  // model first.
  explicit FrozenColumn(QTableView* table);

  // Follows the table's first column and its rows.
  void Follow();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QTableView* table_;
};

}  // namespace vorda::designer
