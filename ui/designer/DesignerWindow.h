// VordaForWin Designer: every L-section type at once for a load typed or
// measured, with buyable parts, losses, bandwidth, a Smith chart and the
// frequency response, recomputed as the user types. The window only shows:
// every design, figure, chart and tuning step comes from the design layer
// (rf/request).
#pragma once

#include <QMainWindow>
#include <QString>
#include <array>
#include <complex>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/MessageBoxes.h"
#include "rf/request/Rows.h"
#include "ui/designer/InputPanel.h"

class QComboBox;
class QIODevice;
class QImage;
class QLabel;
class QLineEdit;
class QSortFilterProxyModel;
class QSplitter;
class QTabWidget;
class QTableView;
class QUndoStack;

namespace vorda::designer {

class BandJob;
class ResponseChart;
class ResultsModel;
class SmithChart;
class StatusText;

inline constexpr const char* kDesignerTitle = "VordaForWin Designer";
// Where the designer keeps its inputs between runs: the user's settings
// under this organization and application name. Each test program keeps
// its own, so that programs run side by side never read each other's.
struct SettingsPlace {
  QString organization = QStringLiteral("VordaForWin");
  QString application = QString::fromLatin1(kDesignerTitle);
};
// Points of the response the window computes.
inline constexpr std::size_t kSweepPoints = 1001;

// Asks for a file name: the caption, the filter, and whether it is saved.
// An empty name means the user cancelled.
using FileChooser =
    std::function<QString(const QString& caption, const QString& filter, bool save)>;

// A design tuned by hand: its parts, and the row it was tuned from.
struct Tuned {
  rf::Network network;
  std::string from_name;  // "Pi low-pass"
  std::string from_key;   // "pi-lp"
  bool operator==(const Tuned&) const = default;
};

class DesignerWindow : public QMainWindow {
  Q_OBJECT

 public:
  // boxes shows every message box; help opens the help file.
  DesignerWindow(MessageBoxes& boxes, std::function<void()> help, QWidget* parent = nullptr,
                 SettingsPlace settings = {});
  ~DesignerWindow() override;

  void SetFileChooser(FileChooser chooser) { choose_file_ = std::move(chooser); }
  // Encodes a picture as PNG into a buffer; false when it could not. Qt's
  // encoder unless set (a test sets one that fails).
  using PngEncoder = std::function<bool(const QImage& image, QIODevice& into)>;
  void SetPngEncoder(PngEncoder encoder) { encode_png_ = std::move(encoder); }

  // Reads a measurement; on failure tells the user the file's line and
  // reason and keeps the load it had. True when it was read. A design
  // frequency outside the new range moves to the range's centre.
  bool OpenMeasurement(const QString& path);
  // A folder of measured parts with its index.csv; the standard values come
  // from it until another series is chosen. False, having said why, when it
  // cannot be read.
  bool OpenPartsLibrary(const QString& folder);
  void ClearMeasurement();

  // The exports, each written whole or not at all; false after telling the
  // user why not.
  bool SaveNetlist(const QString& path);
  bool SaveTwoPort(const QString& path);
  bool SaveTable(const QString& path);
  bool SaveSmithChart(const QString& path);  // .png or .svg
  bool SaveResponse(const QString& path);    // .png or .svg
  void CopyNetlist();

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
  const std::optional<Tuned>& TunedDesign() const { return tuned_; }

  // The netlist of the selected row, empty when it was not designed.
  QString Netlist() const;
  // The two-port file of the selected row, empty when it was not designed.
  QString TwoPort() const;
  // The table as CSV, in SI units, with the inputs it was made from.
  QString TableCsv() const;

  QLineEdit* Input(Field field) const { return panel_->Input(field); }
  QComboBox* SeriesBox() const { return panel_->SeriesBox(); }
  QComboBox* PackageBox() const { return panel_->PackageBox(); }
  QComboBox* RankingBox() const { return panel_->RankingBox(); }
  QComboBox* MaxPartsBox() const { return panel_->MaxPartsBox(); }
  QComboBox* PlotBox() const { return plot_; }
  // The view of the rows at the frequency, and of the rows over the band.
  QTableView* Table() const { return table_; }
  QTableView* BandTable() const { return band_table_; }
  QTabWidget* Tables() const { return tables_; }
  ResultsModel* Model() const { return model_; }
  SmithChart* Smith() const { return smith_; }
  ResponseChart* Response() const { return response_; }
  QLabel* StatusLine() const;
  const rf::Measurement* Measurement() const { return measurement_.get(); }
  // Whether a band search is under way.
  bool Optimising() const;
  // The request the table shows, when the inputs were right.
  const std::optional<rf::DesignRequest>& Request() const { return request_; }
  // The model row shown in the charts.
  int SelectedRow() const;
  // Selects a model row (in the view that shows it).
  void SelectRow(int row);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QTableView* BuildTable(QWidget* parent, QSortFilterProxyModel* rows, const char* name);
  void BuildMenus();
  void LoadSettings();
  void SaveSettings() const;
  void ShowSelected();
  void ShowBand(const rf::DesignRequest& request, const rf::BandResult& band);
  void Refill(const std::string& keep_key);
  void BuildViewMenu();
  void StartTuning();
  void Tune(int element, std::complex<double> gamma, bool free);
  void EndTuning();
  // Sets the tuned design (none: the tuned row goes) and selects the row it
  // concerns: the tuned row, or the row it was tuned from.
  void SetTuned(const std::optional<Tuned>& tuned, const std::string& select_key);
  QString BestText() const;
  void SetStatus(const QString& text);
  void FitColumns(QTableView* table);
  void ShowColumns();
  void FitHeight();
  bool WriteWhole(const QString& path, const QByteArray& bytes);
  bool SavePicture(const QString& path, const std::function<void(QPainter&, const QRectF&)>& paint,
                   QSize size);
  void Choose(const QString& caption, const QString& filter, bool save,
              const std::function<void(const QString&)>& then);

  MessageBoxes& boxes_;
  std::function<void()> help_;
  SettingsPlace settings_;
  FileChooser choose_file_;
  PngEncoder encode_png_;
  std::shared_ptr<const rf::Measurement> measurement_;
  QString measurement_path_;
  std::shared_ptr<const rf::PartLibrary> library_;
  QString library_path_;
  std::optional<rf::DesignRequest> request_;
  rf::DesignResult computed_;  // the rows at the frequency (and the given one)
  // The last band search, and the request it was made for: its rows stay,
  // evaluated for the inputs as they are, until a newer search ends.
  std::optional<rf::BandResult> band_;
  std::optional<rf::DesignRequest> band_request_;
  // The design tuned by hand; before_drag_ what it was when a drag began.
  std::optional<Tuned> tuned_;
  std::optional<Tuned> before_drag_;
  bool dragging_ = false;
  QUndoStack* undo_ = nullptr;
  // Columns the user showed (true) or hid from a table's header menu.
  std::array<std::map<int, bool>, 2> user_columns_;
  std::pair<int, int> band_progress_;  // networks searched, of how many; none yet
  int shown_rows_ = 0;                 // the rows the tables' height was fitted to
  bool split_restored_ = false;        // the split between tables and charts came from the settings

  InputPanel* panel_ = nullptr;
  BandJob* band_job_ = nullptr;
  StatusText* status_ = nullptr;
  ResultsModel* model_ = nullptr;
  QSortFilterProxyModel* at_rows_ = nullptr;    // the rows at the frequency, given and tuned
  QSortFilterProxyModel* band_rows_ = nullptr;  // the rows over the band, given and tuned
  QTabWidget* tables_ = nullptr;
  QTableView* table_ = nullptr;
  QTableView* band_table_ = nullptr;
  SmithChart* smith_ = nullptr;
  ResponseChart* response_ = nullptr;
  QComboBox* plot_ = nullptr;
  QSplitter* main_split_ = nullptr;
  QSplitter* chart_split_ = nullptr;
};

}  // namespace vorda::designer
