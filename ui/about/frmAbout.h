// The About box: title, version, description, notice, and a launcher for the
// System Information tool.
#pragma once

#include <QDialog>
#include <string>

#include "engine/MessageBoxes.h"
#include "platform/Platform.h"

class QLabel;
class QPushButton;

namespace vorda::ui {

// "Version " + major + "." + minor + "." + revision.
std::string VersionLine(int major, int minor, int revision);

inline constexpr const char* kAboutTitleLine = "VordaForWin Impedance Matching";
inline constexpr const char* kAboutDescription =
    "Vorda for Windows calculates and displays the values of the necessary L-Section components "
    "to match any impedance to a transmission line or source.";
inline constexpr const char* kAboutNotice =
    "Results are for ideal, lossless components. Check them against your circuit before you "
    "build it.";

class frmAbout : public QDialog {
  Q_OBJECT

 public:
  frmAbout(platform::Registry& registry, platform::Files& files, platform::Processes& processes,
           MessageBoxes& boxes);

  // The load step, run at every showing: caption, version line, title line.
  void Load();

  void cmdOK_Click();
  void cmdSysInfo_Click();
  void StartSysInfo();
  bool GetKeyValue(std::int32_t& KeyRoot, std::string& KeyName, std::string& SubKeyRef,
                   std::string& KeyVal);

 protected:
  void reject() override;  // Escape and the close box press OK

 private:
  platform::Registry& registry_;
  platform::Files& files_;
  platform::Processes& processes_;
  MessageBoxes& boxes_;
  QLabel* lblTitle_ = nullptr;
  QLabel* lblVersion_ = nullptr;
  QPushButton* cmdOK_ = nullptr;
  QPushButton* cmdSysInfo_ = nullptr;
};

}  // namespace vorda::ui
