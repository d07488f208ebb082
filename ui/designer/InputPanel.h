// The designer's inputs: the fields of a design request, the load typed or
// measured, the standard series and what "best" means. Marks the field
// that is wrong.
#pragma once

#include <QString>
#include <QWidget>
#include <optional>

#include "rf/request/DesignTexts.h"

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;

namespace vorda::designer {

using rf::Field;

// A ranking's choice in the "Best by" box: its name with a capital,
// "Return loss".
QString RankingChoice(rf::Ranking ranking);

class InputPanel : public QWidget {
  Q_OBJECT

 public:
  explicit InputPanel(QWidget* parent = nullptr);

  rf::DesignTexts Texts() const;
  // The choices, from the items' values (not their texts).
  std::optional<rf::ESeries> Series() const;
  // None: automatic (rf::DesignRequest::RankingOf).
  std::optional<rf::Ranking> Ranking() const;
  // The largest ladders the band search tries (2 to 6).
  int MaxParts() const;
  void SetMaxParts(int parts) const;
  std::optional<rf::Package> Package() const;
  void SetPackage(std::optional<rf::Package> package) const;
  // Whether the standard values come from the parts library (its item is
  // there once a library is open, named by its folder).
  bool UsesLibrary() const;
  void SetLibrary(const QString& name, bool use) const;
  // No library: its item goes (the series chosen before it, or Ideal).
  void ClearLibrary() const;
  void SetSeries(std::optional<rf::ESeries> series) const;
  void SetRanking(std::optional<rf::Ranking> ranking) const;
  // Lumped parts, lines and stubs, or both.
  rf::Elements Elements() const;
  void SetElements(rf::Elements elements) const;
  // The fixture taken off the measurement, in words ("No fixture").
  void ShowFixture(const QString& what);
  // The load's other states, in words (empty: one state).
  void ShowStates(const QString& what);
  // Marks the field that is wrong, and only it; none for nothing.
  void Mark(std::optional<Field> wrong) const;

  QLineEdit* Input(Field field) const { return inputs_[static_cast<std::size_t>(field)]; }
  QComboBox* SeriesBox() const { return series_; }
  QComboBox* RankingBox() const { return ranking_; }
  QComboBox* PackageBox() const { return package_; }
  QComboBox* MaxPartsBox() const { return max_parts_; }
  QComboBox* ElementsBox() const { return elements_; }

  // With a measurement the load fields show its load at the frequency and
  // cannot be edited; `what` says which file and its range.
  void ShowMeasurement(const QString& what);
  void ShowTyped();
  void ShowLoad(std::complex<double> load) const;

 signals:
  void Changed();
  void OpenMeasurementClicked();
  void TypedLoadClicked();
  void DeembedClicked();
  void NoFixtureClicked();
  void AddStateClicked();
  void OneStateClicked();

 private:
  void AddMeasurementButtons(QFormLayout* form);
  void AddMeasurementRows(QFormLayout* form);
  void AddChoiceRows(QFormLayout* form);
  void AddElementsRow(QFormLayout* form);

  QLineEdit* inputs_[rf::kFieldCount] = {};  // by Field; the series has its combo box
  QComboBox* series_ = nullptr;
  QComboBox* package_ = nullptr;
  QComboBox* ranking_ = nullptr;
  QComboBox* max_parts_ = nullptr;
  QComboBox* elements_ = nullptr;
  QLabel* measurement_label_ = nullptr;
  QLabel* fixture_label_ = nullptr;
  QLabel* states_label_ = nullptr;
};

}  // namespace vorda::designer
