// A window for the command line: the input texts come from the arguments, and
// every label caption and message box of a run is recorded.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "engine/ComputeView.h"

namespace vorda::cli {

struct RecordedBox {
  std::string title;
  std::string prompt;
  MsgStyle style;
};

class CliView : public ComputeView {
 public:
  CliView(std::string z0, std::string real, std::string imag, std::int16_t type_index)
      : inputs_{std::move(z0), std::move(real), std::move(imag)}, type_(type_index) {}

  std::string InputText(InputBox box) override { return inputs_[Index(box)]; }
  std::int16_t TypeIndex() override { return type_; }
  void SetCaption(ResultLabel label, const std::string& caption) override {
    captions_[Index(label)] = caption;
  }
  void MsgBox(const std::string& prompt, MsgStyle style, const std::string& title) override {
    boxes_.push_back({title, prompt, style});
  }
  // The run's outcome carries the fault; no box stands for it here.
  void FaultNotice(const ArithmeticFault& /*fault*/) override {}

  // Caption of a label, or nothing when the run did not write it.
  const std::optional<std::string>& Caption(ResultLabel label) const {
    return captions_[Index(label)];
  }
  const std::vector<RecordedBox>& Boxes() const { return boxes_; }

 private:
  std::array<std::string, kInputBoxCount> inputs_;
  std::int16_t type_;
  std::array<std::optional<std::string>, kResultLabelCount> captions_;
  std::vector<RecordedBox> boxes_;
};

}  // namespace vorda::cli
