// A message-box sink that records every box instead of showing it, so that no
// test ever blocks on a modal box.
#pragma once

#include <string>
#include <vector>

#include "engine/MessageBoxes.h"

namespace vorda::testing {

struct Box {
  std::string prompt;
  MsgStyle style;
  std::string title;
  bool operator==(const Box&) const = default;
};

class RecordingBoxes : public MessageBoxes {
 public:
  void MsgBox(const std::string& prompt, MsgStyle style, const std::string& title) override {
    boxes.push_back({prompt, style, title});
  }
  std::vector<Box> boxes;
};

}  // namespace vorda::testing
