// The results table: a row for each of the eight types, the figures of the
// design library as numbers (for sorting and for tests) and as texts.
#pragma once

#include <QAbstractTableModel>

#include "rf/DesignRequest.h"

namespace vorda::designer {

enum Column {
  kColumnType,
  kColumnStatus,
  kColumnFirst,
  kColumnSecond,
  kColumnReturnLoss,
  kColumnVswr,
  kColumnDissipation,
  kColumnBand,
  kColumnLoadedQ,
  kColumnCount
};

// The number behind a cell: return loss in dB, VSWR, dissipation loss in dB,
// the band's width in hertz, loaded Q, a part's value in henries or farads
// (the standard value when a series is chosen). Not set for a refused type.
inline constexpr int kValueRole = Qt::UserRole;
// What the column sorts by: the value, with refused types last.
inline constexpr int kSortRole = Qt::UserRole + 1;

class ResultsModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  void SetDesigns(rf::DesignResult set);
  const rf::DesignResult& Designs() const { return set_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  QVariant Value(const rf::TypeResult& row, int column) const;
  QString Text(const rf::TypeResult& row, int column) const;

  rf::DesignResult set_;
};

}  // namespace vorda::designer
