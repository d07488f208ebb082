#include "ui/HelpCommands.h"

#include "help/HelpHTML.h"
#include "ui/about/frmAbout.h"

namespace vorda::ui {

HelpCommands::HelpCommands(platform::Services& services, MessageBoxes& boxes,
                           std::function<std::string()> program_folder)
    : services_(services), boxes_(boxes), program_folder_(std::move(program_folder)) {}

HelpCommands::~HelpCommands() = default;

void HelpCommands::Contents() {
  HelpHTML::InvokeHelp(*services_.shell, boxes_, program_folder_);
}

void HelpCommands::About() {
  if (!about_) {
    about_ = std::make_unique<frmAbout>(*services_.registry, *services_.files, *services_.processes,
                                        boxes_);
  }
  about_->Load();
  about_->exec();
}

}  // namespace vorda::ui
