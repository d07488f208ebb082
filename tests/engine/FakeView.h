// Test doubles for the engine's view: they record every caption and message
// box in the order the engine produced them.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "ComputeView.h"

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

// One event of a run: a caption set ("label=text") or a box ("box:title").
class FakeView : public ComputeView {
 public:
  FakeView(std::string z0, std::string real, std::string imag, std::int16_t type) : type_(type) {
    inputs_[kTxtNormR] = std::move(z0);
    inputs_[kTxtInReal] = std::move(real);
    inputs_[kTxtInImag] = std::move(imag);
  }
  std::string InputText(std::string_view box) override {
    reads.emplace_back(box);
    return inputs_[std::string(box)];
  }
  std::int16_t TypeIndex() override { return type_; }
  void SetCaption(std::string_view label, const std::string& caption) override {
    captions[std::string(label)] = caption;
    events.push_back(std::string(label) + "=" + caption);
  }
  void MsgBox(const std::string& prompt, MsgStyle style, const std::string& title) override {
    boxes.push_back({prompt, style, title});
    events.push_back("box:" + title);
  }
  std::string DecimalSymbol() override { return decimal; }

  std::string Caption(const std::string& label) const {
    const auto it = captions.find(label);
    return it == captions.end() ? "<unset>" : it->second;
  }

  std::map<std::string, std::string> captions;
  std::vector<std::string> events;
  std::vector<std::string> reads;
  std::vector<Box> boxes;
  std::string decimal = ".";

 private:
  std::map<std::string, std::string> inputs_;
  std::int16_t type_;
};

}  // namespace vorda::testing
