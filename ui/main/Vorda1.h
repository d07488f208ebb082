// The main window: inputs, results, the type presentation and its diagram.
#pragma once

#include <QMainWindow>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "engine/ComputeView.h"
#include "ui/main/TypeCatalogue.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vorda::ui {

class ClientArea;
class ImageBox;

// A picture file of the catalogue that could not be loaded.
struct PictureLoadError {
  QString path;
  QString reason;
};

class Vorda1 : public QMainWindow, public ComputeView {
  Q_OBJECT

 public:
  // program_folder: where the pictures are, without a trailing separator.
  // boxes: shows every message box of the window.
  Vorda1(QString program_folder, MessageBoxes& boxes, QWidget* parent = nullptr);
  ~Vorda1() override;

  // The start-up sequence. False when it could not complete (a picture of
  // type 1 that cannot be loaded); the window is then not shown.
  bool Form_Load();

  // What ends the program; by default the application's event loop.
  void SetEndProgram(std::function<void()> end) { end_program_ = std::move(end); }
  // What Help > Contents and Help > About do.
  void SetHelpCommands(std::function<void()> contents, std::function<void()> about);

  // The view of the Compute operation.
  std::string InputText(InputBox box) override;
  std::int16_t TypeIndex() override { return type_index_; }
  void SetCaption(ResultLabel label, const std::string& caption) override;
  void MsgBox(const std::string& prompt, MsgStyle style, const std::string& title) override;
  std::string DecimalSymbol() override;

  // Event handlers.
  void cmdCompute_Click();
  void cmdExit_Click();
  void mnuFileExit_Click();
  void mnuHelpContents_Click();
  void mnuHelpAbout_Click();
  void optType_Click(std::int16_t index);

  // Procedures of the selection.
  void ShowSectionType();
  void ClearResults();

  // The six region diagrams.
  void DrawUpperRedBlue();
  void DrawLowerRedGreen();
  void DrawLowerRedBlue();
  void DrawUpperRedGreen();
  void DrawUpperRed();
  void DrawLowerRed();

  ClientArea* Client() const { return client_; }

 private:
  void BuildMenus();
  void BuildControls();
  void BuildOptionButtons();
  void SetTabOrder();
  QLineEdit* Input(InputBox box) const { return inputs_[Index(box)]; }
  QLabel* Result(ResultLabel label) const { return results_[Index(label)]; }
  void OnOptionToggled(std::int16_t index, bool checked);
  void ReportPictureFailure(const PictureLoadError& error);
  void Draw(Diagram diagram);

  QString program_folder_;
  MessageBoxes& boxes_;
  std::function<void()> end_program_;
  std::function<void()> help_contents_;
  std::function<void()> help_about_;
  std::int16_t type_index_ = 0;
  bool loading_ = false;
  std::optional<PictureLoadError> load_failure_;

  ClientArea* client_ = nullptr;
  QLineEdit* inputs_[kInputBoxCount] = {};   // by InputBox
  QLabel* results_[kResultLabelCount] = {};  // by ResultLabel
  QLabel* lblFirstLabel_ = nullptr;
  QLabel* lblSecondLabel_ = nullptr;
  QLabel* lblTypeDescrip_ = nullptr;
  QPushButton* cmdCompute_ = nullptr;
  QPushButton* cmdExit_ = nullptr;
  ImageBox* Image1_ = nullptr;
  QGroupBox* Frame1_ = nullptr;
  std::array<QRadioButton*, 8> optType_{};
};

}  // namespace vorda::ui
