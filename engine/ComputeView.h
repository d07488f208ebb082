// What the Compute operation needs of a window: the input texts, TypeIndex,
// label captions and modal message boxes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/ArithmeticFault.h"
#include "engine/MessageBoxes.h"

namespace vorda {

// The input boxes, in the order a run reads them.
enum class InputBox { kNormR, kInReal, kInImag };
inline constexpr std::size_t kInputBoxCount = 3;

// The output labels, in the order a run writes them.
enum class ResultLabel {
  kNormReal,
  kNormImag,
  kSecondComponent,
  kSecondOhms,
  kFirstComponent,
  kFirstOhms,
};
inline constexpr std::size_t kResultLabelCount = 6;

// Object names of the controls, indexed by the enums above; they are also the
// keys of vorda-match's JSON labels.
inline constexpr const char* kInputBoxNames[kInputBoxCount] = {"txtNormR", "txtInReal",
                                                               "txtInImag"};
inline constexpr const char* kResultLabelNames[kResultLabelCount] = {
    "lblNormReal",   "lblNormImag",       "lblSecondComponent",
    "lblSecondOhms", "lblFirstComponent", "lblFirstOhms"};

// Every result label, in writing order.
inline constexpr std::array<ResultLabel, kResultLabelCount> kResultLabels = {
    ResultLabel::kNormReal,   ResultLabel::kNormImag,       ResultLabel::kSecondComponent,
    ResultLabel::kSecondOhms, ResultLabel::kFirstComponent, ResultLabel::kFirstOhms};

constexpr std::size_t Index(InputBox box) {
  return static_cast<std::size_t>(box);
}
constexpr std::size_t Index(ResultLabel label) {
  return static_cast<std::size_t>(label);
}
constexpr const char* ObjectName(InputBox box) {
  return kInputBoxNames[Index(box)];
}
constexpr const char* ObjectName(ResultLabel label) {
  return kResultLabelNames[Index(label)];
}

class ComputeView : public MessageBoxes {
 public:
  virtual std::string InputText(InputBox box) = 0;
  virtual std::int16_t TypeIndex() = 0;
  virtual void SetCaption(ResultLabel label, const std::string& caption) = 0;
  // The decimal symbol numbers are shown with; "." unless the window's locale
  // says otherwise.
  virtual std::string DecimalSymbol() { return "."; }
  // Tells the user that an arithmetic fault ended the run. By default a
  // modal box with the stop icon and the application title.
  virtual void FaultNotice(const ArithmeticFault& fault);
};

// The prompt of the notice that an arithmetic fault ended a run.
std::string FaultPrompt(const ArithmeticFault& fault);

}  // namespace vorda
