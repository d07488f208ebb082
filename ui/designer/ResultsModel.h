// The results table: one row for each row of the design (rf/request/Rows.h):
// the L types, the networks of three and four parts, the designs optimised
// over a band and a design tuned by hand. A column for the name, the status
// in a word (the whole of it in the tooltip), the parts as bought (ideal ->
// standard in the tooltip) and each figure of the table of figures
// (rf/request/Figures.h), as numbers (for sorting and for tests) and texts.
#pragma once

#include <QAbstractTableModel>
#include <optional>
#include <string>

#include "rf/request/Figures.h"
#include "rf/request/Rows.h"

namespace vorda::designer {

enum Column { kColumnType, kColumnStatus, kColumnParts, kFirstFigureColumn };
// The column of a figure of the table.
int FigureColumn(const rf::Figure& figure);
// The figure a column shows; none for the first three.
const rf::Figure* FigureOf(int column);
int ColumnCount();

// The number behind a cell: a figure in SI units (an impedance as its real
// and imaginary parts), and for the parts a list of their values in henries
// or farads (the standard values when a series is chosen; none for a short
// or an open). Not set for a refused row.
inline constexpr int kValueRole = Qt::UserRole;
// What the column sorts by: the value, with refused rows last.
inline constexpr int kSortRole = Qt::UserRole + 1;
// The row's key (rf::RowKey): what a selection follows across recomputes.
inline constexpr int kKeyRole = Qt::UserRole + 2;
// The row's origin (rf::Origin), for the views that show some of them.
inline constexpr int kOriginRole = Qt::UserRole + 3;

class ResultsModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  // Every row of a design: at the frequency, over the band, tuned.
  void SetResult(rf::DesignResult result);
  const rf::DesignResult& Result() const { return result_; }

  const rf::Row* RowAt(int row) const;
  // The model row with a key, or -1.
  int RowOfKey(const std::string& key) const;
  // The parts as built of a row, when it has them.
  const rf::Network* BuiltAt(int row) const;

  // With several bands, states or goals: after the figures' columns, each
  // band's worst return loss and margin, each band to reject's attenuation,
  // and the worst margin over them all.
  int GoalColumns() const { return static_cast<int>(goal_columns_.size()); }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  QVariant Value(const rf::Row& t, int column) const;
  QString Text(const rf::Row& t, int column) const;
  struct GoalColumn {
    enum class What { kWorstReturnLoss, kMargin, kAttenuation, kWorstMargin } what;
    std::size_t index = 0;  // of the pass band or the band to reject
    QString title, tooltip;
  };
  const GoalColumn* GoalAt(int column) const;
  std::optional<double> GoalValue(const rf::Row& t, const GoalColumn& g) const;

  rf::DesignResult result_;
  std::optional<std::size_t> band_best_;
  std::vector<GoalColumn> goal_columns_;
};

}  // namespace vorda::designer
