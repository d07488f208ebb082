// A view of the Compute operation with fixed input texts that records every
// caption and message box in the order the engine produced them.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/ComputeView.h"
#include "tests/support/RecordingBoxes.h"

namespace vorda::testing {

class RecordingView : public ComputeView {
 public:
  // One event of a run: a caption set, a message box or the fault notice.
  struct Event {
    enum class Kind { kCaption, kBox, kFaultNotice } kind;
    ResultLabel label = ResultLabel::kNormReal;  // kCaption only
    std::string text;                            // the caption, or the box's title
  };

  RecordingView(std::string z0, std::string real, std::string imag, std::int16_t type)
      : inputs_{std::move(z0), std::move(real), std::move(imag)}, type_(type) {}

  std::string InputText(InputBox box) override {
    reads.push_back(box);
    return inputs_[Index(box)];
  }
  std::int16_t TypeIndex() override { return type_; }
  void SetCaption(ResultLabel label, const std::string& caption) override {
    captions[Index(label)] = caption;
    events.push_back({Event::Kind::kCaption, label, caption});
  }
  void MsgBox(const std::string& prompt, MsgStyle style, const std::string& title) override {
    boxes.push_back({prompt, style, title});
    events.push_back({Event::Kind::kBox, ResultLabel::kNormReal, title});
  }
  std::string DecimalSymbol() override { return decimal; }
  // Records the notice as a box, as the window shows it, unless told to keep
  // it apart.
  void FaultNotice(const ArithmeticFault& fault) override {
    if (separate_fault_notice) {
      events.push_back({Event::Kind::kFaultNotice, ResultLabel::kNormReal, {}});
    } else {
      ComputeView::FaultNotice(fault);
    }
  }

  // The caption of a label, "<unset>" when no run wrote it.
  std::string Caption(ResultLabel label) const {
    return captions[Index(label)].value_or("<unset>");
  }
  // "label=text" for a caption and "box:title" for a box, in order.
  std::vector<std::string> EventTexts() const {
    std::vector<std::string> out;
    out.reserve(events.size());
    for (const Event& e : events) {
      if (e.kind == Event::Kind::kCaption)
        out.push_back(std::string(ObjectName(e.label)) + "=" + e.text);
      if (e.kind == Event::Kind::kBox) out.push_back("box:" + e.text);
      if (e.kind == Event::Kind::kFaultNotice) out.emplace_back("fault notice");
    }
    return out;
  }
  void Clear() {
    captions = {};
    events.clear();
    reads.clear();
    boxes.clear();
  }

  std::array<std::optional<std::string>, kResultLabelCount> captions;
  std::vector<Event> events;
  std::vector<InputBox> reads;
  std::vector<Box> boxes;
  std::string decimal = ".";
  bool separate_fault_notice = false;

 private:
  std::array<std::string, kInputBoxCount> inputs_;
  std::int16_t type_;
};

}  // namespace vorda::testing
