// Whole Compute runs from three arbitrary texts and any type number: labels
// only ever hold display texts, written once each and in order; boxes are
// only the program's own; and nothing happens after a fault.
#include <cstdint>
#include <cstring>
#include <regex>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "Compute.h"
#include "FuzzCheck.h"
#include "Module1.h"

namespace {

using vorda::MsgStyle;

const char* const kLabelOrder[] = {vorda::kLblNormReal,        vorda::kLblNormImag,
                                   vorda::kLblSecondComponent, vorda::kLblSecondOhms,
                                   vorda::kLblFirstComponent,  vorda::kLblFirstOhms};

struct Event {
  int label = -1;  // index in kLabelOrder, or -1 for a box
  bool fault_notice = false;
};

class FuzzView : public vorda::ComputeView {
 public:
  FuzzView(std::vector<std::string> texts, std::int16_t type)
      : texts_(std::move(texts)), type_(type) {}

  std::string InputText(std::string_view box) override {
    if (box == vorda::kTxtNormR) return texts_[0];
    if (box == vorda::kTxtInReal) return texts_[1];
    FUZZ_CHECK(box == vorda::kTxtInImag, "an unknown input box");
    return texts_[2];
  }
  std::int16_t TypeIndex() override { return type_; }
  void SetCaption(std::string_view label, const std::string& caption) override {
    static const std::regex shape("-?[0-9]*\\.[0-9]{3}");
    FUZZ_CHECK(std::regex_match(caption, shape), "a label that is not a display text");
    int index = -1;
    for (int i = 0; i < 6; ++i) {
      if (label == kLabelOrder[i]) index = i;
    }
    FUZZ_CHECK(index >= 0, "an unknown label");
    events.push_back({index, false});
  }
  void MsgBox(const std::string& prompt, MsgStyle style, const std::string& title) override {
    static const std::set<std::tuple<std::string, int, std::string>> own = {
        {vorda::kBoundaryPrompt, 48, "Warning!"},
        {vorda::kRefusedPrompt, 16, "Skipping computations"},
        {vorda::kTypeRangePrompt, 16, "Serious Internal Program Error"},
        {vorda::Module1::kCAdmittanceDivisionPrompt, 0, vorda::Module1::kCAdmittanceTitle},
        {vorda::Module1::kAIsZeroPrompt, 16, vorda::Module1::kSolveQuadraticTitle},
        {"Unexpected error code 5", 16, vorda::Module1::kSolveQuadraticTitle},
        {"Unexpected error code 6", 16, vorda::Module1::kSolveQuadraticTitle},
        {"Unexpected error code 11", 16, vorda::Module1::kSolveQuadraticTitle},
    };
    FUZZ_CHECK(own.count({prompt, static_cast<int>(style), title}) == 1, "a foreign box");
    events.push_back({-1, false});
  }
  void FaultNotice(const vorda::ArithmeticFault& fault) override {
    FUZZ_CHECK(fault.code() == 6 || fault.code() == 11, "a fault code the run cannot meet");
    events.push_back({-1, true});
  }

  std::vector<Event> events;

 private:
  std::vector<std::string> texts_;
  std::int16_t type_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  std::int16_t type = 0;
  std::memcpy(&type, data, sizeof type);
  // Three texts separated by NUL bytes; missing ones are empty.
  std::vector<std::string> texts(3);
  std::size_t which = 0;
  for (std::size_t i = 2; i < size; ++i) {
    if (data[i] == 0 && which < 2) {
      ++which;
    } else {
      texts[which].push_back(static_cast<char>(data[i]));
    }
  }
  FuzzView view(texts, type);
  const vorda::ComputeRun run = vorda::cmdCompute_Click(view);

  int last_label = -1;
  bool labels[6] = {};
  for (std::size_t i = 0; i < view.events.size(); ++i) {
    const Event& e = view.events[i];
    if (e.fault_notice) {
      FUZZ_CHECK(i + 1 == view.events.size(), "something happened after the fault notice");
      FUZZ_CHECK(run.fault.has_value(), "a notice without a fault");
    }
    if (e.label >= 0) {
      FUZZ_CHECK(e.label > last_label, "labels out of order or written twice");
      last_label = e.label;
      labels[e.label] = true;
    }
  }
  if (run.fault) {
    FUZZ_CHECK(!view.events.empty() && view.events.back().fault_notice, "a fault not made known");
  }
  if (run.outcome == vorda::Outcome::kComputed) {
    for (bool written : labels) FUZZ_CHECK(written, "a computed run left a label unwritten");
  }
  if (run.outcome == vorda::Outcome::kRefused || run.outcome == vorda::Outcome::kOutOfRange) {
    FUZZ_CHECK(!labels[2] && !labels[3] && labels[4] && labels[5],
               "refusal wrote the wrong labels");
  }
  if (labels[2]) FUZZ_CHECK(labels[0] && labels[1], "results before the normalized load");
  return 0;
}
