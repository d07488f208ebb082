// VordaForWin Designer: every L-section type at once for a load typed or
// measured, with buyable parts, losses, bandwidth, a Smith chart and the
// frequency response, recomputed as the user types. The window puts
// together parts that each own one thing: the inputs (DesignInputs), the
// designs with the band search (Designs), the tables (ResultTables), the
// charts (ChartPanel), tuning and its undo (Tuner), the exports (Exports)
// and the menus (DesignerMenus). Every
// design, figure, chart and tuning step comes from the design layer
// (rf/request).
#pragma once

#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/MessageBoxes.h"
#include "rf/request/Rows.h"
#include "ui/designer/DesignInputs.h"
#include "ui/designer/DesignerTitle.h"
#include "ui/designer/Exports.h"
#include "ui/designer/ResultTables.h"
#include "ui/designer/Tuner.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QSplitter;
class QTabWidget;
class QTableView;

namespace vorda::designer {

class ChartPanel;
class Designs;
class ResponseChart;
class ResultsModel;
class SmithChart;
class StatusText;

// Where the designer keeps its inputs between runs: the user's settings
// under this organization and application name. Each test program keeps
// its own, so that programs run side by side never read each other's.
struct SettingsPlace {
  QString organization = QStringLiteral("VordaForWin");
  QString application = QString::fromLatin1(kDesignerTitle);
};
// Points of the response the window computes.
inline constexpr std::size_t kSweepPoints = rf::kDesignerSweepPoints;

// Asks for a file name: the caption, the filter, and whether it is saved.
// An empty name means the user cancelled.
using FileChooser =
    std::function<QString(const QString& caption, const QString& filter, bool save)>;

class DesignerWindow : public QMainWindow {
  Q_OBJECT

 public:
  // boxes shows every message box; help opens the help file.
  DesignerWindow(MessageBoxes& boxes, std::function<void()> help, QWidget* parent = nullptr,
                 SettingsPlace settings = {});
  ~DesignerWindow() override;

  void SetFileChooser(FileChooser chooser) { choose_file_ = std::move(chooser); }
  void SetPngEncoder(PngEncoder encoder) { exports_.SetPngEncoder(std::move(encoder)); }
  // Asks for a file and, unless the user cancels, does `then` with it.
  void Choose(const QString& caption, const QString& filter, bool save,
              const std::function<void(const QString&)>& then);

  // Reads a measurement (see DesignInputs); true when it was read. Asks for
  // one first.
  bool OpenMeasurement(const QString& path);
  void AskForMeasurement();
  bool OpenPartsLibrary(const QString& folder);
  void ClearMeasurement();

  // Every input and the tuned design as a project file (rf/request/
  // ProjectFile.h), written whole or not at all; and a project read in
  // place of the inputs, or refused (the user told why, the inputs as
  // they were). False when not.
  bool SaveProject(const QString& path);
  bool OpenProject(const QString& path);

  // The exports of the selected row, the table and the charts, each
  // written whole or not at all; false after telling the user why not.
  Exports& Export() { return exports_; }
  bool SaveNetlist(const QString& path) { return exports_.SaveNetlist(path); }
  bool SaveTwoPort(const QString& path) { return exports_.SaveTwoPort(path); }
  bool SaveTable(const QString& path) { return exports_.SaveTable(path); }
  bool SaveSmithChart(const QString& path);  // .png or .svg
  bool SaveResponse(const QString& path);    // .png or .svg
  void CopyNetlist() { exports_.CopyNetlist(); }
  // The help file, and the folder of the parts library in use.
  void ShowHelp() const;
  const QString& LibraryPath() const { return inputs_->LibraryPath(); }

  // Reads the inputs and recomputes everything, or marks the wrong field.
  void Recompute();
  // Shows the best row in the charts.
  void SelectBest();

  // Tuning on the Smith chart: a step back, a step forward, and back to the
  // computed design (the tuned row goes).
  void UndoTuning();
  void RedoTuning();
  void ForgetTuning();
  bool CanUndoTuning() const;
  const std::optional<Tuned>& TunedDesign() const;

  // The netlist and two-port file of the selected row, empty when it was
  // not designed; the table as CSV, with the inputs it was made from.
  QString Netlist() const { return exports_.Netlist(); }
  QString TwoPort() const { return exports_.TwoPort(); }
  QString TableCsv() const { return exports_.TableCsv(); }

  QLineEdit* Input(Field field) const { return Panel()->Input(field); }
  QComboBox* SeriesBox() const { return Panel()->SeriesBox(); }
  QComboBox* PackageBox() const { return Panel()->PackageBox(); }
  QComboBox* RankingBox() const { return Panel()->RankingBox(); }
  QComboBox* MaxPartsBox() const { return Panel()->MaxPartsBox(); }
  QComboBox* PlotBox() const;
  QTableView* Table() const;
  QTableView* BandTable() const;
  QTabWidget* Tables() const;
  ResultsModel* Model() const;
  SmithChart* Smith() const;
  ResponseChart* Response() const;
  QLabel* StatusLine() const;
  const rf::Measurement* Measurement() const { return inputs_->Measurement(); }
  // Whether a band search is under way.
  bool Optimising() const;
  // The request the table shows, when the inputs were right.
  const std::optional<rf::DesignRequest>& Request() const;
  // The model row shown in the charts, and selecting one.
  int SelectedRow() const;
  void SelectRow(int row);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  InputPanel* Panel() const { return inputs_->Panel(); }
  void ShowSelected();
  // The tables from every row; the selection follows as told.
  void Refill(const ResultTables::Follow& follow);
  void Tune(int element, std::complex<double> gamma, bool free);
  void ShowStatus();
  void SetStatus(const QString& text);
  void FitHeight();
  void LoadSettings();
  void SaveSettings() const;

  MessageBoxes& boxes_;
  std::function<void()> help_;
  SettingsPlace settings_;
  FileChooser choose_file_;
  Exports exports_;
  DesignInputs* inputs_ = nullptr;
  Designs* designs_ = nullptr;
  ResultTables* tables_ = nullptr;
  ChartPanel* charts_ = nullptr;
  Tuner* tuner_ = nullptr;
  StatusText* status_ = nullptr;
  QSplitter* main_split_ = nullptr;
  std::vector<QAction*> grid_actions_;  // View's grids, their SmithGrid as their data
  int shown_rows_ = 0;                  // the rows the tables' height was fitted to
  bool split_restored_ = false;  // the split between tables and charts came from the settings
};

}  // namespace vorda::designer
