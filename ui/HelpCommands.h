// What the Help menu does: open the help file, and show the one About box.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "engine/MessageBoxes.h"
#include "platform/Platform.h"

namespace vorda::ui {

class frmAbout;

class HelpCommands {
 public:
  HelpCommands(platform::Services& services, MessageBoxes& boxes,
               std::function<std::string()> program_folder);
  ~HelpCommands();

  // Help > Contents.
  void Contents();
  // Help > About: creates the About box on first use, loads it afresh and
  // shows it modal; returns when it has been closed.
  void About();
  frmAbout* AboutBox() const { return about_.get(); }

 private:
  platform::Services& services_;
  MessageBoxes& boxes_;
  std::function<std::string()> program_folder_;
  std::unique_ptr<frmAbout> about_;
};

}  // namespace vorda::ui
