// One run of the window's Compute operation without a window: the input
// texts are given, and every label caption and message box is recorded.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/Compute.h"
#include "engine/ComputeView.h"

namespace vorda::rf {

struct RecordedBox {
  std::string title;
  std::string prompt;
  MsgStyle style;
};

class RecordedView : public ComputeView {
 public:
  RecordedView(std::string z0, std::string real, std::string imag, std::int16_t type_index)
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

// A type computed from texts read as the window reads its input boxes.
struct EngineRun {
  std::int16_t type_index;
  RecordedView view;
  ComputeRun run;
};

inline EngineRun RunEngine(const std::string& z0, const std::string& real, const std::string& imag,
                           std::int16_t type_index) {
  EngineRun e{type_index, RecordedView(z0, real, imag, type_index), {}};
  e.run = cmdCompute_Click(e.view);
  return e;
}

// The text that the window's conversion reads back as exactly this number.
std::string ExactText(double value);

// Where a region code lies on the Smith chart, in words.
std::string RegionWords(int region);

}  // namespace vorda::rf
