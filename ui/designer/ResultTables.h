// The designer's two tables of designs, one tab each: the rows at the
// frequency and the rows over the band (a given or tuned row in both).
// Which figures each shows (the user may show or hide any from the
// header's menu), their columns' widths, and the selection, which follows
// its row across recomputes.
#pragma once

#include <QTabWidget>
#include <array>
#include <map>
#include <string>

#include "rf/request/Rows.h"

class QSortFilterProxyModel;
class QTableView;

namespace vorda::designer {

class ResultsModel;

class ResultTables : public QTabWidget {
  Q_OBJECT

 public:
  explicit ResultTables(QWidget* parent = nullptr);

  ResultsModel* Model() const { return model_; }
  QTableView* Table() const { return table_; }
  QTableView* BandTable() const { return band_table_; }

  // Shows a result; the selection stays on the row with the key, or (none,
  // or one no longer designed) goes to the best.
  void Show(rf::DesignResult result, const std::string& keep_key);
  // The model row selected, or -1; its key, or empty.
  int SelectedRow() const;
  std::string SelectedKey() const;
  // Selects a model row, in the table that shows it.
  void SelectRow(int row);
  void SelectBest();
  // The columns of the table in view fitted to it.
  void FitColumns();
  // The height that shows every row designed at the frequency.
  int WantedHeight() const;

 signals:
  // Another row is selected, or the selected one changed.
  void SelectionChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QTableView* Build(QSortFilterProxyModel* rows, const char* name);
  void FitColumns(QTableView* table);
  void ShowColumns();
  QTableView* InView() const;

  ResultsModel* model_ = nullptr;
  QTableView* table_ = nullptr;
  QTableView* band_table_ = nullptr;
  // Columns the user showed (true) or hid from a table's header menu.
  std::array<std::map<int, bool>, 2> user_columns_;
};

}  // namespace vorda::designer
