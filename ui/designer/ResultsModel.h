// The results table: a row for each L type, then the networks of three and
// four parts, then the designs optimised over a band; the figures of the
// design library as numbers (for sorting and for tests) and as texts.
#pragma once

#include <QAbstractTableModel>
#include <optional>

#include "rf/request/DesignRequest.h"
#include "rf/synthesis/BandSearch.h"

namespace vorda::designer {

enum Column {
  kColumnType,
  kColumnStatus,
  kColumnParts,
  kColumnReturnLoss,
  kColumnVswr,
  kColumnDissipation,
  kColumnInsertion,
  kColumnSecondHarmonic,
  kColumnThirdHarmonic,
  kColumnBand,
  kColumnLoadedQ,
  kColumnCount
};

// The number behind a cell: return loss in dB, VSWR, dissipation loss in dB,
// insertion loss and the harmonics' attenuation in dB, the band's width in
// hertz (a band design: its VSWR <= 2 coverage), loaded Q; for the parts a
// list of their values in henries or farads (the standard values when a
// series is chosen; none for a short or an open). Not set for a refused
// row. A band design's return loss and VSWR are its worst over the band.
inline constexpr int kValueRole = Qt::UserRole;
// What the column sorts by: the value, with refused rows last.
inline constexpr int kSortRole = Qt::UserRole + 1;

class ResultsModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  // The single-frequency rows; any band designs shown stay until SetBand.
  void SetDesigns(rf::DesignResult set);
  // The band designs below them; nothing to remove them.
  void SetBand(std::optional<rf::BandResult> band);
  // A design tuned by hand, the last row, named after the row it came from;
  // nothing to remove it.
  void SetTuned(std::optional<rf::TypeResult> tuned, const QString& from = {});
  const std::optional<rf::TypeResult>& Tuned() const { return tuned_; }
  int TunedRow() const;
  const rf::DesignResult& Designs() const { return set_; }
  const std::optional<rf::BandResult>& Band() const { return band_; }

  // What a model row shows: a single-frequency row or a band design.
  const rf::TypeResult* TypeAt(int row) const;
  const rf::BandDesign* BandAt(int row) const;
  // The parts as built of a row, when it has them.
  const rf::Network* BuiltAt(int row) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  QVariant Value(int row, int column) const;
  QString Text(int row, int column) const;
  QString BandText(int row, const rf::BandDesign& b, int column) const;

  rf::DesignResult set_;
  std::optional<rf::BandResult> band_;
  std::optional<rf::TypeResult> tuned_;
  QString tuned_from_;
};

}  // namespace vorda::designer
