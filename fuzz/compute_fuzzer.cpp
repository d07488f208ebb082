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

#include "engine/Compute.h"
#include "engine/ComputeRecord.h"
#include "engine/Module1.h"
#include "engine/NumberText.h"
#include "fuzz/FuzzCheck.h"
#include "tests/support/RecordingView.h"

namespace {

using vorda::MsgStyle;
using Event = vorda::testing::RecordingView::Event;

bool IsDisplayText(const std::string& caption) {
  static const std::regex shape("-?[0-9]*\\.[0-9]{3}");
  return std::regex_match(caption, shape);
}

bool IsOwnBox(const vorda::testing::Box& box) {
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
  return own.count({box.prompt, static_cast<int>(box.style), box.title}) == 1;
}

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
  vorda::testing::RecordingView view(texts[0], texts[1], texts[2], type);
  view.separate_fault_notice = true;
  const vorda::ComputeRun run = vorda::cmdCompute_Click(view);

  for (const vorda::testing::Box& box : view.boxes) FUZZ_CHECK(IsOwnBox(box), "a foreign box");
  int last_label = -1;
  bool labels[vorda::kResultLabelCount] = {};
  for (std::size_t i = 0; i < view.events.size(); ++i) {
    const Event& e = view.events[i];
    if (e.kind == Event::Kind::kFaultNotice) {
      FUZZ_CHECK(i + 1 == view.events.size(), "something happened after the fault notice");
      FUZZ_CHECK(run.fault.has_value(), "a notice without a fault");
      FUZZ_CHECK(run.fault->code() == 6 || run.fault->code() == 11,
                 "a fault code the run cannot meet");
    }
    if (e.kind == Event::Kind::kCaption) {
      FUZZ_CHECK(IsDisplayText(e.text), "a label that is not a display text");
      const int index = static_cast<int>(vorda::Index(e.label));
      FUZZ_CHECK(index > last_label, "labels out of order or written twice");
      last_label = index;
      labels[index] = true;
    }
  }
  if (run.fault) {
    FUZZ_CHECK(!view.events.empty() && view.events.back().kind == Event::Kind::kFaultNotice,
               "a fault not made known");
  }
  if (run.outcome == vorda::Outcome::kComputed) {
    for (bool written : labels) FUZZ_CHECK(written, "a computed run left a label unwritten");
  }
  if (run.outcome == vorda::Outcome::kRefused || run.outcome == vorda::Outcome::kOutOfRange) {
    FUZZ_CHECK(!labels[2] && !labels[3] && labels[4] && labels[5],
               "refusal wrote the wrong labels");
  }
  if (labels[2]) FUZZ_CHECK(labels[0] && labels[1], "results before the normalized load");

  // The numeric entry point gives the same run for the numbers the texts
  // convert to.
  try {
    const vorda::LoadNumbers numbers{vorda::Val(texts[0]), vorda::Val(texts[1]),
                                     vorda::Val(texts[2])};
    const vorda::ComputeRecord record = vorda::ComputeNumbers(numbers, type);
    FUZZ_CHECK(record.captions == view.captions, "the numbers wrote other labels");
    FUZZ_CHECK(record.boxes.size() == view.boxes.size(), "the numbers showed other boxes");
    FUZZ_CHECK(record.run.outcome == run.outcome && record.run.region == run.region,
               "the numbers ended otherwise");
  } catch (const vorda::ArithmeticFault&) {
    FUZZ_CHECK(run.fault.has_value(), "a text the conversion refuses ran without a fault");
  }
  return 0;
}
