// Modal message boxes on screen: OK only, with the prompt and title as given.
#pragma once

#include "engine/MessageBoxes.h"

namespace vorda::ui {

class QtMessageBoxes : public MessageBoxes {
 public:
  void MsgBox(const std::string& prompt, MsgStyle style, const std::string& title) override;
};

}  // namespace vorda::ui
