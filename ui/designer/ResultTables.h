// The designer's two tables of designs, one tab each: the rows at the
// frequency and the rows over the band (a given or tuned row in both).
// Which figures each shows (the user may show or hide any from the
// header's menu), their columns' widths, and the selection, which follows
// its row across recomputes.
#pragma once

#include <QTabWidget>
#include <array>
#include <map>
#include <optional>
#include <string>

#include "rf/request/Rows.h"

class QSortFilterProxyModel;
class QTableView;

namespace vorda::designer {

class FrozenColumn;
class ResultsModel;

class ResultTables : public QTabWidget {
  Q_OBJECT

 public:
  explicit ResultTables(QWidget* parent = nullptr);

  ResultsModel* Model() const { return model_; }
  QTableView* Table() const { return table_; }
  QTableView* BandTable() const { return band_table_; }

  // What a selection follows across recomputes: its own row (by its key),
  // the best at the frequency, or the best over the band, whichever that
  // is by the ranking of the moment.
  struct Follow {
    enum class What { kRow, kBest, kBandBest } what = What::kBest;
    std::string key;  // of kRow
  };
  // What the selection of the moment follows.
  Follow Following() const;
  // Shows a result; the selection follows as told, and a row no longer
  // designed gives way to the best.
  void Show(rf::DesignResult result, const Follow& follow);
  // The model row selected, or -1; its key, or empty.
  int SelectedRow() const;
  std::string SelectedKey() const;
  // Selects a model row, in the table that shows it.
  void SelectRow(int row);
  void SelectBest();
  // The best over the band, or the best at the frequency before a search
  // has found one (and the best over the band when it has).
  void SelectBandBest();
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
  // The best row a table shows: at the frequency, or over the band.
  std::optional<std::size_t> BestOf(const QTableView* table) const;

  ResultsModel* model_ = nullptr;
  QTableView* table_ = nullptr;
  QTableView* band_table_ = nullptr;
  std::array<FrozenColumn*, 2> frozen_{};  // over each table's first column
  // Columns the user showed (true) or hid from a table's header menu.
  std::array<std::map<int, bool>, 2> user_columns_;
  // The best over the band was wanted before there was one: the best at
  // the frequency stands in for it until the search ends.
  bool band_best_pending_ = false;
};

}  // namespace vorda::designer
