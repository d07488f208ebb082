// The designer's inputs as a whole: the fields and choices of the input
// panel, the measurement opened and the parts library, read together into
// a design request (as rf/request/Project.h makes it of them), kept
// between runs and in project files.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

#include "engine/MessageBoxes.h"
#include "rf/circuit/TwoPort.h"
#include "rf/request/DesignTexts.h"
#include "rf/request/Project.h"
#include "ui/designer/InputPanel.h"

class QSettings;

namespace vorda::designer {

class DesignInputs : public QObject {
  Q_OBJECT

 public:
  // The panel is made a child of `parent`; boxes tells why a file could not
  // be read.
  DesignInputs(MessageBoxes& boxes, QWidget* parent);

  InputPanel* Panel() const { return panel_; }
  // The request the inputs make (the response at `sweep_points` around the
  // design frequency, the VSWR-2 band searched), or the field that is wrong,
  // which the panel marks.
  rf::ReadRequest Read(std::size_t sweep_points) const;

  // Reads a measurement; on failure tells the user the file's line and
  // reason (and `status` the same) and keeps the load it had. A design
  // frequency outside the new range moves to the range's centre: the
  // returned note says so (empty when it stays).
  std::optional<QString> OpenMeasurement(const QString& path, QString& status);
  void ClearMeasurement();
  // Another state of the load, measured; false, having said why, when it
  // cannot be read. Clearing them leaves the one load.
  bool AddState(const QString& path, QString& status);
  void ClearStates();
  const rf::Measurement* Measurement() const { return measurement_.get(); }
  // A folder of measured parts with its index.csv; the standard values come
  // from it until another series is chosen. False, having said why (also
  // in `status`), when it cannot be read.
  bool OpenPartsLibrary(const QString& folder, QString& status);
  const QString& LibraryPath() const { return library_path_; }
  // A fixture two-port taken off the measurement (port 1 at the
  // instrument, port 2 at the load); false, having said why, when it
  // cannot be read. Clearing it leaves the measurement as measured.
  bool OpenFixture(const QString& path, QString& status);
  void ClearFixture();

  // The fields, the choices, the measurement and the library.
  void Load(const QSettings& settings);
  void Save(QSettings& settings) const;

  // The inputs as a project keeps them (no tuned design: the window has
  // it), and the files they name, read.
  rf::Project Gathered() const;
  rf::ProjectFiles Files() const;
  // A project's inputs, its files read, in place of these; Changed is not
  // emitted.
  void Apply(const rf::Project& project, rf::ProjectFiles files);
  // Reads a project file and its files and applies them: the project, and
  // in `status` that it was opened (naming the keys a later version wrote
  // that were read past); or nothing, the user told why (and `status`),
  // the inputs as they were.
  std::optional<rf::Project> OpenProject(const QString& path, QString& status);

 signals:
  // An input changed: the design is to be made again.
  void Changed();

 private:
  // A measurement, or nothing when it cannot be read: the user told why.
  std::shared_ptr<const rf::Measurement> ReadMeasurementFile(const QString& path, QString& status);
  void SetMeasurement(std::shared_ptr<const rf::Measurement> measurement, const QString& path);
  void ShowStates();

  MessageBoxes& boxes_;
  InputPanel* panel_ = nullptr;
  std::shared_ptr<const rf::Measurement> measurement_;
  QString measurement_path_;
  std::shared_ptr<const rf::PartLibrary> library_;
  QString library_path_;
  std::vector<std::shared_ptr<const rf::Measurement>> states_;
  QStringList state_paths_;
  std::optional<rf::TwoPortData> fixture_;
  QString fixture_path_;
  std::optional<rf::Network> given_;  // a project's network of given parts
};

}  // namespace vorda::designer
